#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/dialogs/UserPrompts.h"

using pw::app::SaveFileAnswer;
using pw::app::SaveFileRequest;

namespace {

constexpr char kTeamFilter[] = "Car data File (*.car)|*.car|CamSet File (*.cam)|*.cam";
constexpr char kPerformanceFilter[] =
    "GPEdit Performance file (*.txt)|*.txt|PerfEditor Performance file (*.g4p)|*.g4p";

// Runs the save dialog as a user would: steps the file-type list by keyboard (moves down, or up
// when negative), types a name and presses Enter.
std::optional<SaveFileAnswer> saveAs(const SaveFileRequest& request, int moves,
                                     const QString& typed) {
    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        answered = true;
        QComboBox* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        for (int i = 0; i < std::abs(moves); ++i)
            QTest::keyClick(types, moves > 0 ? Qt::Key_Down : Qt::Key_Up);
        QLineEdit* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        name->clear();
        QTest::keyClicks(name, typed);
        QTest::keyClick(name, Qt::Key_Return);
        if (dialog->isVisible()) dialog->reject();
    });
    pw::app::WidgetDialogRunner runner;
    const std::optional<SaveFileAnswer> answer = runner.saveFile(request);
    EXPECT_TRUE(answered) << "no save dialog showed";
    return answer;
}

}  // namespace

// The format follows the filter; a name typed without an extension takes that filter's
// extension, so the file also loads as what it holds.
TEST(SaveDialog, ANameWithoutExtensionTakesTheChosenFiltersExtension) {
    QTemporaryDir dir;
    struct Case {
        const char* filter;
        const char* defaultSuffix;
        int shownFirst;
        int moves;
        const char* typed;
        const char* file;
        int chosen;
    };
    const Case cases[] = {
        {kTeamFilter, "car", 1, 1, "mycams", "mycams.cam", 2},
        {kTeamFilter, "car", 1, 0, "myteam", "myteam.car", 1},
        {kTeamFilter, "car", 2, 0, "remembered", "remembered.cam", 2},
        {kTeamFilter, "car", 2, -1, "back", "back.car", 1},
        {kTeamFilter, "car", 1, 1, "typed.car", "typed.car", 2},
        {kPerformanceFilter, ".txt", 1, 1, "perf", "perf.g4p", 2},
        {kPerformanceFilter, ".txt", 2, -1, "perf", "perf.txt", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        SaveFileRequest request;
        request.title = QStringLiteral("Save");
        request.filter = QLatin1String(c.filter);
        request.defaultSuffix = QLatin1String(c.defaultSuffix);
        request.initialFolder = dir.path();
        request.filterIndex = c.shownFirst;
        const std::optional<SaveFileAnswer> answer =
            saveAs(request, c.moves, QLatin1String(c.typed));
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(answer->path.toStdString(), dir.filePath(QLatin1String(c.file)).toStdString());
        EXPECT_EQ(answer->filterIndex, c.chosen);
    }
}

TEST(SaveDialog, FilterSuffixes) {
    using pw::app::pipeFilterSuffix;
    EXPECT_EQ(pipeFilterSuffix(kTeamFilter, 0), "car");
    EXPECT_EQ(pipeFilterSuffix(kTeamFilter, 1), "cam");
    EXPECT_EQ(pipeFilterSuffix(kTeamFilter, 2), "");
    EXPECT_EQ(pipeFilterSuffix("All readable files|*.car;*.cam|All (*.*)|*.*", 0), "car");
    EXPECT_EQ(pipeFilterSuffix("All readable files|*.car;*.cam|All (*.*)|*.*", 1), "");
}
