#include <QCoreApplication>

#include "DemoGame.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) return 2;
    pw::demo::writeDemoGame(args.last());
    return 0;
}
