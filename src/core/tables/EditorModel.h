#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace pw::model {

constexpr int kTeamCount = 11;
constexpr int kDriverCount = 22;
constexpr int kCameraCount = 12;
constexpr int kWheelCount = 4;

// Team order of every game table, every file of ours and every per-team row of the window.
enum Team { Ferrari, McLaren, Williams, Benetton, Bar, Jordan, Arrows, Sauber, Jaguar, Minardi, Prost };

// Every record holds values in the form the game stores them (the bytes of its files), with one
// exception: Import All turns the camera records into the numbers the window shows, and Export All
// rebuilds them in file form from the window before writing.

struct TeamRecord {
    uint32_t armColour = 0xFF000000;  // 0xFFRRGGBB
    uint32_t rimColour = 0;           // 0x00RRGGBB
    float helmetY = 0, helmetZ = 0;
    float wheelY = 0, wheelZ = 0;
    int16_t tcamY = 0, tcamZ = 0;
    QByteArray carShapeName;  // the name text, without padding
    QByteArray teamName;      // as stored, NUL padding kept when read from the save-state
    QByteArray engineName;
    uint16_t qualifyPower = 0, racePower = 0;  // power + 32817
    uint16_t failureRate = 0;
    uint8_t gearCount = 6;
    int tyreBrand = 0;  // index into TyreBrandNames
    // Numbers of the team's menu pictures (".gpi" files): the two drivers and the grid car.
    std::array<QString, 2> driverImageNames;
    QString gridCarImageName;
};

struct DriverRecord {
    uint8_t number = 0;
    QByteArray name;  // 24-byte record, NULs kept when read
    uint16_t qualifyAbility = 0, qualifyVariation = 0;
    uint16_t raceAbility = 0, raceVariation = 0;
};

// The ten 16-bit fields of an onboard camera, in file order.
enum CameraField { CamX, CamZ, CamY, CamDir, CamPitch, CamRoll,
                   CamCarDetailRear, CamCarDetailFront, CamWheelDetailRear, CamWheelDetailFront,
                   kCameraFieldCount };

struct CarCamera {
    std::array<int16_t, kCameraFieldCount> field{};
};

struct CockpitPositions {
    float wheelX = 0, wheelY = 0, wheelZ = 0;
    float dashX = 0, dashY = 0, dashZ = 0;
};

// Wheel positions of the collision mesh: per wheel (p0, p1, p2) as stored in the archive.
struct TyrePositions {
    std::array<std::array<float, 3>, kWheelCount> wheel{};
    // Data offset of the collision mesh found by the last successful read; none before.
    std::optional<uint32_t> collisionMeshOffset;
};

// Team 1's tyre brand when its brand word could not be read (unknown build, or no brand word
// there): the code the save-state file holds for team 1 and the brand its selector was given.
// While the selector still shows that brand, Export All writes that code back and leaves the word.
struct UnreadBrandWord {
    uint32_t storedCode = 0;
    int shownBrand = 0;
};

struct EditorModel {
    uint16_t versionByte = 0;
    std::array<TeamRecord, kTeamCount> teams{};
    std::array<DriverRecord, kDriverCount> drivers{};
    std::array<CarCamera, kCameraCount> cameras{};
    int16_t chaseY = 0, chaseZ = 0;
    CockpitPositions cockpit;
    float wheelBaseY = 0, wheelBaseZ = 0;  // read from the executable, never written
    QByteArray mclarenBrandWord;           // 16 bytes of the executable
    std::optional<UnreadBrandWord> team1UnreadBrand;
    QString currentShapeName;
    TyrePositions tyres;
    // Picture exchanges (team a, team b) made since the last Import All, applied at Export All.
    std::vector<std::pair<int, int>> PendingImageSwaps;

    int EditsLive = 0;
    int SelectedTeam = 0;
    int SelectedCamera = 105;
};

}  // namespace pw::model
