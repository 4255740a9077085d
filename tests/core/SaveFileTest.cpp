#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "files/SaveFile.h"
#include "model/GameFileError.h"

using namespace pw::files;
using pw::model::GameFileError;

namespace {
QByteArray contents(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

// Limits the size of files this process may write, as a full disk would, for one scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};
}  // namespace

TEST(SaveFile, WritesAndReplacesTheWholeFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("team.car"));
    saveFileAtomically(path, QByteArray("a longer first version"));
    saveFileAtomically(path, QByteArray("second"));
    EXPECT_EQ(contents(path), QByteArray("second"));
    EXPECT_EQ(readWholeFile(path), QByteArray("second"));
}

TEST(SaveFile, FailedSaveLeavesThePreviousFileWholeAndSaysWhy) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("perf.txt"));
    saveFileAtomically(path, QByteArray("previous"));
    {
        FileSizeLimit limit(4096);
        try {
            saveFileAtomically(path, QByteArray(64 * 1024, 'x'));
            ADD_FAILURE() << "a save past the size limit reported success";
        } catch (const GameFileError& e) {
            EXPECT_EQ(e.file(), path);
            EXPECT_FALSE(e.expected().isEmpty());
        }
    }
    EXPECT_EQ(contents(path), QByteArray("previous"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("perf.txt")})
        << "no temporary file left behind";
}

TEST(SaveFile, MissingFolderAndMissingFileAreErrors) {
    QTemporaryDir dir;
    EXPECT_THROW(saveFileAtomically(dir.filePath(QStringLiteral("no/such/x.car")), "x"),
                 GameFileError);
    EXPECT_THROW(readWholeFile(dir.filePath(QStringLiteral("absent.car"))), GameFileError);
}
