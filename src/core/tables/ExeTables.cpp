#include "core/tables/ExeTables.h"

#include "core/bytes/ByteIO.h"
#include "core/tables/ExeLayout.h"
#include "core/bytes/Text.h"

namespace pw::model {

using namespace exe;

namespace {

// Refuses a file too short for the layout before anything is read or written.
void requireTables(GameFile& file, const Layout& layout) {
    const qint64 end = tablesEnd(layout);
    if (file.size() < end)
        throw GameFileError(
            file.displayName(), file.size(),
            QStringLiteral("file ends before the tables of the game (needs %1 bytes, has %2)")
                .arg(end)
                .arg(file.size()));
}

uint8_t readVersionByte(GameFile& file) {
    return file.readU8(kVersionByteOffset, "the version byte");
}

// A table read in one piece, parsed from memory.
ByteReader readTable(GameFile& file, qint64 offset, qint64 size, const char* what) {
    return ByteReader(file.read(offset, size, what), file.displayName());
}

struct CockpitField {
    qint64 offset;
    float CockpitPositions::*field;
};
constexpr std::array<CockpitField, 6> kCockpitFields{{{kCockpitDashX, &CockpitPositions::dashX},
                                                      {kCockpitDashZ, &CockpitPositions::dashZ},
                                                      {kCockpitDashY, &CockpitPositions::dashY},
                                                      {kCockpitWheelX, &CockpitPositions::wheelX},
                                                      {kCockpitWheelZ, &CockpitPositions::wheelZ},
                                                      {kCockpitWheelY, &CockpitPositions::wheelY}}};

}  // namespace

void ReadExeTables(const QString& exePath, EditorModel& model) {
    GameFile file(exePath);
    ReadExeTables(file, model);
}

void ReadExeTables(GameFile& file, EditorModel& model) {
    EditorModel next = model;
    next.versionByte = readVersionByte(file);
    const Layout& l = layoutFor(next.versionByte);
    requireTables(file, l);

    // Blocks are read whole and parsed from memory: one read instead of one per value.
    const ByteReader cockpit = readTable(file, l.cockpit, kCockpitBlockSize, "the cockpit positions");
    for (const CockpitField& c : kCockpitFields)
        next.cockpit.*c.field = cockpit.f32At(c.offset, "a cockpit position");

    next.teams[Bar].rimColour = file.readU32(l.rimTeam4, "the rim colour of team 5");
    ByteReader rims =
        readTable(file, l.rimTable, kRimTableTeams.size() * kRimSlotSize, "the rim colours");
    for (int t : kRimTableTeams) {
        next.teams[t].rimColour = rims.u32("a rim colour");
        rims.skip(kRimSlotSize - 4, "a rim slot");
    }

    ByteReader helmets = readTable(file, l.helmets, kTeamCount * kHelmetSize, "the helmets");
    for (TeamRecord& t : next.teams) {
        t.helmetZ = helmets.f32("helmet Z");
        t.helmetY = helmets.f32("helmet Y");
    }
    ByteReader tcams = readTable(file, l.tcams, kTeamCount * kTcamSize, "the T-Cam positions");
    for (TeamRecord& t : next.teams) {
        t.tcamZ = tcams.i16("T-Cam Z");
        t.tcamY = tcams.i16("T-Cam Y");
    }
    ByteReader arms = readTable(file, l.armColours, kTeamCount * kArmColourSize, "the arm colours");
    for (TeamRecord& t : next.teams) t.armColour = arms.u32("an arm colour");

    const ByteReader wheelBase =
        readTable(file, l.wheelBase, kWheelBaseSize, "the steering-wheel base");
    next.wheelBaseY = wheelBase.f32At(0, "the steering-wheel base Y");
    next.wheelBaseZ = wheelBase.f32At(4, "the steering-wheel base Z");

    ByteReader wheels =
        readTable(file, l.teamWheels, kTeamCount * kTeamWheelSize, "the steering wheels");
    for (TeamRecord& t : next.teams) {
        t.wheelZ = wheels.f32("steering wheel Z");
        t.wheelY = wheels.f32("steering wheel Y");
    }

    ByteReader cams = readTable(file, l.cameraBlock, kCameraBlockSize, "the camera block");
    next.chaseY = int16_t(cams.u16At(kChaseY, "chase camera Y"));
    next.chaseZ = int16_t(cams.u16At(kChaseZ, "chase camera Z"));
    cams.seek(kCameraRecords, "the camera records");
    for (CarCamera& c : next.cameras)
        for (int16_t& v : c.field) v = cams.i16("a camera field");

    model = next;
}

ShapeNamesStatus GetNames(const QString& exePath, EditorModel& model) {
    GameFile file(exePath);
    return GetNames(file, model);
}

ShapeNamesStatus GetNames(GameFile& file, EditorModel& model) {
    ShapeNamesStatus status = ShapeNamesStatus::UnknownVersion;
    if (shapeNamesKnown(model.versionByte)) {
        ByteReader names = readTable(file, layoutFor(model.versionByte).shapeNames,
                                     kTeamCount * kShapeNameSize, "the car-shape names");
        std::array<QByteArray, kTeamCount> read;
        for (QByteArray& name : read)
            name = carShapeNameFromRecord(names.bytes(kShapeNameSize, "a car-shape name"));
        for (int t = 0; t < kTeamCount; ++t) model.teams[t].carShapeName = read[t];
        status = ShapeNamesStatus::Done;
    }
    model.currentShapeName = QString::fromLatin1(model.teams[0].carShapeName);
    return status;
}

ShapeNamesStatus WriteExeTables(const QString& exePath, const EditorModel& model) {
    GameFile file(exePath);
    const Layout& l = layoutFor(model.versionByte);
    requireTables(file, l);

    for (const CockpitField& c : kCockpitFields)
        file.writeF32(l.cockpit + c.offset, model.cockpit.*c.field, "a cockpit position");

    file.writeI16(l.cameraBlock + kChaseY, model.chaseY, "chase camera Y");
    file.writeI16(l.cameraBlock + kChaseZ, model.chaseZ, "chase camera Z");
    ByteWriter cams;
    for (const CarCamera& c : model.cameras)
        for (int16_t v : c.field) cams.i16(v);
    file.write(l.cameraBlock + kCameraRecords, cams.data(), "the camera records");

    ByteWriter wheels;
    for (const TeamRecord& t : model.teams) {
        wheels.f32(t.wheelZ);
        wheels.f32(t.wheelY);
    }
    file.write(l.teamWheels, wheels.data(), "the steering wheels");

    const bool namesKnown = shapeNamesKnown(model.versionByte);
    if (namesKnown) {
        ByteWriter names;
        for (const TeamRecord& t : model.teams) names.padded(t.carShapeName, kShapeNameSize);
        file.write(l.shapeNames, names.data(), "the car-shape names");
    }

    ByteWriter tcams, helmets, arms;
    for (const TeamRecord& t : model.teams) {
        tcams.i16(t.tcamZ);
        tcams.i16(t.tcamY);
        helmets.f32(t.helmetZ);
        helmets.f32(t.helmetY);
        arms.u32(t.armColour);
    }
    file.write(l.tcams, tcams.data(), "the T-Cam positions");
    file.write(l.helmets, helmets.data(), "the helmets");
    file.write(l.armColours, arms.data(), "the arm colours");

    const uint32_t rim4 = model.teams[Bar].rimColour;
    file.writeU32(l.rimTeam4, rim4, "the rim colour of team 5");
    file.writeU32(l.rimLink, l.rimLinkBase + rim4, "the rim link word");
    // Each slot's last 4 bytes belong to the game: only the colours are written.
    for (size_t i = 0; i < kRimTableTeams.size(); ++i)
        file.writeU32(l.rimTable + qint64(i) * kRimSlotSize,
                      model.teams[kRimTableTeams[i]].rimColour, "a rim colour");

    file.close();
    return namesKnown ? ShapeNamesStatus::Done : ShapeNamesStatus::UnknownVersion;
}

}  // namespace pw::model
