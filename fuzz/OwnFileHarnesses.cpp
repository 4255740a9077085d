// The editor's own files, read and applied to a model as the open commands do. Input: the file.

#include "Harness.h"
#include "core/ownfiles/CameraSet.h"
#include "core/ownfiles/KeyedPerformanceFile.h"
#include "core/ownfiles/SectionedPerformanceFile.h"
#include "core/ownfiles/TeamFile.h"
#include "core/ownfiles/TyreSet.h"

namespace pw::fuzz {

namespace {
void promiseBrands(const model::EditorModel& m) {
    for (const model::TeamRecord& t : m.teams)
        promise(t.tyreBrand >= 0 && t.tyreBrand <= 2, "every brand is 0, 1 or 2");
}
}  // namespace

void fuzzTeamFile(const uint8_t* data, size_t size) {
    model::EditorModel m;
    accepted([&] {
        files::applyTeamFile(files::readTeamFile(bytesOf(data, size), QStringLiteral("fuzzed.car")),
                             m);
        promiseBrands(m);
    });
}

void fuzzCameraSet(const uint8_t* data, size_t size) {
    model::EditorModel m;
    accepted([&] {
        files::applyCameraSet(
            files::readCameraSet(bytesOf(data, size), QStringLiteral("fuzzed.cam")), m);
    });
}

void fuzzTyreSet(const uint8_t* data, size_t size) {
    model::EditorModel m;
    accepted([&] {
        files::applyTyreSet(files::readTyreSet(bytesOf(data, size), QStringLiteral("fuzzed.tyr")),
                            m);
        promiseBrands(m);
    });
}

void fuzzSectionedPerformanceFile(const uint8_t* data, size_t size) {
    accepted([&] {
        const files::PerformanceFileContent c =
            files::readSectionedPerformanceFile(bytesOf(data, size), QStringLiteral("fuzzed.txt"));
        for (const auto& t : c.teams)
            if (t.tyreBrand)
                promise(*t.tyreBrand >= 0 && *t.tyreBrand <= 2, "a brand is 0, 1 or 2");
    });
}

void fuzzKeyedPerformanceFile(const uint8_t* data, size_t size) {
    accepted([&] {
        files::readKeyedPerformanceFile(bytesOf(data, size), QStringLiteral("fuzzed.txt"));
    });
}

}  // namespace pw::fuzz
