#include <gtest/gtest.h>

#include <QCoreApplication>

// The command line runs on a QCoreApplication, as the program's does: no display needed.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Pitwright"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.4"));
    return RUN_ALL_TESTS();
}
