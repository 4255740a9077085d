// Every pure reader of the data core, fed thousands of damaged files: valid files of our own
// writers and the demo generator cut short, with flipped bytes and with huge counts, and plain
// pseudo-random bytes. A reader may accept a file or refuse it with GameFileError (a decoder
// with its typed error result); it must never crash, read outside its buffer (run under the
// address sanitizer to see that) or throw anything else. Accepted results are checked against
// the promises their users rely on.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "DemoGame.h"
#include "GameFileFixtures.h"
#include "OwnFileSamples.h"
#include "WinePrefixFixtures.h"
#include "core/ownfiles/CameraSet.h"
#include "core/ownfiles/KeyedPerformanceFile.h"
#include "core/ownfiles/SectionedPerformanceFile.h"
#include "core/ownfiles/TeamFile.h"
#include "core/ownfiles/TyreSet.h"
#include "core/images/BmpImage.h"
#include "core/images/TgaImage.h"
#include "core/bytes/GameFileError.h"
#ifndef _WIN32
#include "core/location/LutrisGameFile.h"
#endif
#include "core/location/SteamLibraryFolders.h"
#include "core/location/WineRegistry.h"
#include "core/archive/CarShape.h"
#include "core/archive/CarShapeWriter.h"
#include "core/archive/SampleShapes.h"
#include "core/archive/TyrePositions.h"
#include "core/archive/WadArchive.h"
#include "core/archive/WadWriter.h"

using namespace pw;
using pw::model::GameFileError;

namespace {

const QString kName = QStringLiteral("fuzzed");

// Deterministic damage: std::mt19937's output is the same everywhere; the ranges are taken by
// remainder rather than through the library's distributions, which differ between libraries.
class Mutator {
public:
    explicit Mutator(uint32_t seed) : random_(seed) {}

    uint32_t below(uint32_t n) { return n == 0 ? 0 : uint32_t(random_() % n); }

    QByteArray randomBytes(int maxSize) {
        QByteArray b(int(below(uint32_t(maxSize) + 1)), '\0');
        for (char& c : b) c = char(random_());
        return b;
    }

    // One of: cut short, a few flipped bytes, a huge or negative count written over four bytes
    // (aligned, so it lands on the counts and offsets of the binary layouts), a run of bytes
    // repeated, or several of these at once.
    QByteArray damage(const QByteArray& valid) {
        QByteArray b = valid;
        const int kind = int(below(6));
        const int rounds = kind == 5 ? 2 + int(below(3)) : 1;
        for (int r = 0; r < rounds; ++r) apply(kind == 5 ? int(below(5)) : kind, b);
        return b;
    }

private:
    void apply(int kind, QByteArray& b) {
        if (b.isEmpty()) return;
        switch (kind) {
            case 0:  // truncated
                b.truncate(int(below(uint32_t(b.size()))));
                break;
            case 1:  // flipped bytes
                for (int k = 1 + int(below(8)); k > 0; --k)
                    b[int(below(uint32_t(b.size())))] ^= char(1 + below(255));
                break;
            case 2:
            case 3: {  // a huge count
                static const uint32_t kHuge[] = {0x7FFFFFFFu, 0xFFFFFFFFu, 0x80000000u, 0x0000FFFFu,
                                                 0x00010000u, 0x40000000u, 0x0FFFFFFFu};
                const uint32_t v =
                    below(3) == 0 ? uint32_t(random_()) : kHuge[below(std::size(kHuge))];
                const int at = int(below(uint32_t(b.size()))) & ~3;
                if (at + 4 <= b.size()) test::poke(b, at, test::u32le(v));
                break;
            }
            case 4: {  // a run repeated somewhere else
                const int from = int(below(uint32_t(b.size())));
                const int length = 1 + int(below(64));
                b.insert(int(below(uint32_t(b.size()))), b.mid(from, length));
                break;
            }
        }
    }

    std::mt19937 random_;
};

// Feeds each input to read; anything but a return or a GameFileError fails the test, naming
// the input so that it can be replayed.
void feed(const char* reader, const std::vector<QByteArray>& valid, int damaged, int random,
          const std::function<void(const QByteArray&)>& read, uint32_t seed) {
    Mutator m(seed);
    std::vector<QByteArray> inputs = valid;
    for (int i = 0; i < damaged; ++i)
        inputs.push_back(m.damage(valid[m.below(uint32_t(valid.size()))]));
    for (int i = 0; i < random; ++i) inputs.push_back(m.randomBytes(600));
    int failures = 0;
    for (size_t i = 0; i < inputs.size() && failures < 5; ++i) {
        try {
            read(inputs[i]);
        } catch (const GameFileError&) {
        } catch (const std::exception& e) {
            ++failures;
            ADD_FAILURE() << reader << " input " << i << " (" << inputs[i].size()
                          << " bytes) threw " << e.what();
        } catch (...) {
            ++failures;
            ADD_FAILURE() << reader << " input " << i << " threw something unknown";
        }
    }
}

// The valid inputs must be read without complaint, or the damage starts from nothing.
void expectAccepted(const std::vector<QByteArray>& valid,
                    const std::function<void(const QByteArray&)>& read) {
    for (const QByteArray& v : valid) EXPECT_NO_THROW(read(v)) << v.size() << " bytes";
}

// A decoder allocates the whole image its header claims (up to images::kMaxImagePixels) before
// it knows whether the data are there. A few such inputs take that path; thousands would only
// make the test slow, so past the first few the large claims are skipped.
class LargeImageBudget {
public:
    bool allows(qint64 claimedPixels) {
        if (claimedPixels <= (qint64(1) << 20)) return true;
        return taken_++ < 4;
    }

private:
    int taken_ = 0;
};

qint64 tgaClaimedPixels(const QByteArray& b) {
    return b.size() < 16
               ? 0
               : qint64(model::le::u16(b.constData() + 12)) * model::le::u16(b.constData() + 14);
}

qint64 bmpClaimedPixels(const QByteArray& b) {
    if (b.size() < 26) return 0;
    const qint64 w = int32_t(model::le::u32(b.constData() + 18));
    const qint64 h = int32_t(model::le::u32(b.constData() + 22));
    return std::abs(w) * std::abs(h);
}

constexpr int kDamaged = 3000;
constexpr int kRandom = 500;

std::vector<QByteArray> teamFiles() {
    const model::EditorModel m = files::testing::sampleModel();
    const files::ShownCameras s = files::testing::sampleShown();
    std::vector<QByteArray> out = {files::writeTeamFile(m, s, files::TeamFileSelection::all())};
    out.push_back(files::writeTeamFile(demo::demoModel(102), s, files::TeamFileSelection::all()));
    files::TeamFileSelection some;
    some.cameras = 0x0421;
    some.helmets = 0x0003;
    some.shapeNames = 0x0007;
    some.globals = files::GlobalChases | files::GlobalWheelPositions;
    out.push_back(files::writeTeamFile(m, s, some));
    // A version 3 header (seven masks) and the two headerless sizes.
    QByteArray v3 = files::writeTeamFile(m, s, some);
    test::poke(v3, 0, test::u16le(files::kTeamFileVersion3));
    v3.remove(16, 4);
    out.push_back(v3);
    QByteArray headerless = test::patternBytes(files::kHeaderlessSizeWithCockpit);
    test::poke(headerless, 0, test::u16le(7));
    out.push_back(headerless);
    out.push_back(headerless.left(files::kHeaderlessSize));
    return out;
}

}  // namespace

TEST(FuzzReaders, TeamFileAcceptsOrRefusesAndAppliesOnlyWhatItRead) {
    const auto valid = teamFiles();
    const auto read = [](const QByteArray& b) {
        model::EditorModel m = files::testing::sampleModel();
        files::applyTeamFile(files::readTeamFile(b, kName), m);
    };
    expectAccepted(valid, read);
    feed("team file", valid, kDamaged, kRandom, read, 1);
}

TEST(FuzzReaders, CameraSetAndTyreSet) {
    const QByteArray cameras = files::writeCameraSet(files::testing::sampleShown());
    std::vector<QByteArray> cameraSets = {cameras};
    for (int size : {200, 204, 224, 230}) cameraSets.push_back(cameras.left(size));
    const auto readCameras = [](const QByteArray& b) {
        model::EditorModel m;
        files::applyCameraSet(files::readCameraSet(b, kName), m);
    };
    expectAccepted(cameraSets, readCameras);
    feed("camera set", cameraSets, kDamaged, kRandom, readCameras, 2);

    QByteArray tyres;
    for (int i = 0; i < model::kTeamCount; ++i) tyres += test::u16le(uint16_t(i % 3));
    const auto readTyres = [](const QByteArray& b) {
        model::EditorModel m;
        files::applyTyreSet(files::readTyreSet(b, kName), m);
        for (const model::TeamRecord& t : m.teams)
            ASSERT_TRUE(t.tyreBrand >= 0 && t.tyreBrand <= 2);
    };
    expectAccepted({tyres}, readTyres);
    feed("tyre set", {tyres}, kDamaged, kRandom, readTyres, 3);
}

TEST(FuzzReaders, BothPerformanceFiles) {
    const model::EditorModel m = files::testing::sampleModel();
    const model::EditorModel demo = demo::demoModel(0);
    const std::vector<QByteArray> sectioned = {files::writeSectionedPerformanceFile(m),
                                               files::writeSectionedPerformanceFile(demo)};
    const auto readSectioned = [](const QByteArray& b) {
        const files::PerformanceFileContent c = files::readSectionedPerformanceFile(b, kName);
        for (const auto& t : c.teams) {
            if (t.tyreBrand) {
                ASSERT_TRUE(*t.tyreBrand >= 0 && *t.tyreBrand <= 2);
            }
        }
    };
    expectAccepted(sectioned, readSectioned);
    feed("sectioned performance file", sectioned, kDamaged, kRandom, readSectioned, 4);

    const std::vector<QByteArray> keyed = {files::writeKeyedPerformanceFile(m),
                                           files::writeKeyedPerformanceFile(demo)};
    const auto readKeyed = [](const QByteArray& b) { files::readKeyedPerformanceFile(b, kName); };
    expectAccepted(keyed, readKeyed);
    feed("keyed performance file", keyed, kDamaged, kRandom, readKeyed, 5);
}

TEST(FuzzReaders, TgaAndBmpDecodersReturnPixelsOfTheSizeTheyClaimOrAMessage) {
    images::DecodedImage rgba{7, 5, images::PixelFormat::Rgba, QByteArray(7 * 5 * 4, '\0')};
    images::DecodedImage rgb{6, 4, images::PixelFormat::Rgb, QByteArray(6 * 4 * 3, '\0')};
    for (int i = 0; i < rgba.pixels.size(); ++i) rgba.pixels[i] = char(i / 8);  // runs and literals
    for (int i = 0; i < rgb.pixels.size(); ++i) rgb.pixels[i] = char(i * 7);
    const std::vector<QByteArray> tgas = {
        images::encodeTga(rgba), images::encodeTga(rgba, true, true), images::encodeTga(rgb, true),
        images::encodeTga(rgb, false, true)};
    LargeImageBudget tgaBudget;
    const auto readTga = [&](const QByteArray& b) {
        if (!tgaBudget.allows(tgaClaimedPixels(b))) return;
        const images::TgaResult r = images::decodeTga(b, kName);
        ASSERT_NE(r.ok(), r.error.has_value());
        if (r.ok()) {
            ASSERT_EQ(r.image->pixels.size(),
                      qint64(r.image->width) * r.image->height * r.image->bytesPerPixel());
        }
        images::endsWithTgaFooter(b);
    };
    for (const QByteArray& t : tgas) EXPECT_TRUE(images::decodeTga(t, kName).ok());
    feed("TGA", tgas, kDamaged, kRandom, readTga, 6);

    const std::vector<QByteArray> bmps = {images::encodeBmp(rgb), images::encodeBmp(rgba)};
    LargeImageBudget bmpBudget;
    const auto readBmp = [&](const QByteArray& b) {
        if (!bmpBudget.allows(bmpClaimedPixels(b))) return;
        const images::BmpResult r = images::decodeBmp(b, kName);
        if (r.hasPixels()) {
            ASSERT_EQ(r.image->pixels.size(), qint64(r.image->width) * r.image->height * 3);
        } else {
            ASSERT_FALSE(r.messages.isEmpty());
        }
    };
    for (const QByteArray& b : bmps) EXPECT_TRUE(images::decodeBmp(b, kName).hasPixels());
    feed("BMP", bmps, kDamaged, kRandom, readBmp, 7);
}

TEST(FuzzReaders, CarShapesKeepEveryIndexInsideItsTable) {
    const std::vector<QByteArray> shapes = {
        wad::writeCarShape(wad::sampleCarBodyShape(), "car_body"),
        wad::writeCarShape(wad::sampleCockpitShape(), "cockpit"),
        wad::writeCarShape(wad::sampleDashboardShape(), "dash")};
    // What the shape compiler relies on without checking again.
    const auto read = [](const QByteArray& b) {
        model::ByteReader r(b, kName);
        const wad::CarShape shape = wad::parseCarShape(r);
        for (const wad::ShapeObject& o : shape.objects) {
            for (const auto& t : o.triangles)
                for (int32_t i : t) ASSERT_TRUE(i >= 0 && size_t(i) < o.vertices.size());
            for (const wad::ShapeBatch& batch : o.batches) {
                ASSERT_GE(batch.firstTriangle, 0);
                ASSERT_GE(batch.triangleCount, 0);
                ASSERT_LE(size_t(batch.firstTriangle) + size_t(batch.triangleCount),
                          o.triangles.size());
                ASSERT_TRUE(batch.textureIndex >= 0 &&
                            size_t(batch.textureIndex) < shape.textureNames.size());
            }
        }
    };
    expectAccepted(shapes, read);
    feed("car shape", shapes, kDamaged, kRandom, read, 8);
}

TEST(FuzzReaders, CarsArchiveDirectoryAndTyrePositionsOverAFile) {
    QByteArray shape = wad::writeCarShape(wad::sampleCockpitShape(), "cockpit");
    const std::vector<QByteArray> archives = {
        wad::BuildWad({{"cars\\car_cockpit_00.gp4", shape},
                       {"cars\\car_collision_mesh.ct", test::patternBytes(216)},
                       {"other.bin", QByteArray(10, 'x')}})
            .bytes,
        wad::BuildWad({{"car_collision_mesh.ct", test::patternBytes(300)}}).bytes};
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("cars.wad"));
    const auto read = [&](const QByteArray& b) {
        test::writeFile(path, b);
        std::optional<wad::WadArchive> archive = wad::WadArchive::OpenArchive(path);
        ASSERT_TRUE(archive.has_value());
        archive->FindEntry(QStringLiteral("car_cockpit_00.gp4"));
        archive->FindFirstCollisionMesh();
        archive->close();
        wad::IsCarsArchive(path);
        model::EditorModel m;
        wad::ReadTyrePositions(path, m);
    };
    expectAccepted(archives, read);
    // Every input goes through a file: fewer of them.
    feed("cars archive", archives, 1000, 200, read, 9);
}

TEST(FuzzReaders, WinePrefixTextsKeepOnlyWhatParses) {
    const std::vector<QByteArray> registries = {
        test::systemRegistryWith(test::kWow64InstallKey,
                                 "C:\\\\Program Files (x86)\\\\Caf\\xe9 \\x2014 \\101\\\\GP4"),
        test::systemRegistryWith(test::kInstallKey, "D:\\\\Games\\\\\\\"GP4\\\"\\\\")};
    const auto readRegistry = [](const QByteArray& b) {
        const std::optional<model::WineRegistry> r = model::parseWineRegistry(b);
        if (r) {
            // A key is kept only with a value, and the signature line is never one.
            ASSERT_LE(r->keyCount(), b.count('['));
        }
        model::parseWineRegistry(b, {QStringLiteral("Software\\Infogrames")});
    };
    for (const QByteArray& r : registries) EXPECT_EQ(model::parseWineRegistry(r)->keyCount(), 2);
    feed("Wine registry", registries, kDamaged, kRandom, readRegistry, 10);

#ifndef _WIN32  // Lutris is read on Linux only.
    const std::vector<QByteArray> lutris = {
        "game:\n  exe: drive_c/GP4/GP4.exe\n  prefix: '/home/u/It''s GP4'\nname: x\n",
        "game:\n  prefix: \"/home/u/\\\"GP4\\\"\" # here\nwine:\n  prefix: /no\n"};
    const auto readLutris = [](const QByteArray& b) { model::lutrisGamePrefix(b); };
    expectAccepted(lutris, readLutris);
    feed("Lutris game file", lutris, kDamaged, kRandom, readLutris, 11);
#endif

    const std::vector<QByteArray> steam = {
        "\"libraryfolders\" { \"0\" { \"path\" \"/home/u/Steam\" \"apps\" { \"10\" \"20\" } }"
        " \"1\" { \"path\" \"/mnt/a \\\"b\\\"\" } }",
        "\"LibraryFolders\"\n{\n\t\"1\"\t\t\"/mnt/games\"\n}\n// end\n"};
    const auto readSteam = [](const QByteArray& b) {
        for (const QString& folder : model::steamLibraryFolders(b))
            ASSERT_TRUE(folder.startsWith(QLatin1Char('/')));
    };
    EXPECT_EQ(model::steamLibraryFolders(steam[0]).size(), 2);
    feed("Steam library list", steam, kDamaged, kRandom, readSteam, 12);
}
