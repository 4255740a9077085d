// The floors of Import All and Export All: the bytes they move, moved by raw pread and pwrite
// (plus the one checksum an export needs), over a demo game's files. Shared by the data-core
// benchmarks and the window benchmarks, so each step has its floor in its own process.
#pragma once

#include <benchmark/benchmark.h>

#include <QString>
#include <utility>
#include <vector>

namespace pw::bench {

// The three files a game's Import All and Export All touch, in a demo game's folder.
struct GameFiles {
    explicit GameFiles(const QString& folder);
    QString exe, save, wad;
};

using Ranges = std::vector<std::pair<qint64, qint64>>;  // offset, length

// The ranges Import All reads (22 reads through 3 opens) and Export All writes, per file, in the
// demo's layout A.
struct GameRanges {
    Ranges exeRead, exeWrite, saveRead, saveWrite, wadRead, wadWrite;
};
GameRanges gameRanges(const GameFiles& game);

// The file opened for reading and writing; throws when it cannot be.
int openRw(const QString& path);

// Each iteration reads what Import All reads.
void importFloor(benchmark::State& state, const GameFiles& game);
// Each iteration writes what Export All writes, then reads, sums and writes the checksum.
void exportFloor(benchmark::State& state, const GameFiles& game);
// The same, with the work of Export All's backup done raw around it: the executable and the
// save-state read whole and hashed, copied into a new folder in backupsFolder with a record of a
// backup's size (copies, record and folders flushed), the written files flushed, both hashed again
// after, the backups folder listed, the copies and record removed.
void exportWithBackupFloor(benchmark::State& state, const GameFiles& game,
                           const QString& backupsFolder);
// The same with every backup kept: kept backups made first, then each iteration's export backs
// up into a folder of its own, replaces the record with the state after, and removes the oldest.
void exportKeepingBackupsFloor(benchmark::State& state, const GameFiles& game,
                               const QString& backupsFolder, int kept);

}  // namespace pw::bench
