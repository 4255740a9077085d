// fuzz-seed-corpus: writes a starting corpus for every harness into OUT/<harness>/, from a demo
// game folder (both executable layouts) and from the editor's own writers.
//
//   fuzz-seed-corpus OUT

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "DemoGame.h"
#include "GameFileRegions.h"
#include "core/ownfiles/CameraSet.h"
#include "core/ownfiles/KeyedPerformanceFile.h"
#include "core/ownfiles/SectionedPerformanceFile.h"
#include "core/ownfiles/TeamFile.h"
#include "core/images/BmpImage.h"
#include "core/images/TgaImage.h"
#include "core/bytes/ByteIO.h"
#include "core/location/GameInstall.h"
#include "core/archive/CarShapeWriter.h"
#include "core/archive/SampleShapes.h"
#include "core/archive/WadArchive.h"
#include "core/archive/WadWriter.h"

using namespace pw;

namespace {

QString outRoot;

// Each seed is named after its contents, as libFuzzer names its own.
void seed(const char* harness, const QByteArray& bytes) {
    const QString folder = QDir(outRoot).filePath(QString::fromLatin1(harness));
    QDir().mkpath(folder);
    const QString name =
        QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw model::GameFileError(file.fileName(), model::GameFileError::kNoOffset,
                                   QStringLiteral("cannot be written"));
}

QByteArray readWhole(const QString& path) {
    model::GameFile file(path, model::GameFile::Access::ReadOnly);
    return file.read(0, file.size(), "the whole file");
}

// The bytes of a file's regions in the order a harness lays them out again.
QByteArray regionBytes(const QByteArray& file, std::vector<fuzz::Region> regions) {
    std::sort(regions.begin(), regions.end(),
              [](const fuzz::Region& a, const fuzz::Region& b) { return a.offset < b.offset; });
    QByteArray out;
    for (const fuzz::Region& r : regions) out += file.mid(r.offset, r.size);
    return out;
}

const QByteArray kWholeFile("\xFF\x00", 2);

void seedFromDemoGame(const QString& folder, uint8_t versionByte) {
    demo::DemoOptions options;
    options.versionByte = versionByte;
    demo::writeDemoGame(folder, options);
    const QDir dir(folder);
    const QByteArray exe = readWhole(dir.filePath(QStringLiteral("GP4.exe")));
    const QByteArray save = readWhole(dir.filePath(QStringLiteral("f1gstate.sav")));
    const QByteArray exeRegions = regionBytes(exe, fuzz::exeRegions(versionByte));
    seed("exe_tables", kWholeFile + exeRegions);
    seed("save_state",
         kWholeFile + kWholeFile + exeRegions + regionBytes(save, fuzz::saveStateRegions()));

    const QString wadPath = dir.filePath(QStringLiteral("cars.wad"));
    const QByteArray wad = readWhole(wadPath);
    seed("cars_archive", wad);
    // Every car shape the archive holds, as the preview would parse it.
    const int32_t count = int32_t(model::le::u32(wad.constData()));
    for (int32_t i = 0; i < count; ++i) {
        const qint64 record = wad::layout::kDirectoryOffset + qint64(i) * wad::layout::kRecordSize;
        const QByteArray name = wad.mid(record, wad::layout::kNameSize);
        if (!name.contains(".gp4")) continue;
        const uint32_t offset =
            model::le::u32(wad.constData() + record + wad::layout::kDataOffsetInRecord);
        const uint32_t length =
            model::le::u32(wad.constData() + record + wad::layout::kDataLengthInRecord);
        seed("car_shape", wad.mid(offset, length));
    }
    const QDir pictures(dir.filePath(QStringLiteral("MenuData/PC/GP2001/images")));
    for (const QString& name : {QStringLiteral("33.gpi"), QStringLiteral("178.gpi")})
        if (pictures.exists(name)) seed("team_picture", readWhole(pictures.filePath(name)));
}

void seedOwnFiles() {
    const model::EditorModel a = demo::demoModel(0), b = demo::demoModel(102);
    files::ShownCameras shown;
    for (int r = 0; r < model::kCameraCount; ++r)
        for (int f = 0; f < model::kCameraFieldCount; ++f) shown.records[r][f] = r * 7 - f * 3;
    shown.chaseY = 11;
    shown.chaseZ = -13;
    seed("team_file", files::writeTeamFile(a, shown, files::TeamFileSelection::all()));
    files::TeamFileSelection some;
    some.cameras = 0x0421;
    some.helmets = 0x0003;
    some.shapeNames = 0x0007;
    some.globals = files::GlobalChases | files::GlobalWheelPositions;
    seed("team_file", files::writeTeamFile(b, shown, some));
    QByteArray headerless(files::kHeaderlessSizeWithCockpit, '\0');
    headerless[0] = 7;
    seed("team_file", headerless);
    seed("team_file", headerless.left(files::kHeaderlessSize));

    const QByteArray cameras = files::writeCameraSet(shown);
    seed("camera_set", cameras);
    seed("camera_set", cameras.left(204));
    QByteArray tyres;
    for (int t = 0; t < model::kTeamCount; ++t) tyres += model::le::bytesU16(uint16_t(t % 3));
    seed("tyre_set", tyres);

    seed("sectioned_performance_file", files::writeSectionedPerformanceFile(a));
    seed("keyed_performance_file", files::writeKeyedPerformanceFile(a));

    images::DecodedImage rgba{7, 5, images::PixelFormat::Rgba, QByteArray(7 * 5 * 4, '\0')};
    images::DecodedImage rgb{6, 4, images::PixelFormat::Rgb, QByteArray(6 * 4 * 3, '\0')};
    for (int i = 0; i < rgba.pixels.size(); ++i) rgba.pixels[i] = char(i / 8);
    for (int i = 0; i < rgb.pixels.size(); ++i) rgb.pixels[i] = char(i * 7);
    seed("tga", images::encodeTga(rgba));
    seed("tga", images::encodeTga(rgba, true, true));
    seed("tga", images::encodeTga(rgb, true));
    seed("tga", images::encodeTga(rgb, false, true));
    seed("bmp", images::encodeBmp(rgb));
    seed("bmp", images::encodeBmp(rgba));

    const QByteArray body = wad::writeCarShape(wad::sampleCarBodyShape(), "car_body");
    const QByteArray cockpit = wad::writeCarShape(wad::sampleCockpitShape(), "cockpit");
    seed("car_shape", body);
    seed("car_shape", cockpit);
    seed("car_shape", wad::writeCarShape(wad::sampleDashboardShape(), "dash"));
    QByteArray mesh(216, '\0');
    for (int i = 0; i < mesh.size(); ++i) mesh[i] = char(i);
    seed("cars_archive", wad::BuildWad({{"cars\\car_cockpit_00.gp4", cockpit},
                                        {"cars\\car_collision_mesh.ct", mesh},
                                        {"other.bin", QByteArray(10, 'x')}})
                             .bytes);
    seed("cars_archive", wad::BuildWad({{"car_collision_mesh.ct", mesh}}).bytes);
}

// A prefix's system registry recording the game's folder, in both views.
void seedRegistry() {
    const QByteArray key = QByteArray(model::install::kKeyPath).mid(1).replace("\\", "\\\\");
    const QByteArray wow64 = QByteArray(key).replace("Software\\\\", "Software\\\\Wow6432Node\\\\");
    const QByteArray value =
        QByteArray("\"") + model::install::kValueName + "\"=\"C:\\\\Games\\\\x\"\n";
    seed("wine_registry",
         "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n\n[" +
             wow64 + "] 1700000000\n#time=1d9a1b2c3d4e5f6\n" + value + "\n[" + key +
             "] 1700000000\n" + value + "@=\"default\"\n");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz-seed-corpus OUT\n");
        return 2;
    }
    outRoot = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    try {
        QTemporaryDir games;
        if (!games.isValid())
            throw model::GameFileError(games.path(), -1, QStringLiteral("cannot be made"));
        seedFromDemoGame(games.filePath(QStringLiteral("a")), 0);
        seedFromDemoGame(games.filePath(QStringLiteral("b")), 102);
        seedOwnFiles();
        seedRegistry();
    } catch (const model::GameFileError& e) {
        std::fprintf(stderr, "fuzz-seed-corpus: %s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
