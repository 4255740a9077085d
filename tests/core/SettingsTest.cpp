#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QSettings>

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
