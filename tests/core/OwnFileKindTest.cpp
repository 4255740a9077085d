#include <gtest/gtest.h>

#include "core/ownfiles/OwnFileKind.h"

using namespace pw::files;

TEST(OwnFileKind, LastThreeCharactersLowerCasedChooseTheReader) {
    const struct {
        const char* name;
        TeamFileKind team;
        PerformanceFileKind performance;
    } cases[] = {
        {"C:\\Games\\Ferrari.car", TeamFileKind::TeamFile, PerformanceFileKind::None},
        {"set.CAM", TeamFileKind::CameraSet, PerformanceFileKind::None},
        {"brands.Tyr", TeamFileKind::TyreSet, PerformanceFileKind::None},
        {"noextcar", TeamFileKind::TeamFile, PerformanceFileKind::None},  // no dot needed
        {"perf.TXT", TeamFileKind::None, PerformanceFileKind::Sectioned},
        {"perf.g4p", TeamFileKind::None, PerformanceFileKind::KeyedList},
        {"team.car.bak", TeamFileKind::None, PerformanceFileKind::None},
        {"ca", TeamFileKind::None, PerformanceFileKind::None},
        {"", TeamFileKind::None, PerformanceFileKind::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(teamFileKindOf(QString::fromLatin1(c.name)), c.team) << c.name;
        EXPECT_EQ(performanceFileKindOf(QString::fromLatin1(c.name)), c.performance) << c.name;
    }
}
