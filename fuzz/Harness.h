#pragma once

// One harness per reader: a function that feeds arbitrary bytes to the reader through the entry
// point the program itself calls. A reader may accept the bytes or refuse them with its typed
// error; anything else (a crash, a sanitizer report, another exception, a broken promise about
// what it returns) is a finding. The same functions run under libFuzzer and, in the normal test
// run, over every committed input.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "core/bytes/GameFileError.h"

namespace pw::fuzz {

// Thrown when an accepted result breaks what its users rely on.
class BrokenPromise : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

inline void promise(bool kept, const char* what) {
    if (!kept) throw BrokenPromise(what);
}

using HarnessFunction = void (*)(const uint8_t* data, size_t size);

struct Harness {
    const char* name;  // also the folder of its samples and regressions
    HarnessFunction run;
};

// Every harness, by name.
const std::vector<Harness>& harnesses();

// The harness functions themselves (one file each).
void fuzzExeTables(const uint8_t* data, size_t size);
void fuzzSaveState(const uint8_t* data, size_t size);
void fuzzCarsArchive(const uint8_t* data, size_t size);
void fuzzCarShape(const uint8_t* data, size_t size);
void fuzzTga(const uint8_t* data, size_t size);
void fuzzBmp(const uint8_t* data, size_t size);
void fuzzTeamPicture(const uint8_t* data, size_t size);
void fuzzTeamFile(const uint8_t* data, size_t size);
void fuzzCameraSet(const uint8_t* data, size_t size);
void fuzzTyreSet(const uint8_t* data, size_t size);
void fuzzSectionedPerformanceFile(const uint8_t* data, size_t size);
void fuzzKeyedPerformanceFile(const uint8_t* data, size_t size);
void fuzzWineRegistry(const uint8_t* data, size_t size);

// The input as a byte array that does not copy it.
inline QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Runs one reader call: its typed error is an answer, not a finding.
template <typename Call>
bool accepted(Call call) {
    try {
        call();
        return true;
    } catch (const pw::model::GameFileError&) {
        return false;
    }
}

}  // namespace pw::fuzz
