#include <gtest/gtest.h>

#include <QApplication>

#include "LeakCheckBeforeExit.h"

// The render tests need an application object; without a display (tests run outside Xvfb) the
// offscreen platform is used, where they skip for lack of OpenGL.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int result = RUN_ALL_TESTS();
    pw::test::checkLeaksWhileTheDriverIsLoaded();
    return result;
}
