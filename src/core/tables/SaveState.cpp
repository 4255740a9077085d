#include "core/tables/SaveState.h"

#include <QDir>
#include <QFileInfo>

#include "core/bytes/ByteIO.h"
#include "core/tables/ExeLayout.h"
#include "core/tables/ImportFiles.h"
#include "core/tables/TyreBrands.h"

namespace pw::model {

using namespace save;

static_assert(exe::kBrandWordSize == kTyreBrandWordSize);

namespace {

bool saveStateExists(const QString& path) {
    return QFileInfo(path).isFile();
}

// The tables must lie before the checksum, so writing the checksum can never overwrite them.
void requireSaveState(GameFile& file, qint64 tablesEnd, const char* what) {
    const qint64 needed = tablesEnd + kChecksumSize;
    if (file.size() < needed)
        throw GameFileError(
            file.displayName(), file.size(),
            QStringLiteral("file ends before %1 and the checksum (needs %2 bytes, has %3)")
                .arg(QString::fromUtf8(what))
                .arg(needed)
                .arg(file.size()));
}

bool blankOrControl(char c) {
    return uint8_t(c) <= 0x20 || uint8_t(c) == 0x7F;
}

void checkBrandIndexes(const QString& savePath, const EditorModel& model) {
    for (int t = 0; t < kTeamCount; ++t) {
        const int b = model.teams[t].tyreBrand;
        if (b < 0 || b >= int(TyreBrandCodes.size()))
            throw GameFileError(
                QDir::toNativeSeparators(savePath), GameFileError::kNoOffset,
                QStringLiteral("team %1 holds tyre brand %2, not 0, 1 or 2").arg(t + 1).arg(b));
    }
}

void readPerformance(GameFile& exe, unsigned versionByte, EditorModel& model) {
    ByteReader p(exe.read(exe::layoutFor(versionByte).performance, exe::kPerformanceBlockSize,
                          "the performance block"),
                 exe.displayName());
    for (TeamRecord& t : model.teams) t.qualifyPower = p.u16("qualify power");
    for (TeamRecord& t : model.teams) t.racePower = p.u16("race power");
    for (DriverRecord& d : model.drivers) {
        d.qualifyAbility = p.u16("qualify ability");
        d.raceAbility = p.u16("race ability");
    }
    for (DriverRecord& d : model.drivers) {
        d.qualifyVariation = p.u16("qualify variation");
        d.raceVariation = p.u16("race variation");
    }
    for (TeamRecord& t : model.teams) t.failureRate = p.u16("failure rate");
    for (TeamRecord& t : model.teams) t.gearCount = p.u8("gear count");
}

void writePerformance(GameFile& exe, const EditorModel& model) {
    ByteWriter p;
    for (const TeamRecord& t : model.teams) p.u16(t.qualifyPower);
    for (const TeamRecord& t : model.teams) p.u16(t.racePower);
    for (const DriverRecord& d : model.drivers) {
        p.u16(d.qualifyAbility);
        p.u16(d.raceAbility);
    }
    for (const DriverRecord& d : model.drivers) {
        p.u16(d.qualifyVariation);
        p.u16(d.raceVariation);
    }
    for (const TeamRecord& t : model.teams) p.u16(uint16_t(t.failureRate & 0xFFFF));
    for (const TeamRecord& t : model.teams) p.u8(uint8_t(t.gearCount & 0xFF));
    exe.write(exe::layoutFor(model.versionByte).performance, p.data(), "the performance block");
}

}  // namespace

int tyreBrandFromCode(uint32_t code) {
    return code == TyreBrandCodes[0] ? 0 : 1;
}

std::optional<int> tyreBrandFromWord(const QByteArray& word) {
    qsizetype begin = 0, end = word.size();
    while (begin < end && blankOrControl(word[begin])) ++begin;
    while (end > begin && blankOrControl(word[end - 1])) --end;
    const QByteArray trimmed = word.mid(begin, end - begin);
    for (size_t i = 0; i < TyreBrandWords.size(); ++i)
        if (trimmed == TyreBrandWords[i]) return int(i);
    return std::nullopt;
}

namespace {

// Every team's code in the save-state file (team 1's is not its brand: see the brand word).
std::array<uint32_t, kTeamCount> readBrandCodes(GameFile& save) {
    requireSaveState(save, kBrandCodes + kTeamCount * 4, "the tyre-brand codes");
    ByteReader codes(save.read(kBrandCodes, kTeamCount * 4, "the tyre-brand codes"),
                     save.displayName());
    std::array<uint32_t, kTeamCount> stored{};
    for (uint32_t& code : stored) code = codes.u32("a tyre-brand code");
    return stored;
}

TyreBrandsResult readBrandWord(const std::array<uint32_t, kTeamCount>& stored, GameFile& exe,
                               EditorModel& model) {
    const uint8_t versionByte = exe.readU8(exe::kVersionByteOffset, "the version byte");
    const std::optional<qint64> wordAt = exe::brandWordOffset(versionByte);
    QByteArray word;
    if (wordAt) word = exe.read(*wordAt, exe::kBrandWordSize, "the tyre-brand word");

    // Team 1's code is not the game's: its brand is the word.
    TyreBrandsResult result{true, BrandWordStatus::UnknownVersion};
    const int team1 = model.teams[McLaren].tyreBrand;
    for (int t = 0; t < kTeamCount; ++t) model.teams[t].tyreBrand = tyreBrandFromCode(stored[t]);
    model.teams[McLaren].tyreBrand = team1;
    model.versionByte = versionByte;
    if (wordAt) {
        const std::optional<int> brand = tyreBrandFromWord(word);
        model.mclarenBrandWord = word;
        model.teams[McLaren].tyreBrand = brand.value_or(0);
        result.brandWord = brand ? BrandWordStatus::Done : BrandWordStatus::Unrecognised;
    }
    // Without a readable word the brand shown for team 1 is a stand-in: an export must not write
    // it over what the game holds unless the user chose a brand.
    if (result.brandWord == BrandWordStatus::Done)
        model.team1UnreadBrand.reset();
    else
        model.team1UnreadBrand = UnreadBrandWord{stored[McLaren], model.teams[McLaren].tyreBrand};
    return result;
}

}  // namespace

TyreBrandsResult ReadTyreBrands(const QString& savePath, const QString& exePath,
                                EditorModel& model) {
    ImportFiles files(exePath, savePath);
    return ReadTyreBrands(files, model);
}

TyreBrandsResult ReadTyreBrands(ImportFiles& files, EditorModel& model) {
    GameFile* save = files.saveState();
    if (!save) return {false, BrandWordStatus::NotRead};
    const std::array<uint32_t, kTeamCount> stored = readBrandCodes(*save);
    return readBrandWord(stored, files.exe(), model);
}

TyreBrandsResult ReadTyreBrands(GameFile& save, GameFile& exe, EditorModel& model) {
    return readBrandWord(readBrandCodes(save), exe, model);
}

TyreBrandsResult WriteTyreBrands(const QString& savePath, const QString& exePath,
                                 const EditorModel& model, BrandsChecksum checksum) {
    checkBrandIndexes(savePath, model);
    const bool keepTeam1 = model.team1UnreadBrand &&
                           model.teams[McLaren].tyreBrand == model.team1UnreadBrand->shownBrand;
    TyreBrandsResult result;
    if (saveStateExists(savePath)) {
        GameFile save(savePath);
        requireSaveState(save, kBrandCodes + kTeamCount * 4, "the tyre-brand codes");
        ByteWriter codes;
        for (int t = 0; t < kTeamCount; ++t)
            codes.u32(t == McLaren && keepTeam1 ? model.team1UnreadBrand->storedCode
                                                : TyreBrandCodes[model.teams[t].tyreBrand]);
        save.write(kBrandCodes, codes.data(), "the tyre-brand codes");
        const bool tablesWriterSums =
            checksum == BrandsChecksum::ByTablesWriter && save.size() >= kTablesEnd + kChecksumSize;
        if (!tablesWriterSums) SaveStateChecksum(save);
        save.close();
    } else {
        result.saveStateFound = false;
    }

    const std::optional<qint64> wordAt = exe::brandWordOffset(model.versionByte);
    if (!wordAt) {
        result.brandWord = BrandWordStatus::UnknownVersion;
        return result;
    }
    if (keepTeam1) return result;  // the word stays as the game holds it
    GameFile exe(exePath);
    exe.write(*wordAt,
              le::padded(TyreBrandWords[model.teams[McLaren].tyreBrand], exe::kBrandWordSize),
              "the tyre-brand word");
    exe.close();
    return result;
}

namespace {

// Driver numbers and names, team and engine names of the save-state file, into next.
void readSaveTables(GameFile& save, EditorModel& next) {
    requireSaveState(save, kTablesEnd, "the driver and team tables");
    ByteReader numbers(save.read(kDriverNumbers, kDriverCount, "the driver numbers"),
                       save.displayName());
    for (DriverRecord& d : next.drivers) d.number = numbers.u8("a driver number");
    ByteReader names(save.read(kDriverNames, kTablesEnd - kDriverNames, "the names"),
                     save.displayName());
    for (DriverRecord& d : next.drivers) d.name = names.bytes(kDriverNameSize, "a driver name");
    for (TeamRecord& t : next.teams) t.teamName = names.bytes(kTeamNameSize, "a team name");
    for (TeamRecord& t : next.teams) t.engineName = names.bytes(kTeamNameSize, "an engine name");
}

// The tables, then the executable's performance block; the model changes only when both were
// read. The save-state file is read before the executable is opened, as the errors tell.
template <typename OpenExe>
void readSaveStateTables(GameFile& save, OpenExe&& exe, EditorModel& model) {
    EditorModel next = model;
    readSaveTables(save, next);
    readPerformance(exe(), next.versionByte, next);
    model = next;
}

}  // namespace

SaveStateStatus ReadSaveStateTables(const QString& savePath, const QString& exePath,
                                    EditorModel& model) {
    ImportFiles files(exePath, savePath);
    return ReadSaveStateTables(files, model);
}

SaveStateStatus ReadSaveStateTables(ImportFiles& files, EditorModel& model) {
    GameFile* save = files.saveState();
    if (!save) return SaveStateStatus::Missing;
    readSaveStateTables(
        *save, [&]() -> GameFile& { return files.exe(); }, model);
    return SaveStateStatus::Done;
}

void ReadSaveStateTables(GameFile& save, GameFile& exe, EditorModel& model) {
    readSaveStateTables(
        save, [&]() -> GameFile& { return exe; }, model);
}

void WriteSaveStateTables(const QString& savePath, const QString& exePath,
                          const EditorModel& model) {
    GameFile save(savePath);
    requireSaveState(save, kTablesEnd, "the driver and team tables");
    ByteWriter numbers;
    for (const DriverRecord& d : model.drivers) numbers.u8(d.number);
    save.write(kDriverNumbers, numbers.data(), "the driver numbers");
    ByteWriter names;
    for (const DriverRecord& d : model.drivers) names.padded(d.name, kDriverNameSize);
    for (const TeamRecord& t : model.teams) names.padded(t.teamName, kTeamNameSize);
    for (const TeamRecord& t : model.teams) names.padded(t.engineName, kTeamNameSize);
    save.write(kDriverNames, names.data(), "the names");
    SaveStateChecksum(save);
    save.close();

    WritePerformanceBlock(exePath, model);
}

void ReadPerformanceBlock(const QString& exePath, EditorModel& model) {
    GameFile exe(exePath);
    ReadPerformanceBlock(exe, model);
}

void ReadPerformanceBlock(GameFile& exe, EditorModel& model) {
    EditorModel next = model;
    readPerformance(exe, next.versionByte, next);
    model = next;
}

void WritePerformanceBlock(const QString& exePath, const EditorModel& model) {
    GameFile exe(exePath);
    writePerformance(exe, model);
    exe.close();
}

uint32_t saveStateChecksumOf(const QByteArray& covered) {
    uint16_t sum = 0, rot = 0;
    for (char c : covered) {
        const uint8_t b = uint8_t(c);
        sum = uint16_t(sum + b);
        rot = uint16_t(uint16_t((rot << 3) | (rot >> 13)) + b);
    }
    sum = uint16_t(sum + 0x8065);
    rot = uint16_t(rot + 0x8465);
    return (uint32_t(rot) << 16) | sum;
}

void SaveStateChecksum(const QString& path) {
    GameFile file(path);
    SaveStateChecksum(file);
}

void SaveStateChecksum(GameFile& file) {
    if (file.size() < kChecksumSize)
        throw GameFileError(file.displayName(), file.size(),
                            QStringLiteral("file too short for a checksum (needs 4 bytes, has %1)")
                                .arg(file.size()));
    const qint64 covered = file.size() - kChecksumSize;
    file.writeU32(covered, saveStateChecksumOf(file.read(0, covered, "the checksummed bytes")),
                  "the checksum");
}

}  // namespace pw::model
