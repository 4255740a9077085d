#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pitwright 2.4"));
    QLabel window(QStringLiteral("Pitwright 2.4"));
    window.setWindowTitle(QStringLiteral("Pitwright 2.4"));
    window.resize(780, 560);
    window.show();
    return app.exec();
}
