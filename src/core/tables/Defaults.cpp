#include "core/tables/Defaults.h"

#include "core/bytes/ByteIO.h"
#include "core/tables/Conversions.h"
#include "core/tables/TyreBrands.h"

namespace pw::model {

namespace DefaultTables {

int camera4Z(uint16_t versionByte) {
    return versionByte == 0 ? 26 : -20;
}

std::array<CameraRow, kCameraRowCount> cameraRows(uint16_t versionByte) {
    const std::optional<int> none;
    return {{
        {"Cockpit", 105, {0, -48, 14, 0, 0, 0}},
        {"Camera 10", 1, {0, 160, 26, -180, 0, 0}},
        {"Camera 1", 2, {40, -92, 32, 0, 0, 0}},
        {"Camera 2", 3, {72, -228, 34, 0, 0, 0}},
        {"Camera 3", 4, {30, -116, 13, -180, 0, 0}},
        {"Camera 4", 5, {-40, -220, camera4Z(versionByte), 175, 0, 0}},
        {"Camera 5", 6, {-30, -116, 13, -180, 0, 0}},
        {"Camera 6", 7, {-72, -228, 34, 0, 0, 0}},
        {"Camera 7", 8, {-40, -92, 32, 0, 0, 0}},
        {"Camera 8", 9, {0, 160, 18, 0, 0, 0}},
        {"Camera 9", 10, {40, 122, -16, 0, 0, 0}},
        {"T-Cam", 106, {0, none, none, 0, -10, 0}},
        {"Virtual Cam", 104, {69, -27, 65, -90, -39, 0}},
    }};
}

const std::array<TeamPositions, kTeamCount> kTeamPositions{{
    {-62, 63, -15, 1, 10, -11.0f},
    {-62, 63, -15, 5, 4, -4.4f},
    {-62, 63, -15, 4, 11, -9.0f},
    {-75, 62, -26, 2, 0, -10.0f},
    {-65, 63, -16, 1, 10, -13.0f},
    {-65, 61, -22, 5, 8, -4.0f},
    {-70, 66, -22, 8, 8, -2.0f},
    {-75, 64, -28, 6, -6, 0.0f},
    {-75, 64, -25, 5, 0, -2.0f},
    {-74, 70, -17, 1, 5, -11.0f},
    {-85, 58, -33, -3, -6, -17.0f},
}};

const std::array<TeamColours, kTeamCount> kTeamColours{{
    {0x2429EE, 0x263036, 0},
    {0xEDFBFF, 0xB9CDC9, 2},
    {0x916043, 0xCFD1C7, 1},
    {0xD7B76B, 0x242021, 1},
    {0x9FE6F4, 0x010000, 0},
    {0x4CE7FF, 0x090B0F, 0},
    {0x1C6ACA, 0x1A1C20, 0},
    {0xB27252, 0xCFDCE3, 0},
    {0x394B29, 0x29617B, 1},
    {0x131718, 0x0A0A0A, 1},
    {0x834F21, 0xE1E9E9, 1},
}};

const std::array<TeamData, kTeamCount> kTeamData{{
    {"Ferrari", "ferrari", "ferrari", 855, 845, 963, 7},
    {"McLaren", "mclaren", "mercedes", 845, 840, 5782, 6},
    {"Williams", "williams", "bmw", 860, 850, 4336, 6},
    {"Benetton", "benetton", "renault", 820, 815, 2891, 6},
    {"Bar", "bar", "honda", 835, 825, 3854, 6},
    {"Jordan", "jordan", "honda", 835, 825, 3373, 6},
    {"Arrows", "arrows", "asiatech", 790, 790, 5300, 6},
    {"Sauber", "sauber", "petronas", 835, 830, 2891, 7},
    {"Jaguar", "jaguar", "cosworth", 830, 825, 4818, 7},
    {"Minardi", "minardi", "european", 790, 790, 6746, 6},
    {"Prost", "prost", "acer", 830, 825, 3854, 7},
}};

const std::array<DriverData, kDriverCount> kDriverData{{
    {16256, 128},  {15936, 384},  {15872, 576}, {15872, 640},  {15808, 512}, {15616, 704},
    {14720, 1024}, {14464, 1152}, {15424, 576}, {15552, 448},  {15552, 640}, {15872, 416},
    {14848, 832},  {14720, 896},  {15488, 512}, {15360, 512},  {15232, 512}, {14976, 768},
    {13952, 1024}, {14592, 832},  {14976, 640}, {13952, 1152},
}};

// Fictional names; entry 12 has two given names, entry 14 three.
const std::array<const char*, kDriverCount> kDriverNames{
    "marco valenti",       "jonas hallberg",   "rafael ortega",     "stefan kroll",
    "luca bellandi",       "tomas vrana",      "pierre lamarque",   "kenji moriyama",
    "oliver brandt",       "diego ferraz",     "mikael lindqvist",  "andre sauvion",
    "juan carlos mendoza", "niklas aho",       "jan erik ola berg", "felipe arruda",
    "henrik solberg",      "matteo rinaldi",   "yuri petrakov",     "callum mcandrew",
    "lars ekholm",         "bruno castellani",
};

const std::array<const char*, 6> kCockpitTexts{"-0.6", "45", "3", "-0.6", "62.5", "13"};
const CockpitPositions kCockpitPositions{-0.006f, -0.45f, 0.03f, -0.006f, -0.005f, 0.05f};

const std::array<std::array<float, 3>, kWheelCount> kTyreFloats{{
    {0.6991f, -0.22925f, 1.1435f},
    {-0.7156f, -0.22925f, 1.1435f},
    {0.6967f, -0.2294f, -1.8051f},
    {-0.7133f, -0.2294f, -1.8051f},
}};
const std::array<std::array<int, 3>, kWheelCount> kTyreShown{{
    {70, 114, -23},
    {-72, 114, -23},
    {70, -181, -23},
    {-71, -181, -23},
}};

}  // namespace DefaultTables

namespace {

int cameraRecordOfBase(int fieldBase) {
    for (int r = 0; r < kCameraCount; ++r)
        if (kCameraFieldBase[r] == fieldBase) return r;
    return -1;  // "Virtual Cam": kept in the settings, not in the game files
}

}  // namespace

void applyDefaults(EditorModel& model, uint16_t versionByte) {
    using namespace DefaultTables;
    model.versionByte = versionByte;

    for (const CameraRow& row : cameraRows(versionByte)) {
        const int record = cameraRecordOfBase(row.fieldBase);
        if (record < 0) continue;
        for (int column = 0; column < kCameraColumnCount; ++column) {
            if (!row.value[column]) continue;
            const CameraField field = cameraFieldOfColumn(column);
            model.cameras[record].field[field] = cameraFieldToFile(field, *row.value[column]);
        }
    }
    // The T-Cam record takes its Y and Z from team 0's T-Cam fields, doubled, as Export All does.
    model.cameras[11].field[CamY] = cameraPositionToFile(kTeamPositions[0].tcamY);
    model.cameras[11].field[CamZ] = cameraPositionToFile(kTeamPositions[0].tcamZ);
    model.chaseY = chaseToFile(kChaseY);
    model.chaseZ = chaseToFile(kChaseZ);

    model.cockpit = kCockpitPositions;
    for (int w = 0; w < kWheelCount; ++w)
        for (TyreAxis axis : {TyreX, TyreY, TyreZ})
            model.tyres.wheel[w][tyreFloatIndex(axis)] = tyrePositionToFile(kTyreShown[w][axis]);

    for (int t = 0; t < kTeamCount; ++t) {
        TeamRecord& team = model.teams[t];
        const TeamPositions& p = kTeamPositions[t];
        team.tcamY = tcamYToFile(p.tcamY);
        team.tcamZ = tcamZToFile(p.tcamZ);
        team.helmetY = helmetToFile(p.helmetY);
        team.helmetZ = helmetToFile(p.helmetZ);
        team.wheelY = steeringWheelToFile(p.wheelY);
        // The window shows the float rounded to one decimal and writes that back.
        team.wheelZ = steeringWheelToFile(roundToOneDecimal(floatToDecimal(p.wheelZ)));

        team.armColour = armColourToFile(kTeamColours[t].arm);
        team.rimColour = rimColourToFile(kTeamColours[t].rim);
        team.tyreBrand = kTeamColours[t].tyreBrand;

        const TeamData& d = kTeamData[t];
        team.carShapeName = d.carShapeName;
        team.teamName = d.teamName;
        team.engineName = d.engineName;
        team.qualifyPower = powerToFile(d.qualifyPower);
        team.racePower = powerToFile(d.racePower);
        team.failureRate = failureRateToFile(d.failureRate);
        team.gearCount = gearCountToFile(d.gearCount);
    }
    model.mclarenBrandWord =
        le::padded(TyreBrandWords[model.teams[McLaren].tyreBrand], kTyreBrandWordSize);

    for (int d = 0; d < kDriverCount; ++d) {
        DriverRecord& driver = model.drivers[d];
        driver.number = driverNumberToFile(driverNumber(d));
        driver.name = kDriverNames[d];
        driver.qualifyAbility = driver.raceAbility = driverValueToFile(kDriverData[d].ability);
        driver.qualifyVariation = driver.raceVariation =
            driverValueToFile(kDriverData[d].variation);
    }

    model.SelectedTeam = 0;
    model.SelectedCamera = 105;
    model.currentShapeName = QString::fromLatin1(model.teams[0].carShapeName);
}

}  // namespace pw::model
