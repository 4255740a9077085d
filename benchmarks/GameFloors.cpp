#include "GameFloors.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <deque>
#include <stdexcept>
#include <string>

#include "core/archive/TyrePositions.h"
#include "core/bytes/FileFingerprint.h"
#include "core/tables/ExeLayout.h"
#include "core/tables/ExeTables.h"
#include "core/tables/SaveState.h"

namespace pw::bench {

GameFiles::GameFiles(const QString& folder)
    : exe(QDir(folder).filePath(QStringLiteral("GP4.exe"))),
      save(QDir(folder).filePath(QStringLiteral("f1gstate.sav"))),
      wad(QDir(folder).filePath(QStringLiteral("cars.wad"))) {}

GameRanges gameRanges(const GameFiles& game) {
    using namespace model::exe;
    using namespace model::save;
    const Layout& l = kLayoutA;
    GameRanges r;
    Ranges cockpit;
    for (qint64 o : {kCockpitDashX, kCockpitDashZ, kCockpitDashY, kCockpitWheelX, kCockpitWheelZ,
                     kCockpitWheelY})
        cockpit.push_back({l.cockpit + o, 4});
    const Ranges tables = {{l.cameraBlock + kChaseY, 2},
                           {l.cameraBlock + kChaseZ, 2},
                           {l.cameraBlock + kCameraRecords, 12 * kCameraRecordSize},
                           {l.teamWheels, 11 * kTeamWheelSize},
                           {l.tcams, 11 * kTcamSize},
                           {l.helmets, 11 * kHelmetSize},
                           {l.armColours, 11 * kArmColourSize},
                           {l.rimTeam4, 4},
                           {l.performance, kPerformanceBlockSize},
                           {*brandWordOffset(0), kBrandWordSize},
                           {l.shapeNames, 11 * kShapeNameSize}};
    // What Import All reads from the executable: each block whole (the cockpit, the rims, the
    // camera block), one read per table; 13 reads.
    r.exeRead = {{kVersionByteOffset, 1},
                 {l.cockpit, kCockpitBlockSize},
                 {l.rimTeam4, 4},
                 {l.rimTable, qint64(kRimTableTeams.size()) * kRimSlotSize},
                 {l.helmets, 11 * kHelmetSize},
                 {l.tcams, 11 * kTcamSize},
                 {l.armColours, 11 * kArmColourSize},
                 {l.wheelBase, kWheelBaseSize},
                 {l.teamWheels, 11 * kTeamWheelSize},
                 {l.cameraBlock, kCameraBlockSize},
                 {*brandWordOffset(0), kBrandWordSize},
                 {l.performance, kPerformanceBlockSize},
                 {l.shapeNames, 11 * kShapeNameSize}};
    r.exeWrite = cockpit;
    r.exeWrite.insert(r.exeWrite.end(), tables.begin(), tables.end());
    r.exeWrite.push_back({l.rimLink, 4});
    for (size_t i = 0; i < kRimTableTeams.size(); ++i)
        r.exeWrite.push_back({l.rimTable + qint64(i) * kRimSlotSize, 4});
    r.saveRead = {{kDriverNumbers, model::kDriverCount},
                  {kBrandCodes, 11 * 4},
                  {kDriverNames, kTablesEnd - kDriverNames}};
    r.saveWrite = r.saveRead;

    model::EditorModel m;
    wad::ReadTyrePositions(game.wad, m);
    const qint64 mesh = *m.tyres.collisionMeshOffset;
    const int fd = ::open(game.wad.toLocal8Bit().constData(), O_RDONLY);
    uint32_t n = 0;
    if (::pread(fd, &n, 4, 0) != 4) throw std::runtime_error("archive count");
    ::close(fd);
    r.wadRead = {{0, 4}, {4, qint64(n) * 136}};
    for (qint64 w : wad::kWheelOffsets) {
        r.wadRead.push_back({mesh + w, wad::kWheelSize});
        r.wadWrite.push_back({mesh + w, wad::kWheelSize});
    }
    return r;
}

int openRw(const QString& path) {
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR);
    if (fd < 0) throw std::runtime_error("open " + path.toStdString());
    return fd;
}

namespace {

void preadAll(const QString& path, const Ranges& ranges, std::vector<char>& buffer) {
    const int fd = openRw(path);
    for (const auto& [offset, length] : ranges)
        if (::pread(fd, buffer.data(), size_t(length), offset) != length)
            throw std::runtime_error("pread");
    ::close(fd);
}

void pwriteAll(const QString& path, const Ranges& ranges, const std::vector<char>& bytes) {
    const int fd = openRw(path);
    for (const auto& [offset, length] : ranges)
        if (::pwrite(fd, bytes.data() + offset, size_t(length), offset) != length)
            throw std::runtime_error("pwrite");
    ::close(fd);
}

void check(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(what);
}

// The whole file read into bytes, and its SHA-256.
QByteArray readAndHash(const QString& path, std::vector<char>& bytes) {
    const int fd = openRw(path);
    struct stat st {};
    check(::fstat(fd, &st) == 0, "fstat");
    bytes.resize(size_t(st.st_size));
    check(::pread(fd, bytes.data(), bytes.size(), 0) == ssize_t(bytes.size()), "pread");
    ::close(fd);
    return model::sha256Hex(QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size())));
}

void writeFlushed(const std::string& path, const std::vector<char>& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    check(fd >= 0, "create");
    check(::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size()), "write");
    check(::fsync(fd) == 0, "fsync");
    ::close(fd);
}

void listFolder(const std::string& path) {
    DIR* folder = ::opendir(path.c_str());
    check(folder != nullptr, "opendir");
    int entries = 0;
    while (::readdir(folder) != nullptr) ++entries;
    ::closedir(folder);
    benchmark::DoNotOptimize(entries);
}

void flushPath(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    const bool flushed = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0) ::close(fd);
    check(flushed, "fsync");
}

std::vector<char> fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("read " + path.toStdString());
    const QByteArray b = f.readAll();
    return std::vector<char>(b.begin(), b.end());
}

}  // namespace

void importFloor(benchmark::State& state, const GameFiles& g) {
    const GameRanges r = gameRanges(g);
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        preadAll(g.exe, r.exeRead, buffer);
        preadAll(g.wad, r.wadRead, buffer);
        preadAll(g.save, r.saveRead, buffer);
        benchmark::DoNotOptimize(buffer.data());
    }
}

namespace {

// What Export All writes, then the checksum: read what it covers, sum, write the sum.
void writeExport(const GameFiles& g, const GameRanges& r, const std::vector<char>& exe,
                 const std::vector<char>& wad, std::vector<char>& save) {
    const qint64 covered = qint64(save.size()) - 4;
    pwriteAll(g.exe, r.exeWrite, exe);
    pwriteAll(g.wad, r.wadWrite, wad);
    pwriteAll(g.save, r.saveWrite, save);
    const int fd = openRw(g.save);
    check(::pread(fd, save.data(), size_t(covered), 0) == covered, "pread");
    const uint32_t sum =
        model::saveStateChecksumOf(QByteArray::fromRawData(save.data(), qsizetype(covered)));
    check(::pwrite(fd, &sum, 4, covered) == 4, "pwrite");
    ::close(fd);
}

}  // namespace

void exportFloor(benchmark::State& state, const GameFiles& g) {
    const GameRanges r = gameRanges(g);
    const std::vector<char> exe = fileBytes(g.exe), wad = fileBytes(g.wad);
    std::vector<char> save = fileBytes(g.save);
    for (auto _ : state) writeExport(g, r, exe, wad, save);
}

namespace {

// The bytes one export with its backup moves, kept between iterations.
struct BackupWork {
    BackupWork(const GameFiles& game, const QString& backupsFolder)
        : g(game),
          r(gameRanges(game)),
          exe(fileBytes(g.exe)),
          wad(fileBytes(g.wad)),
          save(fileBytes(g.save)),
          root(backupsFolder.toStdString()) {
        QDir().mkpath(backupsFolder);
    }
    std::string folder(int n) const { return root + "/floor-" + std::to_string(n); }

    // The files as they are, hashed (to compare with what was imported) and copied with a record
    // of the copies into a new folder, flushed, the folder renamed into place and flushed; then
    // the export, flushed, and the files after it hashed.
    void exportBackedUp(const std::string& made) {
        const std::string partial = made + ".partial";
        benchmark::DoNotOptimize(readAndHash(g.exe, exeNow));
        benchmark::DoNotOptimize(readAndHash(g.save, saveNow));
        check(::mkdir(partial.c_str(), 0755) == 0, "mkdir");
        writeFlushed(partial + "/GP4.exe", exeNow);
        writeFlushed(partial + "/f1gstate.sav", saveNow);
        // Without the record the copies could not be put back.
        writeFlushed(partial + "/manifest.json", record);
        flushPath(partial);
        check(::rename(partial.c_str(), made.c_str()) == 0, "rename");
        flushPath(root);
        writeExport(g, r, exe, wad, save);
        for (const QString& path : {g.exe, g.wad, g.save}) flushPath(path.toStdString());
        benchmark::DoNotOptimize(readAndHash(g.exe, exeNow));
        benchmark::DoNotOptimize(readAndHash(g.save, saveNow));
    }
    // The record replaced by one with the hashes after, flushed.
    void recordStateAfter(const std::string& made) {
        writeFlushed(made + "/manifest.json.new", record);
        check(
            ::rename((made + "/manifest.json.new").c_str(), (made + "/manifest.json").c_str()) == 0,
            "rename");
    }
    void remove(const std::string& made) {
        check(::unlink((made + "/manifest.json").c_str()) == 0 &&
                  ::unlink((made + "/GP4.exe").c_str()) == 0 &&
                  ::unlink((made + "/f1gstate.sav").c_str()) == 0 && ::rmdir(made.c_str()) == 0,
              "remove");
    }

    const GameFiles& g;
    const GameRanges r;
    const std::vector<char> exe, wad;
    std::vector<char> save, exeNow, saveNow;
    // About the size of the editor's record of a backup of these files.
    const std::vector<char> record = std::vector<char>(900, '{');
    const std::string root;
};

}  // namespace

void exportWithBackupFloor(benchmark::State& state, const GameFiles& g,
                           const QString& backupsFolder) {
    BackupWork work(g, backupsFolder);
    const std::string made = work.folder(0);
    QDir(QString::fromStdString(made)).removeRecursively();
    for (auto _ : state) {
        work.exportBackedUp(made);
        // The backups listed, to keep the newest; the copies removed (the same bytes were written).
        listFolder(work.root);
        work.remove(made);
    }
}

void exportKeepingBackupsFloor(benchmark::State& state, const GameFiles& g,
                               const QString& backupsFolder, int kept) {
    BackupWork work(g, backupsFolder);
    std::deque<int> made;
    int next = 0;
    for (; next < kept; ++next) {
        QDir(QString::fromStdString(work.folder(next))).removeRecursively();
        work.exportBackedUp(work.folder(next));
        made.push_back(next);
    }
    for (auto _ : state) {
        const std::string folder = work.folder(next);
        work.exportBackedUp(folder);
        work.recordStateAfter(folder);
        made.push_back(next++);
        // The backups listed and the oldest beyond those kept removed.
        listFolder(work.root);
        work.remove(work.folder(made.front()));
        made.pop_front();
    }
    for (int n : made) work.remove(work.folder(n));
}

}  // namespace pw::bench
