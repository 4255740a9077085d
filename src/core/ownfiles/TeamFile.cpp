#include "core/ownfiles/TeamFile.h"

#include <algorithm>

#include "core/bytes/ByteIO.h"
#include "core/tables/Conversions.h"
#include "core/bytes/Text.h"
#include "core/tables/TyreBrands.h"

namespace pw::files {

using model::ByteReader;
using model::ByteWriter;
using model::GameFileError;

namespace {

// Block descriptions for the error text of a file that ends early.
QByteArray what(const char* block, int index) {
    return QByteArray(block) + ' ' + QByteArray::number(index);
}
// Teams are numbered as the window numbers them, from 1.
QByteArray whatTeam(const char* block, int team) {
    return what(block, team + 1);
}

struct MaskField {
    uint16_t TeamFileSelection::*mask;
    const char* name;
    uint16_t allowed;
};

// Header order of the masks after the version word.
const MaskField kMaskFields[] = {
    {&TeamFileSelection::cameras, "camera", kCameraMaskBits},
    {&TeamFileSelection::tcams, "T-Cam", kTeamMaskBits},
    {&TeamFileSelection::helmets, "helmet", kTeamMaskBits},
    {&TeamFileSelection::armColours, "arm colour", kTeamMaskBits},
    {&TeamFileSelection::rimColours, "rim colour", kTeamMaskBits},
    {&TeamFileSelection::tyreBrands, "tyre brand", kTeamMaskBits},
    {&TeamFileSelection::globals, "global", kGlobalMaskBits},
    {&TeamFileSelection::wheels, "steering wheel", kTeamMaskBits},
    {&TeamFileSelection::shapeNames, "car-shape name", kTeamMaskBits},
};
constexpr int kV3MaskCount = 7;
constexpr int kV4MaskCount = 9;

model::CarCamera readCamera(ByteReader& r, int record) {
    const QByteArray w = what("camera record", record);
    r.require(r.pos(), kCameraRecordSize, w.constData());
    model::CarCamera c;
    for (auto& f : c.field) f = r.i16(w.constData());
    return c;
}

void writeCamera(ByteWriter& w, const model::CarCamera& c) {
    for (int16_t f : c.field) w.i16(f);
}

int readTyreBrandIndex(ByteReader& r, const QString& fileName, int team) {
    const qint64 at = r.pos();
    const int32_t v = r.i32(whatTeam("tyre brand of team", team).constData());
    if (v < 0 || v >= model::kTyreBrandCount)
        throw GameFileError(
            fileName, at,
            QStringLiteral("a tyre brand index 0 to 2 for team %1, found %2").arg(team + 1).arg(v));
    return v;
}

void readWheelPositions(ByteReader& r, TeamFileContent& c) {
    r.require(r.pos(), 48, "the wheel positions");
    for (auto& wheel : c.wheelPositions)
        for (float& p : wheel) p = r.f32("the wheel positions");
}

void readDashboard(ByteReader& r, model::CockpitPositions& p) {
    r.require(r.pos(), 12, "the dashboard position");
    p.dashX = r.f32("the dashboard position");
    p.dashZ = r.f32("the dashboard position");
    p.dashY = r.f32("the dashboard position");
}

void readCockpitWheel(ByteReader& r, model::CockpitPositions& p) {
    r.require(r.pos(), 12, "the cockpit steering wheel position");
    p.wheelX = r.f32("the cockpit steering wheel position");
    p.wheelZ = r.f32("the cockpit steering wheel position");
    p.wheelY = r.f32("the cockpit steering wheel position");
}

void readTcam(ByteReader& r, TeamFileTeam& t, int team) {
    const QByteArray w = whatTeam("T-Cam position of team", team);
    r.require(r.pos(), 4, w.constData());
    t.tcamZ = r.i16(w.constData());
    t.tcamY = r.i16(w.constData());
}

void readHelmet(ByteReader& r, TeamFileTeam& t, int team) {
    const QByteArray w = whatTeam("helmet position of team", team);
    r.require(r.pos(), 8, w.constData());
    t.helmetZ = r.f32(w.constData());
    t.helmetY = r.f32(w.constData());
}

TeamFileContent readVersioned(ByteReader& r, const QString& fileName, uint16_t version) {
    TeamFileContent c;
    c.layout = version == kTeamFileVersion3 ? TeamFileLayout::Version3 : TeamFileLayout::Version4;
    const int maskCount = version == kTeamFileVersion3 ? kV3MaskCount : kV4MaskCount;
    r.seek(2, "the team file header");
    r.require(0, version == kTeamFileVersion3 ? kHeaderSizeV3 : kHeaderSizeV4,
              "the team file header");
    for (int m = 0; m < maskCount; ++m) {
        const qint64 at = r.pos();
        const uint16_t mask = r.u16("the team file header");
        if (mask & ~kMaskFields[m].allowed)
            throw GameFileError(fileName, at,
                                QStringLiteral("a %1 mask of bits 0 to %2 only, found 0x%3")
                                    .arg(QLatin1String(kMaskFields[m].name))
                                    .arg(setBitCount(kMaskFields[m].allowed) - 1)
                                    .arg(mask, 4, 16, QLatin1Char('0')));
        c.present.*kMaskFields[m].mask = mask;
    }
    const TeamFileSelection& s = c.present;

    for (int rec : maskIndexes(s.cameras)) c.cameras[rec] = readCamera(r, rec);
    if (s.globals & GlobalChases) {
        r.require(r.pos(), 4, "the chase cameras");
        c.chaseY = r.i16("the chase cameras");
        c.chaseZ = r.i16("the chase cameras");
    }
    for (int i : maskIndexes(s.tcams)) readTcam(r, c.teams[i], i);
    for (int i : maskIndexes(s.helmets)) readHelmet(r, c.teams[i], i);
    for (int i : maskIndexes(s.wheels)) {
        const QByteArray w = whatTeam("steering wheel position of team", i);
        r.require(r.pos(), 8, w.constData());
        c.teams[i].wheelZ = r.f32(w.constData());
        c.teams[i].wheelY = r.f32(w.constData());
    }
    for (int i : maskIndexes(s.armColours))
        c.teams[i].armColour = r.u32(whatTeam("arm colour of team", i).constData());
    for (int i : maskIndexes(s.rimColours))
        c.teams[i].rimColour = r.u32(whatTeam("rim colour of team", i).constData());
    for (int i : maskIndexes(s.tyreBrands))
        c.teams[i].tyreBrand = readTyreBrandIndex(r, fileName, i);
    if (s.globals & GlobalWheelPositions) readWheelPositions(r, c);
    if (s.globals & GlobalDashboard) readDashboard(r, c.cockpit);
    if (s.globals & GlobalCockpitWheel) readCockpitWheel(r, c.cockpit);
    // The count of ticked name boxes, not which ones: the names of teams 0..N-1 follow.
    c.shapeNameCount = setBitCount(s.shapeNames);
    for (int j = 0; j < c.shapeNameCount; ++j)
        c.shapeNames[j] = model::carShapeNameFromRecord(
            r.bytes(kShapeNameSize, what("car-shape name", j).constData()));
    return c;
}

TeamFileContent readHeaderless(ByteReader& r) {
    TeamFileContent c;
    c.layout = TeamFileLayout::Headerless;
    r.require(0, kHeaderlessSize, "the 556 bytes of a headerless team file");
    r.seek(0, "the camera records");
    for (int rec = 0; rec < model::kCameraCount; ++rec) c.cameras[rec] = readCamera(r, rec);
    c.chaseY = r.i16("the chase cameras");
    c.chaseZ = r.i16("the chase cameras");
    for (int i = 0; i < model::kTeamCount; ++i) readTcam(r, c.teams[i], i);
    for (int i = 0; i < model::kTeamCount; ++i) readHelmet(r, c.teams[i], i);
    for (int i = 0; i < model::kTeamCount; ++i)
        c.teams[i].armColour = r.u32(whatTeam("arm colour of team", i).constData());
    for (int i = 0; i < model::kTeamCount; ++i)
        c.teams[i].rimColour = r.u32(whatTeam("rim colour of team", i).constData());
    readWheelPositions(r, c);
    for (int i = 0; i < model::kTeamCount; ++i) {
        const uint32_t code = r.u32(whatTeam("tyre brand code of team", i).constData());
        c.teams[i].tyreBrand = code == model::TyreBrandCodes[0] ? 0 : 1;
    }
    TeamFileSelection& s = c.present;
    s.cameras = kCameraMaskBits;
    s.tcams = s.helmets = s.armColours = s.rimColours = s.tyreBrands = kTeamMaskBits;
    s.globals = GlobalChases | GlobalWheelPositions;
    if (r.size() == kHeaderlessSizeWithCockpit) {
        readDashboard(r, c.cockpit);
        readCockpitWheel(r, c.cockpit);
        s.globals |= GlobalDashboard | GlobalCockpitWheel;
    }
    return c;
}

}  // namespace

ShownCamera TeamFileContent::shownCamera(int record) const {
    return shownFromTeamFileRecord(record, cameras.at(record));
}

TeamFileContent readTeamFile(const QByteArray& bytes, const QString& fileName) {
    ByteReader r(bytes, fileName);
    const uint16_t version = r.u16At(0, "the team file version");
    if (version == kTeamFileVersion3 || version == kTeamFileVersion4)
        return readVersioned(r, fileName, version);
    return readHeaderless(r);
}

QByteArray writeTeamFile(const model::EditorModel& m, const ShownCameras& shown,
                         const TeamFileSelection& selection) {
    const TeamFileSelection s = withinRanges(selection);
    ByteWriter w;
    w.u16(kTeamFileVersion4);
    for (const MaskField& f : kMaskFields) w.u16(s.*f.mask);

    for (int rec : maskIndexes(s.cameras))
        writeCamera(w, teamFileRecordFromShown(rec, shown.records[rec]));
    if (s.globals & GlobalChases) {
        w.i16(model::wrapInt16(shown.chaseY));
        w.i16(model::wrapInt16(shown.chaseZ));
    }
    for (int i : maskIndexes(s.tcams)) {
        w.i16(m.teams[i].tcamZ);
        w.i16(m.teams[i].tcamY);
    }
    for (int i : maskIndexes(s.helmets)) {
        w.f32(m.teams[i].helmetZ);
        w.f32(m.teams[i].helmetY);
    }
    for (int i : maskIndexes(s.wheels)) {
        w.f32(m.teams[i].wheelZ);
        w.f32(m.teams[i].wheelY);
    }
    for (int i : maskIndexes(s.armColours)) w.u32(m.teams[i].armColour);
    for (int i : maskIndexes(s.rimColours)) w.u32(m.teams[i].rimColour);
    for (int i : maskIndexes(s.tyreBrands)) w.i32(m.teams[i].tyreBrand);
    if (s.globals & GlobalWheelPositions)
        for (const auto& wheel : m.tyres.wheel)
            for (float p : wheel) w.f32(p);
    if (s.globals & GlobalDashboard) {
        w.f32(m.cockpit.dashX);
        w.f32(m.cockpit.dashZ);
        w.f32(m.cockpit.dashY);
    }
    if (s.globals & GlobalCockpitWheel) {
        w.f32(m.cockpit.wheelX);
        w.f32(m.cockpit.wheelZ);
        w.f32(m.cockpit.wheelY);
    }
    const int names = setBitCount(s.shapeNames);
    for (int j = 0; j < names; ++j) w.padded(m.teams[j].carShapeName, kShapeNameSize);
    return w.data();
}

int teamFileSize(const TeamFileSelection& selection) {
    const TeamFileSelection s = withinRanges(selection);
    int size = kHeaderSizeV4 + kCameraRecordSize * setBitCount(s.cameras);
    size += 4 * setBitCount(s.tcams) + 8 * setBitCount(s.helmets) + 8 * setBitCount(s.wheels);
    size += 4 * (setBitCount(s.armColours) + setBitCount(s.rimColours) + setBitCount(s.tyreBrands));
    if (s.globals & GlobalChases) size += 4;
    if (s.globals & GlobalWheelPositions) size += 48;
    if (s.globals & GlobalDashboard) size += 12;
    if (s.globals & GlobalCockpitWheel) size += 12;
    return size + kShapeNameSize * setBitCount(s.shapeNames);
}

void applyTeamFile(const TeamFileContent& c, model::EditorModel& m) {
    const TeamFileSelection s = withinRanges(c.present);
    for (int rec : maskIndexes(s.cameras)) {
        const ShownCamera shown = c.shownCamera(rec);
        for (int f = 0; f < model::kCameraFieldCount; ++f)
            m.cameras[rec].field[f] = model::wrapInt16(shown[f]);
    }
    if (s.globals & GlobalChases) {
        m.chaseY = model::chaseToFile(c.chaseY);
        m.chaseZ = model::chaseToFile(c.chaseZ);
    }
    for (int i : maskIndexes(s.tcams)) {
        m.teams[i].tcamY = c.teams[i].tcamY;
        m.teams[i].tcamZ = c.teams[i].tcamZ;
    }
    for (int i : maskIndexes(s.helmets)) {
        m.teams[i].helmetY = c.teams[i].helmetY;
        m.teams[i].helmetZ = c.teams[i].helmetZ;
    }
    if (c.layout == TeamFileLayout::Version4)
        for (int i : maskIndexes(s.wheels)) {
            m.teams[i].wheelY = c.teams[i].wheelY;
            m.teams[i].wheelZ = c.teams[i].wheelZ;
        }
    for (int i : maskIndexes(s.armColours)) m.teams[i].armColour = c.teams[i].armColour;
    for (int i : maskIndexes(s.rimColours)) m.teams[i].rimColour = c.teams[i].rimColour;
    for (int i : maskIndexes(s.tyreBrands)) m.teams[i].tyreBrand = c.teams[i].tyreBrand;
    if (s.globals & GlobalWheelPositions) m.tyres.wheel = c.wheelPositions;
    if (s.globals & GlobalDashboard) {
        m.cockpit.dashX = c.cockpit.dashX;
        m.cockpit.dashY = c.cockpit.dashY;
        m.cockpit.dashZ = c.cockpit.dashZ;
    }
    if (s.globals & GlobalCockpitWheel) {
        m.cockpit.wheelX = c.cockpit.wheelX;
        m.cockpit.wheelY = c.cockpit.wheelY;
        m.cockpit.wheelZ = c.cockpit.wheelZ;
    }
    const int names = std::min(c.shapeNameCount, model::kTeamCount);
    for (int j = 0; j < names; ++j) m.teams[j].carShapeName = c.shapeNames[j];
    if (c.versioned()) m.currentShapeName = QString::fromLatin1(m.teams[0].carShapeName);
}

}  // namespace pw::files
