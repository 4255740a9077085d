#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "EditorHarness.h"
#include "FileSizeLimit.h"
#include "GameFileFixtures.h"
#include "WindowValues.h"
#include "app/dialogs/SaveSelectionDialog.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/Stepper.h"
#include "app/window/ComponentNames.h"
#include "app/window/PreviewPane.h"
#include "app/window/WindowFields.h"
#include "core/ownfiles/TeamFile.h"
#include "core/tables/Conversions.h"
#include "core/location/SettingsStore.h"
#include "core/tables/TyreBrands.h"

using namespace pw;
using namespace pw::test;
namespace names = pw::app::names;

namespace {

QString nativeFolder(const QString& folder) {
    return QDir::toNativeSeparators(folder) + QDir::separator();
}

QString setting(EditorHarness& h, const char* key) {
    return h.settings().read(QLatin1String(model::settings::kSection), QLatin1String(key),
                             QStringLiteral("<absent>"));
}

// The model values a team file or set can change, as bytes: a version 4 file of everything
// (cameras from the records) and the chase words.
QByteArray modelImage(const model::EditorModel& m) {
    files::ShownCameras shown;
    for (int r = 0; r < model::kCameraCount; ++r)
        for (int f = 0; f < model::kCameraFieldCount; ++f)
            shown.records[r][f] = m.cameras[r].field[f];
    return files::writeTeamFile(m, shown, files::TeamFileSelection::all()) + u16le(m.chaseY) +
           u16le(m.chaseZ);
}

class TeamFileCommands : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        h.editor().setSaveSelection(&dialog);
        h.importAll();
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    void setCamera(int id, int value) { h.setText(names::cameraField(id), QString::number(value)); }

    // Gives every box a team file carries a value the demo game does not hold (the car-shape
    // names, which a save takes from the model, in the model); returns what the boxes show.
    WindowValues editEverything() {
        for (int r = 0; r < model::kCameraCount; ++r) {
            const int shown[model::kCameraFieldCount] = {410 + r,    430 + r, -(420 + r), 140 + r,
                                                         -(105 + r), 13 + r,  460 + r,    470 + r,
                                                         480 + r,    490 + r};
            for (int f = 0; f < model::kCameraFieldCount; ++f) {
                const int id = model::cameraFieldId(r, model::CameraField(f));
                if (id != 116 && id != 126) setCamera(id, shown[f]);
            }
        }
        setCamera(101, 123);
        setCamera(102, -45);
        const app::WindowFields& fields = h.editor().fields();
        for (int t = 0; t < model::kTeamCount; ++t) {
            h.setText(names::tcamY(t), QString::number(50 + t));
            h.setText(names::tcamZ(t), QString::number(-(60 + t)));
            h.setText(names::helmetY(t), QString::number(12 + t));
            h.setText(names::helmetZ(t), QString::number(-(7 + t)));
            h.setText(names::wheelY(t), QString::number(13.5 + t));
            h.setText(names::wheelZ(t), QString::number(-(4 + t)));
            fields.swatch(names::armSwatch(t, 0))->setColourValue(0x102030u + t);
            fields.swatch(names::rimSwatch(t, 0))->setColourValue(0x405060u + t);
            app::Stepper* brand = fields.stepper(names::brandStepper(t));
            brand->step(brand->position() == brand->maximum() ? -1 : 1);
            h.model().teams[t].carShapeName = "zcar" + QByteArray::number(t);
        }
        const char* cockpit[] = {"1.5", "95.5", "-2.5"};
        const char* dash[] = {"0.8", "64.5", "4.5"};
        for (int axis = 0; axis < 3; ++axis) {
            h.setText(names::cockpitWheel(axis), QLatin1String(cockpit[axis]));
            h.setText(names::cockpitDash(axis), QLatin1String(dash[axis]));
        }
        for (int n = 1; n <= 12; ++n)
            h.setText(names::tyrePosition(n), QString::number(-(300 + 7 * n)));
        WindowValues edited = windowValues(h.editor(), teamFileBoxes());
        // The names show once a team file brings them.
        for (int t = 0; t < model::kTeamCount; ++t)
            edited[names::carShapeName(t)] = QStringLiteral("Zcar%1").arg(t);
        return edited;
    }

    // "Save Team File": the dialog shows, tick prepares its boxes, "Save" runs the save, whose
    // file dialog answers with file and filter.
    void saveTeamFile(const QString& file, int filter, const std::function<void()>& tick = {}) {
        h.window().saveTeamAction()->trigger();
        ASSERT_TRUE(dialog.isVisible());
        if (tick) tick();
        h.dialogs.saves.push_back({file, filter});
        QTest::mouseClick(dialog.findChild<QPushButton*>("LMDButton1"), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    }

    void load(const QString& file) {
        h.dialogs.files.push_back(file);
        h.window().loadTeamAction()->trigger();
    }

    void expectFailedSaves(const QString& file);

    QCheckBox* box(const QString& name) { return dialog.findChild<QCheckBox*>(name); }
    void unselectAll() {
        auto* button = dialog.findChild<QPushButton*>("LMDButton2");
        if (button->text() == "Unselect ALL") QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_EQ(dialog.selection(), files::TeamFileSelection{});
    }

    EditorHarness h;
    app::SaveSelectionDialog dialog;
    QTemporaryDir dir;
};

// ---- Round trips -------------------------------------------------------------------------------

TEST_F(TeamFileCommands, EverythingTickedRoundTripsIntoAFreshImport) {
    const WindowValues edited = editEverything();
    saveTeamFile(path("all.car"), 1);
    ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    EXPECT_EQ(h.editor().status(), "All Team Datas have been saved");
    EXPECT_EQ(readFile(path("all.car")).size(), 1040);

    h.importAll();
    h.click(names::teamsCaption(5));
    ASSERT_EQ(h.model().SelectedTeam, 5);
    h.editor().previewInputs() = {};
    // A car-2 swatch something has enabled again is disabled by the load.
    h.editor().fields().swatch(names::armSwatch(3, 1))->setEnabled(true);
    const WindowValues before = windowValues(h.editor(), teamFileBoxes());
    load(path("all.car"));
    ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    EXPECT_EQ(h.editor().status(), "All Cameras have been loaded.");

    WindowValues changed;
    for (const auto& [name, value] : edited)
        if (value != before.at(name)) changed[name] = value;
    // Only the car-2 swatches, disabled by both Import All and the load, keep their look.
    EXPECT_EQ(changed.size(), edited.size() - 2 * model::kTeamCount + 1);
    for (const auto& [name, value] : edited)
        if (!changed.count(name) && !value.endsWith(" disabled"))
            ADD_FAILURE() << name.toStdString() << " already held " << value.toStdString();
    expectOnlyChanged(before, changed, windowValues(h.editor(), teamFileBoxes()));

    // The reactions run after the fill: team 0 selected, its helmet and the dashboard, tyres and
    // car shape handed to the preview, edits live again.
    EXPECT_EQ(h.model().EditsLive, 1);
    EXPECT_EQ(h.model().SelectedTeam, 0);
    // The fill itself stays quiet: a T-Cam field reacting would have selected the T-Cam row.
    EXPECT_EQ(h.model().SelectedCamera, 105);
    EXPECT_FLOAT_EQ(h.editor().previewInputs().helmetY, 12 / 100.0f);
    EXPECT_TRUE(h.editor().previewInputs().dashboardChanged);
    EXPECT_TRUE(h.editor().previewInputs().tyresChanged);
    EXPECT_TRUE(h.editor().previewInputs().shapeChanged);
    EXPECT_EQ(h.model().currentShapeName, "zcar0");
    EXPECT_EQ(h.model().teams[10].carShapeName, "zcar10");
    EXPECT_FLOAT_EQ(h.model().cockpit.dashY,
                    model::cockpitToFile(model::CockpitField::DashY, 64.5));
}

TEST_F(TeamFileCommands, PartialSelectionChangesOnlyTheTickedBlocks) {
    const WindowValues edited = editEverything();
    saveTeamFile(path("part.car"), 1, [&] {
        unselectAll();
        for (const char* name : {"CBCam3", "CBCam2", "CB1", "CB32", "CB77", "CBDash"})
            box(QLatin1String(name))->click();
    });
    ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    // Header, cameras 11 and 2, team 0's T-Cam, team 3's helmet, the dashboard, one name.
    EXPECT_EQ(readFile(path("part.car")).size(), 20 + 2 * 20 + 4 + 8 + 12 + 32);

    h.importAll();
    // Teams and blocks the file does not hold keep what the window shows, typed or not.
    h.setText(names::helmetY(6), "77");
    h.editor().fields().swatch(names::rimSwatch(9, 0))->setColourValue(0x0a0b0c);
    const WindowValues before = windowValues(h.editor(), teamFileBoxes());
    load(path("part.car"));
    ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();

    QStringList expected = {names::tcamY(0),       names::tcamZ(0),       names::helmetY(3),
                            names::helmetZ(3),     names::cockpitDash(0), names::cockpitDash(1),
                            names::cockpitDash(2), names::carShapeName(0)};
    for (int column = 0; column < 10; ++column) {
        expected << names::cameraField(2 + 10 * column);  // "Camera 1" is record 2
        if (column != 1 && column != 2) expected << names::cameraField(106 + 10 * column);
    }
    WindowValues changed;
    for (const QString& name : expected) changed[name] = edited.at(name);
    expectOnlyChanged(before, changed, windowValues(h.editor(), teamFileBoxes()));
    // Ticking team 7's name stores team 0's.
    EXPECT_EQ(h.model().teams[0].carShapeName, "zcar0");
    EXPECT_NE(h.model().teams[7].carShapeName, "zcar7");
}

TEST_F(TeamFileCommands, CameraSetRoundTripsTheCamerasAndChases) {
    const WindowValues edited = editEverything();
    saveTeamFile(path("set.cam"), 2);
    ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    EXPECT_EQ(h.editor().status(), "All Cameras have been saved");
    EXPECT_EQ(readFile(path("set.cam")).size(), 244);

    h.importAll();
    const int repaints = h.window().previewPane()->repaintRequests();
    const WindowValues before = windowValues(h.editor(), teamFileBoxes());
    load(path("set.cam"));
    ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    EXPECT_EQ(h.editor().status(), "All Camset's Datas have been loaded.");
    EXPECT_EQ(h.model().EditsLive, 1);
    EXPECT_GT(h.window().previewPane()->repaintRequests(), repaints);

    WindowValues changed;
    for (const auto& [name, value] : edited)
        if (name.startsWith("LMDEdit")) changed[name] = value;
    expectOnlyChanged(before, changed, windowValues(h.editor(), teamFileBoxes()));
}

TEST_F(TeamFileCommands, TyreSetSetsTheBrandSelectorsOnly) {
    const WindowValues before = windowValues(h.editor(), everyValueBox());
    QByteArray set;
    WindowValues changed;
    for (int t = 0; t < model::kTeamCount; ++t) {
        // Every team moves; the second team, whose selector alone offers McLaren, to McLaren.
        const int was = before.at(names::brandStepper(t)).toInt();
        const int brand = t == 1 ? (was == 2 ? 0 : 2) : 1 - was;
        set += u16le(uint16_t(brand));
        changed[names::brandStepper(t)] = QString::number(brand);
        changed[names::brandCaption(t)] = QLatin1String(model::TyreBrandNames[brand]);
    }
    writeFile(path("brands.TYR"), set);
    const int repaints = h.window().previewPane()->repaintRequests();
    load(path("brands.TYR"));
    ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    EXPECT_EQ(h.editor().status(), "Tyre Set loaded");
    EXPECT_EQ(h.window().previewPane()->repaintRequests(), repaints);
    expectOnlyChanged(before, changed, windowValues(h.editor(), everyValueBox()));
    EXPECT_EQ(h.model().teams[1].tyreBrand, changed[names::brandStepper(1)].toInt());
}

TEST_F(TeamFileCommands, ATyreBrandTheSelectorCannotHoldShowsItsNearestPosition) {
    QByteArray set;
    for (int t = 0; t < model::kTeamCount; ++t) set += u16le(2);  // McLaren for everyone
    writeFile(path("mclaren.tyr"), set);
    load(path("mclaren.tyr"));
    ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    EXPECT_EQ(h.text(names::brandCaption(0)), "Michelin");
    EXPECT_EQ(h.editor().fields().stepper(names::brandStepper(0))->position(), 1);
    EXPECT_EQ(h.model().teams[0].tyreBrand, 1);
    EXPECT_EQ(h.text(names::brandCaption(1)), QLatin1String(model::TyreBrandNames[2]));
}

// ---- Older layouts ----------------------------------------------------------------------------

enum class OldLayout { Headerless, HeaderlessWithCockpit, Version3 };

// The blocks of a version 4 file of everything, laid out again as an older file.
QByteArray olderFile(const files::TeamFileContent& c, OldLayout layout) {
    QByteArray b;
    const auto camera = [&](int r) {
        for (int16_t f : c.cameras[r].field) b += u16le(uint16_t(f));
    };
    const auto teams = [&](const std::function<void(const files::TeamFileTeam&)>& block) {
        for (int i = 0; i < model::kTeamCount; ++i)
            block(c.teams[layout == OldLayout::Version3 ? model::kTeamCount - 1 - i : i]);
    };
    const auto wheelPositions = [&] {
        for (const auto& wheel : c.wheelPositions)
            for (float p : wheel) b += f32le(p);
    };
    const auto cockpit = [&] {
        const model::CockpitPositions& p = c.cockpit;
        for (float v : {p.dashX, p.dashZ, p.dashY, p.wheelX, p.wheelZ, p.wheelY}) b += f32le(v);
    };
    if (layout == OldLayout::Version3) {
        b = u16le(3) + u16le(0x0FFF);
        for (int m = 0; m < 5; ++m) b += u16le(0x07FF);
        b += u16le(0x000F);
        for (int r = model::kCameraCount - 1; r >= 0; --r) camera(r);
    } else {
        for (int r = 0; r < model::kCameraCount; ++r) camera(r);
    }
    b += u16le(uint16_t(c.chaseY)) + u16le(uint16_t(c.chaseZ));
    teams([&](const files::TeamFileTeam& t) {
        b += u16le(uint16_t(t.tcamZ)) + u16le(uint16_t(t.tcamY));
    });
    teams([&](const files::TeamFileTeam& t) { b += f32le(t.helmetZ) + f32le(t.helmetY); });
    teams([&](const files::TeamFileTeam& t) { b += u32le(t.armColour); });
    teams([&](const files::TeamFileTeam& t) { b += u32le(t.rimColour); });
    if (layout == OldLayout::Version3) {
        teams([&](const files::TeamFileTeam& t) { b += u32le(uint32_t(t.tyreBrand)); });
        wheelPositions();
        cockpit();
    } else {
        wheelPositions();
        // The save-state's brand codes: Bridgestone's, or any other code for Michelin.
        teams([&](const files::TeamFileTeam& t) {
            b += u32le(t.tyreBrand == 0 ? model::TyreBrandCodes[0] : 0x01020304u);
        });
        if (layout == OldLayout::HeaderlessWithCockpit) cockpit();
    }
    return b;
}

TEST_F(TeamFileCommands, OlderLayoutsChangeWhatTheyHoldAndNothingElse) {
    struct Case {
        const char* name;
        OldLayout layout;
        int size;
        bool cockpit;  // the cockpit steering wheel and dashboard are in the file
    };
    const Case cases[] = {
        {"v3.car", OldLayout::Version3, 16 + 240 + 4 + 44 + 88 + 3 * 44 + 48 + 24, true},
        {"old.car", OldLayout::Headerless, 556, false},
        {"oldcockpit.CAR", OldLayout::HeaderlessWithCockpit, 580, true}};
    const WindowValues edited = editEverything();
    saveTeamFile(path("all.car"), 1);
    const files::TeamFileContent all = files::readTeamFile(readFile(path("all.car")), "all.car");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray bytes = olderFile(all, c.layout);
        ASSERT_EQ(bytes.size(), c.size);
        writeFile(path(c.name), bytes);
        h.importAll();
        const WindowValues before = windowValues(h.editor(), teamFileBoxes());
        load(path(c.name));
        ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
        EXPECT_EQ(h.editor().status(), "All Cameras have been loaded.");

        WindowValues changed;
        for (const auto& [name, value] : edited) {
            const bool carried =
                name.startsWith("LMDEdit") || name.startsWith("LMDTC") ||
                name.startsWith("LMDHP") || name.startsWith("LMDTP") || name.startsWith("UpDown") ||
                name.startsWith("PanelTT") ||
                ((name.startsWith("PanelAC") || name.startsWith("PanelRC")) &&
                 !value.endsWith(" disabled")) ||
                (c.cockpit && (name.startsWith("LMDSW") || name.startsWith("LMDDB")));
            if (carried) changed[name] = value;
        }
        if (c.layout != OldLayout::Version3)
            for (int t = 0; t < model::kTeamCount; ++t) {  // brand codes know two brands only
                const int brand = edited.at(names::brandStepper(t)) == "0" ? 0 : 1;
                changed[names::brandStepper(t)] = QString::number(brand);
                changed[names::brandCaption(t)] = QLatin1String(model::TyreBrandNames[brand]);
            }
        for (auto it = changed.begin(); it != changed.end();)  // a brand may come back as it was
            it = before.at(it->first) == it->second ? changed.erase(it) : std::next(it);
        expectOnlyChanged(before, changed, windowValues(h.editor(), teamFileBoxes()));
    }
}

// ---- Bad files ---------------------------------------------------------------------------------

struct BadFile {
    const char* name;
    std::function<QByteArray(const model::EditorModel&)> bytes;  // none: no such file
};

TEST_F(TeamFileCommands, ABadOrCutShortFileChangesNothingAndSaysSo) {
    const auto allTicked = [](const model::EditorModel& m) {
        return files::writeTeamFile(m, {}, files::TeamFileSelection::all());
    };
    const BadFile cases[] = {
        {"cut.car", [&](const model::EditorModel& m) { return allTicked(m).left(1030); }},
        {"cutheader.car", [&](const model::EditorModel& m) { return allTicked(m).left(12); }},
        {"old.car", [](const model::EditorModel&) { return u16le(7) + QByteArray(498, '\1'); }},
        {"mask.car",
         [](const model::EditorModel&) { return u16le(4) + u16le(0x1000) + QByteArray(16, 0); }},
        {"brand.car",
         [](const model::EditorModel&) {
             QByteArray b = u16le(4) + QByteArray(18, 0) + u32le(5);
             poke(b, 12, u16le(1));  // team 0's tyre brand, index 5
             return b;
         }},
        {"short.cam", [](const model::EditorModel&) { return QByteArray(100, '\2'); }},
        {"short.tyr", [](const model::EditorModel&) { return QByteArray(21, 0); }},
        {"bad.tyr", [](const model::EditorModel&) { return u16le(3) + QByteArray(20, 0); }},
        {"missing.car", nullptr},
    };
    editEverything();
    for (const BadFile& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(QLatin1String(c.name));
        if (c.bytes) writeFile(file, c.bytes(h.model()));
        h.editor().setStatus("before");
        h.messages.errors.clear();
        const WindowValues before = windowValues(h.editor(), everyValueBox());
        const QByteArray modelBefore = modelImage(h.model());

        load(file);

        ASSERT_EQ(h.messages.errors.size(), 1);
        EXPECT_TRUE(h.messages.errors[0].contains(file)) << h.messages.errors[0].toStdString();
        EXPECT_TRUE(h.messages.errors[0].endsWith("Nothing has been loaded."));
        EXPECT_TRUE(h.messages.shown.isEmpty());
        EXPECT_EQ(h.editor().status(), "before");
        EXPECT_EQ(h.model().EditsLive, 1);
        EXPECT_EQ(modelImage(h.model()), modelBefore);
        expectOnlyChanged(before, {}, windowValues(h.editor(), everyValueBox()));
    }
}

TEST_F(TeamFileCommands, AFieldThatIsNotANumberStopsTheLoadBeforeAnyChange) {
    editEverything();
    saveTeamFile(path("all.car"), 1);
    h.importAll();
    h.setText(names::helmetZ(4), "1-2");
    h.messages.errors.clear();  // the helmet's own reaction has already said so
    const WindowValues before = windowValues(h.editor(), everyValueBox());
    const QByteArray modelBefore = modelImage(h.model());
    load(path("all.car"));
    ASSERT_EQ(h.messages.errors.size(), 1);
    EXPECT_TRUE(h.messages.errors[0].contains("Helmets Z of team 5"))
        << h.messages.errors[0].toStdString();
    EXPECT_EQ(h.model().EditsLive, 1);
    EXPECT_EQ(modelImage(h.model()), modelBefore);
    expectOnlyChanged(before, {}, windowValues(h.editor(), everyValueBox()));
}

// ---- Failed saves ------------------------------------------------------------------------------

// Saves into file with each filter; every save must fail, say so and leave what was there.
void TeamFileCommands::expectFailedSaves(const QString& file) {
    const bool existed = QFile::exists(file);
    const QByteArray earlier = existed ? readFile(file) : QByteArray();
    for (int filter : {1, 2}) {
        SCOPED_TRACE(filter == 1 ? "team file" : "camera set");
        h.editor().setStatus("before");
        h.messages.errors.clear();
        saveTeamFile(file, filter);
        ASSERT_EQ(h.messages.errors.size(), 1);
        EXPECT_TRUE(h.messages.errors[0].contains(file)) << h.messages.errors[0].toStdString();
        EXPECT_TRUE(h.messages.errors[0].endsWith(
            "Nothing has been saved: an earlier file of that name is left as it was."));
        EXPECT_EQ(h.editor().status(), "before");
        EXPECT_EQ(QFile::exists(file), existed);
        if (existed) {
            EXPECT_EQ(readFile(file), earlier);
        }
    }
}

TEST_F(TeamFileCommands, ASaveIntoAFolderThatDoesNotExistSaysSo) {
    expectFailedSaves(path("none/new.car"));
}

TEST_F(TeamFileCommands, AFailedSaveLeavesTheEarlierFileWhole) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows ignores a folder's read-only attribute: it cannot stop a save";
#else
    if (geteuid() == 0) GTEST_SKIP() << "running as root: a read-only folder cannot stop a save";
#endif
    QDir(dir.path()).mkdir("locked");
    const QString locked = path("locked");
    writeFile(locked + "/old.car", "earlier file");
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    expectFailedSaves(locked + "/old.car");
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(TeamFileCommands, ASaveOnAFullDiskLeavesTheEarlierFileWhole) {
    const QString file = path("old.car");
    writeFile(file, QByteArray(1040, '\x5a'));
    FileSizeLimit full(100);
    expectFailedSaves(file);
}

TEST_F(TeamFileCommands, AFieldThatIsNotANumberStopsTheSaveBeforeItsDialog) {
    h.setText(names::cameraField(34), "--5");
    saveTeamFile(path("never.car"), 1);
    ASSERT_EQ(h.messages.errors.size(), 1);
    EXPECT_TRUE(h.messages.errors[0].contains("Camera field 34"))
        << h.messages.errors[0].toStdString();
    EXPECT_TRUE(h.dialogs.saveRequests.empty());
    EXPECT_FALSE(QFile::exists(path("never.car")));
}

// ---- Dialogs, remembered paths, the save-selection dialog --------------------------------------

TEST_F(TeamFileCommands, DialogsStartFromTheRememberedPaths) {
    writeFile(path("a.cam"), QByteArray(244, 0));
    load(QString());  // cancelled: nothing remembered, nothing read
    ASSERT_EQ(h.dialogs.requests.size(), 1u);
    const app::OpenFileRequest& first = h.dialogs.requests[0];
    EXPECT_EQ(first.title, "Load CamSet");
    EXPECT_EQ(first.filter,
              "All readable files|*.car;*.cam;*.tyr|Car datas file (*.car)|*.car|Camset file "
              "(*.cam)|*.cam|Tyreset file (*.tyr)|*.tyr|All (*.*)|*.*");
    EXPECT_EQ(first.initialFolder, nativeFolder(QDir::currentPath()));
    EXPECT_EQ(first.initialName, "");
    EXPECT_EQ(setting(h, "LoadTeamPath"), "<absent>");

    h.dialogs.files.push_back(path("a.cam"));
    h.window().loadTeamAction()->trigger();
    EXPECT_EQ(setting(h, "LoadTeamPath"), QDir::toNativeSeparators(path("a.cam")));
    load(QString());
    EXPECT_EQ(h.dialogs.requests.back().initialFolder, nativeFolder(dir.path()));
    EXPECT_EQ(h.dialogs.requests.back().initialName, "a.cam");

    // The save proposes the name last loaded; a ".cam" name preselects the camera set filter.
    saveTeamFile(QString(), 1);
    h.dialogs.saves.clear();
    ASSERT_EQ(h.dialogs.saveRequests.size(), 1u);
    const app::SaveFileRequest& save = h.dialogs.saveRequests[0];
    EXPECT_EQ(save.title, "Save CamSet");
    EXPECT_EQ(save.filter, "Car data File (*.car)|*.car|CamSet File (*.cam)|*.cam");
    EXPECT_EQ(save.defaultSuffix, "car");
    EXPECT_EQ(save.initialFolder, nativeFolder(QDir::currentPath()));
    EXPECT_EQ(save.initialName, "a.cam");
    EXPECT_EQ(save.filterIndex, 2);
    EXPECT_EQ(setting(h, "SaveTeamPath"), "<absent>");

    saveTeamFile(path("b.car"), 1);
    EXPECT_EQ(setting(h, "SaveTeamPath"), QDir::toNativeSeparators(path("b.car")));
    writeFile(path("c.car"), readFile(path("b.car")));
    load(path("c.car"));
    // Otherwise the dialog keeps the filter it last had.
    saveTeamFile(path("d.car"), 2);
    EXPECT_EQ(h.dialogs.saveRequests.back().filterIndex, 1);
    EXPECT_EQ(h.dialogs.saveRequests.back().initialFolder, nativeFolder(dir.path()));
    EXPECT_EQ(h.dialogs.saveRequests.back().initialName, "c.car");
    // The format follows the filter: a camera set under a ".car" name.
    EXPECT_EQ(readFile(path("d.car")).size(), 244);
    saveTeamFile(QString(), 1);
    EXPECT_EQ(h.dialogs.saveRequests.back().filterIndex, 2);
    EXPECT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
}

TEST_F(TeamFileCommands, AnUnknownEndingIsRememberedButReadsNothing) {
    writeFile(path("notes.txt"),
              files::writeTeamFile(h.model(), {}, files::TeamFileSelection::all()));
    const WindowValues before = windowValues(h.editor(), everyValueBox());
    load(path("notes.txt"));
    EXPECT_EQ(setting(h, "LoadTeamPath"), QDir::toNativeSeparators(path("notes.txt")));
    EXPECT_TRUE(h.messages.errors.isEmpty());
    EXPECT_TRUE(h.messages.shown.isEmpty());
    EXPECT_EQ(h.editor().status(), "Import Done");
    expectOnlyChanged(before, {}, windowValues(h.editor(), everyValueBox()));
}

TEST_F(TeamFileCommands, SaveSelectionShowsWithoutBlockingAndTicksAllAfterImport) {
    h.window().show();
    h.window().saveTeamAction()->trigger();
    ASSERT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.selection(), files::TeamFileSelection::all());
    unselectAll();
    EXPECT_EQ(dialog.findChild<QPushButton*>("LMDButton2")->text(), "Select ALL");
    dialog.close();

    // Shown again without an Import All: the ticks persist.
    h.window().saveTeamAction()->trigger();
    EXPECT_EQ(dialog.selection(), files::TeamFileSelection{});
    box("CBCam1")->click();
    // "Save" with the file dialog cancelled writes nothing and keeps the ticks.
    QTest::mouseClick(dialog.findChild<QPushButton*>("LMDButton1"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(h.dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(setting(h, "SaveTeamPath"), "<absent>");
    h.window().saveTeamAction()->trigger();
    files::TeamFileSelection cockpitOnly;
    cockpitOnly.cameras = 1;
    EXPECT_EQ(dialog.selection(), cockpitOnly);
    dialog.close();

    // The first showing after Import All ticks everything.
    h.importAll();
    h.window().saveTeamAction()->trigger();
    EXPECT_EQ(dialog.selection(), files::TeamFileSelection::all());
    EXPECT_EQ(dialog.findChild<QPushButton*>("LMDButton2")->text(), "Unselect ALL");
    EXPECT_TRUE(h.window().isEnabled());
}

TEST_F(TeamFileCommands, AnEmptySelectionSavesTheTwentyByteHeaderThatChangesNoValue) {
    editEverything();
    saveTeamFile(path("empty.car"), 1, [&] { unselectAll(); });
    EXPECT_EQ(readFile(path("empty.car")), u16le(4) + QByteArray(18, 0));
    const WindowValues before = windowValues(h.editor(), teamFileBoxes());
    load(path("empty.car"));
    ASSERT_TRUE(h.messages.errors.isEmpty()) << h.messages.errors.join('\n').toStdString();
    EXPECT_EQ(h.editor().status(), "All Cameras have been loaded.");
    expectOnlyChanged(before, {}, windowValues(h.editor(), teamFileBoxes()));
}

}  // namespace
