#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "DemoFolder.h"
#include "GameFileFixtures.h"
#include "core/archive/TyrePositions.h"
#include "core/tables/ExeTables.h"
#include "core/tables/ImportFiles.h"
#include "core/tables/SaveState.h"
#include "core/transfer/ExportAll.h"

using namespace pw;
using namespace pw::test;

namespace {

// Export All without a window, as a command line would run it: the game read into a model and
// recorded, then written back.
class ExportWithoutWindow : public testing::Test {
protected:
    void SetUp() override {
        files.folder = game.path();
        files.exe = game.exe();
        files.saveState = game.saveState();
        files.carsArchive = game.carsWad();
        files.imagesFolder = game.file(QStringLiteral("MenuData/PC/GP2001/images"));
        record = transfer::RecordImport(files);
        model::ImportFiles opened(files.exe, files.saveState);
        model::ReadExeTables(opened.exe(), model);
        wad::ReadTyrePositions(files.carsArchive, model);
        model::ReadTyreBrands(opened, model);
        model::ReadSaveStateTables(opened, model);
        model::GetNames(opened.exe(), model);
        record.game.versionByte = model.versionByte;
        settings.backupsRoot = backups.filePath(QStringLiteral("backups"));
    }
    transfer::ExportResult exportAll() {
        return transfer::ExportAll(
            model, files, record, [this](const QString& n) { notes << n; }, settings);
    }
    QStringList backupFolders() const {
        return QDir(settings.backupsRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    }

    DemoFolder game;
    QTemporaryDir backups;
    transfer::GameFiles files;
    transfer::ImportRecord record;
    transfer::ExportSettings settings;
    model::EditorModel model;
    QStringList notes;
};

}  // namespace

// The same values written back change no byte: no backup is kept and nothing is reported changed.
TEST_F(ExportWithoutWindow, WritingTheSameBytesKeepsNoBackup) {
    const auto before = game.snapshot();
    const transfer::ExportResult result = exportAll();
    EXPECT_TRUE(notes.isEmpty()) << notes.join('\n').toStdString();
    EXPECT_FALSE(result.backup.has_value());
    EXPECT_TRUE(result.changed.isEmpty()) << result.changed.join('\n').toStdString();
    EXPECT_TRUE(game.snapshot() == before);
    EXPECT_TRUE(backupFolders().isEmpty()) << backupFolders().join('\n').toStdString();
}

// An export hands back the record of what it wrote: the next export checks against that one,
// and the record of before the export no longer matches the game.
TEST_F(ExportWithoutWindow, TheNextExportChecksAgainstTheRecordHandedBack) {
    model.drivers[0].number = 77;
    const transfer::ExportResult first = exportAll();
    ASSERT_TRUE(first.backup.has_value());
    EXPECT_TRUE(first.changed.contains(first.backup->gamePath(first.backup->entries[1])))
        << first.changed.join('\n').toStdString();
    EXPECT_EQ(backupFolders().size(), 1);

    model.drivers[0].number = 78;
    const auto afterFirst = game.snapshot();
    try {
        exportAll();  // with the record of before the first export
        ADD_FAILURE() << "no error";
    } catch (const transfer::ExportError& e) {
        EXPECT_EQ(e.state(), transfer::ExportError::State::Untouched);
        EXPECT_TRUE(e.message().contains("has changed since the last Import All"))
            << e.message().toStdString();
    }
    EXPECT_TRUE(game.snapshot() == afterFirst);

    record = first.record;
    const transfer::ExportResult second = exportAll();
    ASSERT_TRUE(second.backup.has_value());
    EXPECT_FALSE(game.snapshot() == afterFirst);
    EXPECT_EQ(backupFolders().size(), 2);
}
