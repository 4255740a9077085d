// Every committed input of every harness, replayed through the harness function: the small
// samples the fuzzer starts from and every input that once crashed, hung or broke a promise of
// a reader (fuzz/regressions/<harness>/). Under the sanitizer build a read outside a buffer
// fails here too.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "Harness.h"

using namespace pw::fuzz;

namespace {

QStringList filesIn(const QString& folder) {
    QStringList paths;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) paths << dir.filePath(name);
    return paths;
}

// Runs one input; what escapes the harness is a finding, named after its file.
void replay(const Harness& h, const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    const QByteArray bytes = file.readAll();
    try {
        h.run(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    } catch (const BrokenPromise& e) {
        ADD_FAILURE() << qPrintable(path) << ": broken promise: " << e.what();
    } catch (const std::exception& e) {
        ADD_FAILURE() << qPrintable(path) << ": threw " << e.what();
    }
}

class Replay : public testing::TestWithParam<Harness> {};

TEST_P(Replay, SamplesAndRegressionsAreReadOrRefused) {
    const QString root = QStringLiteral(PITWRIGHT_FUZZ_DIR);
    const QString name = QString::fromLatin1(GetParam().name);
    const QStringList samples = filesIn(root + QStringLiteral("/samples/") + name);
    // Without a sample the fuzzer would start from nothing and this test would replay nothing.
    ASSERT_FALSE(samples.isEmpty()) << "no samples for " << GetParam().name;
    for (const QString& path : samples + filesIn(root + QStringLiteral("/regressions/") + name))
        replay(GetParam(), path);
}

INSTANTIATE_TEST_SUITE_P(Harnesses, Replay, testing::ValuesIn(harnesses()),
                         [](const testing::TestParamInfo<Harness>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
