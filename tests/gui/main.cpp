#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>
#include <memory>

#include "LeakCheckBeforeExit.h"

// The window tests need a QApplication; listing the tests (which CTest does to discover them)
// must work without a display, so the application is created only when tests actually run.
int main(int argc, char** argv) {
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) listing = true;
    testing::InitGoogleTest(&argc, argv);
    // The tests drive Qt's own file and colour dialogs; a system's native ones (Windows) cannot
    // be driven, and would wait for a user.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    std::unique_ptr<QApplication> app;
    if (!listing) app = std::make_unique<QApplication>(argc, argv);
    const int result = RUN_ALL_TESTS();
    pw::test::checkLeaksWhileTheDriverIsLoaded();
    return result;
}
