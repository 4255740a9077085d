#include <QApplication>

#include "MainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    pw::app::MainWindow window;
    window.centreOnScreen();
    window.show();
    return app.exec();
}
