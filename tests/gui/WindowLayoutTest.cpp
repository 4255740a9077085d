#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QMenuBar>
#include <QTabWidget>

#include "app/MainWindow.h"
#include "app/PreviewPane.h"

using pw::app::MainWindow;
using pw::app::PreviewPane;

TEST(WindowLayout, ScreenshotShowsTheWindow) {
    MainWindow window;
    window.centreOnScreen();
    window.show();
    QApplication::processEvents();
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.size(), window.size());
    if (qEnvironmentVariableIsSet("PITWRIGHT_SCREENSHOT")) {
        QImage pages(342 * 3, 2 * 560, QImage::Format_RGB32);
        QPainter painter(&pages);
        for (int t = 0; t < window.tabs()->count(); ++t) {
            window.tabs()->setCurrentIndex(t);
            painter.drawImage(342 * (t % 3), 560 * (t / 3), window.grab(QRect(0, 0, 342, 560)).toImage());
        }
        painter.end();
        pages.save(qEnvironmentVariable("PITWRIGHT_SCREENSHOT") + "pages.png");
        shot.save(qEnvironmentVariable("PITWRIGHT_SCREENSHOT") + ".png");
    }
}
