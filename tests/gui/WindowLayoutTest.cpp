#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "app/dialogs/AboutDialog.h"
#include "app/dialogs/UserPrompts.h"
#include "app/window/CommandStrip.h"
#include "app/window/ComponentNames.h"
#include "app/window/DetailsPage.h"
#include "app/window/MainWindow.h"
#include "app/window/PreviewPane.h"
#include "app/window/QuickCamBar.h"

using pw::app::MainWindow;
using pw::app::PreviewPane;
namespace names = pw::app::names;

namespace {
// A caption as shown: without the "&" that marks its key ("&&" shows one "&").
QString shownText(const QAction* action) {
    QString text = action->text();
    for (int i = text.indexOf('&'); i >= 0; i = text.indexOf('&', i + 1)) text.remove(i, 1);
    return text;
}
}  // namespace

TEST(WindowLayout, SizeTitleAndPages) {
    MainWindow window;
    EXPECT_EQ(window.windowTitle().remove("[*]"), "Pitwright 2.4");
    EXPECT_EQ(window.size(), QSize(780, 560));
    EXPECT_EQ(window.minimumSize(), QSize(780, 560));
    const QStringList tabs = {"Cameras", "Positions", "Teams", "Drivers", "Images", "Slots"};
    ASSERT_EQ(window.tabs()->count(), tabs.size());
    for (int i = 0; i < tabs.size(); ++i) EXPECT_EQ(window.tabs()->tabText(i), tabs[i]);
    EXPECT_EQ(window.tabs()->tabText(window.tabs()->currentIndex()), "Drivers");
    EXPECT_EQ(window.tabs()->indexOf(window.detailsPage()), -1);
    window.show();
    QApplication::processEvents();
    EXPECT_FALSE(window.detailsPage()->isVisible());
    EXPECT_EQ(window.tabs()->width(), 340);
}

// At the smallest size every page shows all its columns and buttons: no page scrolls, no field
// lies outside what its page shows.
TEST(WindowLayout, EveryPageFitsTheSmallestWindow) {
    MainWindow window;
    window.show();
    window.resize(window.minimumSize());
    QApplication::processEvents();
    if (window.size() != window.minimumSize()) GTEST_SKIP() << "the window manager refused the size";
    for (int t = 0; t < window.tabs()->count(); ++t) {
        const std::string page = window.tabs()->tabText(t).toStdString();
        window.tabs()->setCurrentIndex(t);
        QApplication::processEvents();
        auto* area = qobject_cast<QScrollArea*>(window.tabs()->widget(t));
        ASSERT_NE(area, nullptr) << page;
        EXPECT_FALSE(area->verticalScrollBar()->isVisible()) << page;
        EXPECT_FALSE(area->horizontalScrollBar()->isVisible()) << page;
        const QRect shown = area->viewport()->rect();
        for (QWidget* child : area->widget()->findChildren<QWidget*>()) {
            if (!child->isVisible()) continue;
            const QRect at(child->mapTo(area->viewport(), QPoint(0, 0)), child->size());
            EXPECT_TRUE(shown.contains(at))
                << page << ": " << child->objectName().toStdString() << " "
                << child->metaObject()->className() << " at " << at.x() << "," << at.y() << " "
                << at.width() << "x" << at.height();
        }
    }
}

TEST(WindowLayout, EveryComponentNameIsThere) {
    MainWindow window;
    const pw::app::FieldRegistry& r = window.fields();
    QStringList expected;
    for (int n : {1, 10, 60, 100, 101, 102, 103, 104, 154, 105, 195, 106, 136, 196})
        expected << names::cameraField(n);
    for (int i = 0; i < 11; ++i) {
        expected << names::tcamY(i) << names::tcamZ(i) << names::helmetY(i) << names::helmetZ(i)
                 << names::wheelY(i) << names::wheelZ(i) << names::armSwatch(i, 0)
                 << names::armSwatch(i, 1) << names::rimSwatch(i, 0) << names::rimSwatch(i, 1)
                 << names::brandStepper(i) << names::brandCaption(i) << names::teamName(i)
                 << names::engineName(i) << names::qualifyPower(i) << names::racePower(i)
                 << names::failureRate(i) << names::gearCaption(i) << names::gearStepper(i)
                 << names::carShapeName(i) << names::teamsCaption(i) << names::positionsCaption(i)
                 << names::imagesCaption(i);
    }
    for (int d = 0; d < 22; ++d)
        expected << names::driverNumber(d) << names::driverName(d) << names::qualifyAbility(d)
                 << names::qualifyVariation(d) << names::raceAbility(d) << names::raceVariation(d);
    for (int a = 0; a < 3; ++a) expected << names::cockpitWheel(a) << names::cockpitDash(a);
    for (int n = 1; n <= 12; ++n) expected << names::tyrePosition(n);
    for (const QString& name : expected) EXPECT_TRUE(r.contains(name)) << name.toStdString();
    // Spot checks of the numbering: team 10's Z fields are 30, the last brand caption 31.
    EXPECT_TRUE(r.contains("LMDTC30"));
    EXPECT_TRUE(r.contains("PanelTT31"));
    EXPECT_TRUE(r.contains("UpDown22"));
    EXPECT_TRUE(r.contains("Panel160"));
    EXPECT_FALSE(r.contains("LMDEdit116"));
    EXPECT_FALSE(r.contains("LMDEdit126"));
    EXPECT_EQ(window.findChild<QWidget*>("LMDEdit105")->objectName(), "LMDEdit105");
}

TEST(WindowLayout, QuickCameraBar) {
    MainWindow window;
    pw::app::QuickCamBar* bar = window.commandStrip()->quickCams();
    const QStringList captions = {"C", "T", "1", "2",  "3", "4", "5", "6",
                                  "7", "8", "9", "10", "R", "F", "V"};
    for (int b = 0; b < 15; ++b) {
        EXPECT_EQ(bar->button(b)->text(), captions[b]);
        EXPECT_TRUE(bar->button(b)->font().bold());
    }
}

TEST(WindowLayout, PreviewPaneFollowsTheResizeRule) {
    struct Case {
        QSize window, pane;
    };
    const Case cases[] = {
        {{1000, 700}, {646, 484}}, {{1400, 560}, {560, 420}}, {{780, 560}, {426, 319}}};
    for (const Case& c : cases) EXPECT_EQ(PreviewPane::paneSize(c.window), c.pane);

    MainWindow window;
    EXPECT_EQ(window.previewPane()->pos(), QPoint(342, 82));
    window.show();
    for (const Case& c : cases) {
        window.resize(c.window);
        QApplication::processEvents();
        if (window.size() != c.window) GTEST_SKIP() << "the window manager refused the size";
        EXPECT_EQ(window.previewPane()->size(), c.pane);
        EXPECT_EQ(window.previewPane()->pos(), QPoint(342, 82));
    }
}

TEST(WindowLayout, MenusWithShortcutsSeparatorsAndIcons) {
    MainWindow window;
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(shownText(menus[0]), "File");
    EXPECT_EQ(shownText(menus[1]), "Edit");
    EXPECT_EQ(shownText(menus[2]), "Options");
    EXPECT_EQ(shownText(menus[3]), "About");
    auto entries = [](QAction* menu) {
        QStringList out;
        for (QAction* a : menu->menu()->actions())
            out << (a->isSeparator() ? QStringLiteral("-")
                                     : shownText(a) + "|" + a->shortcut().toString());
        return out;
    };
    EXPECT_EQ(entries(menus[0]),
              QStringList({"Import All|Ctrl+I", "Export All|Ctrl+E", "-", "Load Team File|Ctrl+O",
                           "Save Team File|Ctrl+S", "-",
                           "Load Performance File|Ctrl+Shift+O",
                           "Save Performance file|Ctrl+Shift+S", "-", "Quit|Ctrl+Q"}));
    EXPECT_EQ(entries(menus[1]), QStringList({"Undo|Ctrl+Z", "Redo|Ctrl+Shift+Z"}));
    EXPECT_EQ(entries(menus[2]), QStringList({"Default All (but images)|", "-", "Change Cars wad|",
                                              "Change GP4 Path|", "Change Images Path|",
                                              "Restore Game Files...|"}));
    EXPECT_EQ(entries(menus[3]), QStringList({"About Pitwright...|"}));
    for (QAction* menu : menus)
        for (QAction* a : menu->menu()->actions())
            if (!a->isSeparator()) {
                EXPECT_FALSE(a->icon().isNull()) << a->text().toStdString();
                EXPECT_EQ(a->icon().availableSizes().value(0), QSize(18, 18));
            }
}

TEST(WindowLayout, EveryMenuCaptionHasItsOwnKey) {
    MainWindow window;
    // The keys of a menu's captions: every caption has one, no two share one. The menu bar
    // counts as a menu.
    auto expectOwnKeys = [](const QList<QAction*>& actions) {
        QStringList keys;
        for (QAction* a : actions) {
            if (a->isSeparator()) continue;
            const QKeySequence key = QKeySequence::mnemonic(a->text());
            EXPECT_FALSE(key.isEmpty()) << shownText(a).toStdString();
            EXPECT_FALSE(keys.contains(key.toString())) << shownText(a).toStdString();
            keys << key.toString();
        }
    };
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    expectOwnKeys(menus);
    for (QAction* menu : menus) expectOwnKeys(menu->menu()->actions());
}

TEST(WindowLayout, AboutDialogIsSmallAndNonModal) {
    MainWindow window;
    window.show();
    window.aboutAction()->trigger();
    pw::app::AboutDialog* about = window.aboutDialog();
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->windowTitle(), "Credits");
    EXPECT_EQ(about->size(), QSize(264, 195));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    QTest::mouseClick(about->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
}

TEST(FileFilters, PipeFormBecomesQtForm) {
    using pw::app::qtFileFilter;
    EXPECT_EQ(qtFileFilter("GP4.exe|*.exe"), "GP4.exe (*.exe)");
    EXPECT_EQ(qtFileFilter("GP4 Image file (*.gpi)|*.gpi"), "GP4 Image file (*.gpi) (*.gpi)");
    EXPECT_EQ(qtFileFilter("All readable files|*.car;*.cam;*.tyr|All (*.*)|*.*"),
              "All readable files (*.car *.cam *.tyr);;All (*.*) (*.*)");
    EXPECT_EQ(qtFileFilter("All Performance files (*.g4p,*.txt)|*.g4p;*.txt"),
              "All Performance files (*.g4p,*.txt) (*.g4p *.txt)");
}

// The dialog lists every filter under its name exactly as written, and a chosen filter is found
// again whichever form the dialog reports it in.
TEST(FileFilters, DialogShowsTheNamesAsWritten) {
    const QString pipe = QStringLiteral(
        "All Performance files (*.g4p,*.txt)|*.g4p;*.txt|GP4Editor Performance file (*.txt)|*.txt|"
        "PerfEditor Performance file (*.g4p)|*.g4p|All (*.*)|*.*|GP4.exe|*.exe|wad files|*.wad");
    const QStringList names = {"All Performance files (*.g4p,*.txt)",
                               "GP4Editor Performance file (*.txt)",
                               "PerfEditor Performance file (*.g4p)",
                               "All (*.*)",
                               "GP4.exe",
                               "wad files"};
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QStringList filters = pw::app::setPipeFilter(dialog, pipe);
    ASSERT_EQ(filters.size(), names.size());
    QComboBox* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    QStringList shown;
    for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
    EXPECT_EQ(shown, names);
    for (int i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i].toStdString());
        dialog.selectNameFilter(filters[i]);
        EXPECT_EQ(pw::app::pipeFilterIndex(pipe, dialog.selectedNameFilter()), i);
        EXPECT_EQ(pw::app::pipeFilterIndex(pipe, filters[i]), i);
        EXPECT_EQ(pw::app::pipeFilterIndex(pipe, names[i]), i);
    }
    EXPECT_EQ(pw::app::pipeFilterIndex(pipe, "Car data File"), -1);
}

TEST(WindowLayout, ScreenshotShowsTheWindow) {
    MainWindow window;
    window.centreOnScreen();
    window.show();
    QApplication::processEvents();
    const QImage shot = window.grab().toImage();
    ASSERT_EQ(shot.size(), window.size());
    // The preview pane is black inside its border.
    const QRect pane = window.previewPane()->geometry().translated(window.centralWidget()->pos());
    EXPECT_EQ(shot.pixelColor(pane.center()), QColor(Qt::black));
    if (qEnvironmentVariableIsSet("PITWRIGHT_SCREENSHOT")) {
        QImage pages(342 * 3, 2 * 560, QImage::Format_RGB32);
        QPainter painter(&pages);
        for (int t = 0; t < window.tabs()->count(); ++t) {
            window.tabs()->setCurrentIndex(t);
            QApplication::processEvents();  // lays out the page just shown
            painter.drawImage(342 * (t % 3), 560 * (t / 3),
                              window.grab(QRect(0, 0, 342, 560)).toImage());
        }
        painter.end();
        pages.save(qEnvironmentVariable("PITWRIGHT_SCREENSHOT") + "pages.png");
        shot.save(qEnvironmentVariable("PITWRIGHT_SCREENSHOT") + ".png");
    }
}
