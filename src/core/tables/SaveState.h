#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "core/tables/EditorModel.h"

namespace pw::model {

class GameFile;
class ImportFiles;

// The game's save-state file: driver numbers and names, team and engine names and one tyre-brand
// code per team, ending in a checksum over every other byte. Team 1's tyre brand lives as a word
// in the executable; the performance block of the executable is read and written here as well.
// Callers pass resolved paths; files are opened read-write and closed before returning. The forms
// over open files (or an Import All's ImportFiles) leave them open for the caller's next read.

namespace save {
constexpr qint64 kDriverNumbers = 96822;  // 22 x u8
constexpr qint64 kBrandCodes = 96932;     // 11 x u32
constexpr qint64 kDriverNames = 97044;    // 22 x 24 bytes
constexpr qint64 kTeamNames = 97572;      // 11 x 13 bytes
constexpr qint64 kEngineNames = 97715;    // 11 x 13 bytes, directly after the team names
constexpr qint64 kDriverNameSize = 24;
constexpr qint64 kTeamNameSize = 13;
constexpr qint64 kTablesEnd = kEngineNames + kTeamCount * kTeamNameSize;
constexpr qint64 kChecksumSize = 4;
}  // namespace save

// Messages the window shows for the results below.
inline constexpr char kBrandsSaveStateMissingMessage[] =
    "Sorry but f1gstate.sav file can't be found.\r\nYou have to run GP4 once to built it.\r\n"
    "Default Tyre Brands will be used.";
inline constexpr char kBrandsNotExportedMessage[] =
    "Sorry but as f1gstate.sav file hadn't been found, tyre brands havn't been exported.";
inline constexpr char kSaveStateTablesMissingMessage[] =
    "Sorry but F1Gstate.sav file can't be found.\nTeam Performances and Images won't be loaded";

enum class BrandWordStatus {
    Done,            // read (and recognised) or written
    Unrecognised,    // read, but none of TyreBrandWords: team 1 falls back to brand 0
    UnknownVersion,  // no brand-word offset is known for the version byte: neither read nor written
    NotRead,         // the save-state file is missing, so reading stopped before the word
};

struct TyreBrandsResult {
    bool saveStateFound = true;  // false: show the matching message (and, reading, apply defaults)
    BrandWordStatus brandWord = BrandWordStatus::Done;
};

// Brand index of a save-state code (teams other than 1): 0x03350335 is 0, any other code 1.
int tyreBrandFromCode(uint32_t code);
// Brand index of the brand word once blanks and control characters around it are removed.
std::optional<int> tyreBrandFromWord(const QByteArray& word);

// Reads the brand codes of every team but team 1 from the save-state file, then team 1's brand
// word from the executable at the offset of the version byte read there again (which becomes
// model.versionByte). A missing save-state file reads nothing and changes nothing.
TyreBrandsResult ReadTyreBrands(const QString& savePath, const QString& exePath,
                                EditorModel& model);
// The same over the files of one Import All; the path form calls it.
TyreBrandsResult ReadTyreBrands(ImportFiles& files, EditorModel& model);
// The same over open files (on disk or in memory), the save-state file present.
TyreBrandsResult ReadTyreBrands(GameFile& save, GameFile& exe, EditorModel& model);

// Who sums the save-state file after the brand codes are written.
enum class BrandsChecksum {
    Here,
    // WriteSaveStateTables runs next and sums the file anyway (Export All): one sum instead of
    // two. A file too short for those tables is summed here still, as that writer refuses it
    // before it sums.
    ByTablesWriter,
};

// Writes every team's brand code and the checksum when the save-state file exists, then team 1's
// brand word at the offset of model.versionByte (when one is known). A brand index outside 0..2
// throws before anything is written.
TyreBrandsResult WriteTyreBrands(const QString& savePath, const QString& exePath,
                                 const EditorModel& model,
                                 BrandsChecksum checksum = BrandsChecksum::Here);

enum class SaveStateStatus { Done, Missing };

// Reads driver numbers and names, team and engine names (NUL padding kept), then the performance
// block of the layout of model.versionByte. A missing save-state file reads nothing; the model
// changes only when everything could be read.
SaveStateStatus ReadSaveStateTables(const QString& savePath, const QString& exePath,
                                    EditorModel& model);
SaveStateStatus ReadSaveStateTables(ImportFiles& files, EditorModel& model);
// The save-state file present.
void ReadSaveStateTables(GameFile& save, GameFile& exe, EditorModel& model);

// Writes driver numbers and names, team and engine names (each cut to its record, zero padded),
// the checksum, then the performance block. A missing save-state file throws GameFileError.
void WriteSaveStateTables(const QString& savePath, const QString& exePath,
                          const EditorModel& model);

void ReadPerformanceBlock(const QString& exePath, EditorModel& model);
void ReadPerformanceBlock(GameFile& exe, EditorModel& model);
void WritePerformanceBlock(const QString& exePath, const EditorModel& model);

// The checksum of the bytes it covers: a save-state file's bytes but its last four.
uint32_t saveStateChecksumOf(const QByteArray& covered);
// Recomputes the checksum of the file at path and stores it in its last four bytes.
void SaveStateChecksum(const QString& path);
void SaveStateChecksum(GameFile& file);

}  // namespace pw::model
