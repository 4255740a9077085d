#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "FileTimes.h"
#include "IsolatedSettings.h"
#include "core/location/GameInstall.h"
#include "core/location/SettingsStore.h"

using namespace pw::model;
using pw::test::IsolatedSettings;

namespace {
struct Key {
    const char* section;
    const char* name;
};

// Every value the program keeps, with a value typical of what it stores there.
struct StoredValue {
    Key key;
    const char* value;
};

const StoredValue kStored[] = {
    {{settings::kNoSection, settings::kGP4Path}, "C:\\Games\\GP4\\GP4.exe"},
    {{settings::kNoSection, settings::kCarsWadPath}, "/home/me/gp4/cars.wad"},
    {{settings::kNoSection, settings::kGpiPath}, "C:\\Games\\GP4\\MenuData\\PC\\GP2001\\images\\"},
    {{settings::kSection, settings::kVirtualCam[0].name}, "70"},
    {{settings::kSection, settings::kVirtualCam[1].name}, "-28"},
    {{settings::kSection, settings::kVirtualCam[2].name}, "66"},
    {{settings::kSection, settings::kVirtualCam[3].name}, "-91"},
    {{settings::kSection, settings::kVirtualCam[4].name}, "-40"},
    {{settings::kSection, settings::kVirtualCam[5].name}, "1"},
    {{settings::kSection, settings::kLoadTeamPath}, "/home/me/teams/Ferrari's 2001.car"},
    {{settings::kSection, settings::kSaveTeamPath}, "D:\\teams\\new.car"},
    {{settings::kSection, settings::kLoadPerfsPath}, "perf = 1.txt"},
    {{settings::kSection, settings::kSavePerfsPath}, "D:\\perfs\\x;y.g4p"},
};

QString readBack(const SettingsStore& store, const Key& key) {
    return store.read(QString::fromLatin1(key.section), QString::fromLatin1(key.name),
                      QStringLiteral("<missing>"));
}
}  // namespace

TEST(Settings, VirtualCameraDefaultsAndFieldsFollowTheWindowOrder) {
    const char* names[] = {"VirtualCamX",   "VirtualCamY",     "VirtualCamZ",
                           "VirtualCamDir", "VirtualCamPitch", "VirtualCamRoll"};
    const char* defaults[] = {"69", "-27", "65", "-90", "-39", "0"};
    for (size_t i = 0; i < settings::kVirtualCam.size(); ++i) {
        EXPECT_STREQ(settings::kVirtualCam[i].name, names[i]);
        EXPECT_STREQ(settings::kVirtualCam[i].defaultValue, defaults[i]);
        EXPECT_EQ(settings::kVirtualCam[i].fieldId, 104 + 10 * int(i));
    }
}

TEST(Settings, MissingValuesYieldTheCallersDefaultAndReadingCreatesNothing) {
    IsolatedSettings isolated;
    const SettingsStore store;
    for (const StoredValue& s : kStored) {
        SCOPED_TRACE(s.key.name);
        EXPECT_EQ(readBack(store, s.key), QStringLiteral("<missing>"));
    }
    for (const auto& cam : settings::kVirtualCam)
        EXPECT_EQ(store.read(settings::kSection, cam.name, cam.defaultValue),
                  QString::fromLatin1(cam.defaultValue));
    EXPECT_FALSE(QFileInfo::exists(store.location()));
}

TEST(Settings, EveryValueRoundTripsThroughANewStoreInItsSection) {
    IsolatedSettings isolated;
    {
        SettingsStore store;
        for (const StoredValue& s : kStored)
            EXPECT_TRUE(store.write(s.key.section, s.key.name, QString::fromLatin1(s.value)));
    }
    const SettingsStore store;
    EXPECT_EQ(store.location(), isolated.folder() + QStringLiteral("/Quillon's Tools.ini"));
    for (const StoredValue& s : kStored) {
        SCOPED_TRACE(s.key.name);
        EXPECT_EQ(readBack(store, s.key), QString::fromLatin1(s.value));
        // The same name in the other section is a different value.
        const Key other{s.key.section[0] ? settings::kNoSection : settings::kSection, s.key.name};
        EXPECT_EQ(readBack(store, other), QStringLiteral("<missing>"));
    }
    // The file keeps the key's layout: section values in [Pitwright], the others outside it.
    QSettings file(store.location(), QSettings::IniFormat);
    EXPECT_EQ(file.value(QStringLiteral("Pitwright/VirtualCamDir")).toString(),
              QStringLiteral("-91"));
    EXPECT_EQ(file.value(QStringLiteral("GP4Path")).toString(),
              QStringLiteral("C:\\Games\\GP4\\GP4.exe"));
}

// Storing what is stored already writes nothing (the window stores its camera on every close);
// what another instance stored since is compared, not what this one read at its start.
TEST(Settings, OnlyValuesThatDifferFromTheStoreAreWritten) {
    IsolatedSettings isolated;
    SettingsStore store;
    const std::vector<std::pair<QString, QString>> cam{{"VirtualCamX", "70"},
                                                       {"VirtualCamY", "-28"}};
    ASSERT_TRUE(store.write(settings::kSection, cam));
    const QDateTime longAgo = QDateTime::currentDateTimeUtc().addDays(-2);
    ASSERT_EQ(pw::test::setModifiedTime(store.location(), longAgo), QString());
    ASSERT_TRUE(store.write(settings::kSection, cam));
    EXPECT_EQ(QFileInfo(store.location()).lastModified().toUTC(), longAgo.toUTC())
        << "rewritten with the same values";

    // Another instance (another process: this one's stores share what they read) stores -175.
    QFile file(store.location());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Pitwright]\nVirtualCamX=-175\nVirtualCamY=-28\n");
    file.close();
    ASSERT_TRUE(store.write(settings::kSection, cam));
    EXPECT_EQ(SettingsStore().read(settings::kSection, "VirtualCamX", {}), QStringLiteral("70"));
    EXPECT_EQ(SettingsStore().read(settings::kSection, "VirtualCamY", {}), QStringLiteral("-28"));
}

TEST(Settings, IsolationRestoresThePreviousPlace) {
    const QString before = settingsFolder();
    QString inner;
    {
        IsolatedSettings outer;
        {
            IsolatedSettings nested;
            inner = nested.folder();
            EXPECT_EQ(userConfigFolder(), nested.folder());
        }
        EXPECT_EQ(userConfigFolder(), outer.folder());
        EXPECT_NE(outer.folder(), inner);
    }
    EXPECT_EQ(settingsFolder(), before);
}

TEST(InstallEntry, MissingEntryIsNeverCreatedByReadingAndRoundTrips) {
    IsolatedSettings isolated;
    EXPECT_FALSE(ReadInstallDirectory().has_value());
    EXPECT_FALSE(QFileInfo::exists(InstallEntryLocation()));
    EXPECT_TRUE(InstallEntryLocation().startsWith(isolated.folder()));

    ASSERT_TRUE(WriteInstallDirectory(QStringLiteral("/games/Grand Prix 4")));
    EXPECT_EQ(ReadInstallDirectory(), QStringLiteral("/games/Grand Prix 4"));
    // Same key path and value name as the game's own entry.
    QSettings file(InstallEntryLocation(), QSettings::IniFormat);
    EXPECT_EQ(
        file.value(QStringLiteral("Software/Infogrames/Grand Prix 4/1.00/Install Dir/Directory"))
            .toString(),
        QStringLiteral("/games/Grand Prix 4"));
}
