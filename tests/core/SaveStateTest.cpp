#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>

#include "GameFileFixtures.h"
#include "core/bytes/GameFileError.h"
#include "core/tables/SaveState.h"
#include "core/tables/TyreBrands.h"

using namespace pw::model;
using namespace pw::test;

namespace {

// The save-state offsets and the executable offsets used here, written out on their own.
constexpr qint64 kNumbers = 96822, kCodes = 96932, kDriverNames = 97044, kTeamNames = 97572,
                 kEngineNames = 97715, kTablesEnd = 97858;
constexpr qint64 kSaveSize = 98100;
constexpr qint64 kExeSize = 2596200;
constexpr qint64 kPerfA = 2266908, kPerfB = 2288372;
constexpr qint64 kWordV0 = 2352536, kWordV70 = 2353176, kWordV102 = 2374416;

QByteArray withChecksum(QByteArray file) {
    poke(file, file.size() - 4, u32le(saveStateChecksumOf(file.left(file.size() - 4))));
    return file;
}

class Game {
public:
    Game(uint8_t versionByte, qint64 saveSize = kSaveSize)
        : save(patternBytes(saveSize)), exe(patternBytes(kExeSize)) {
        exe[312] = char(versionByte);
        poke(exe, kWordV0, record("bridgestone", 16));
        poke(exe, kWordV70, record("michelin", 16));
        poke(exe, kWordV102, record("mclaren", 16));
    }
    QString savePath() const { return dir_.filePath(QStringLiteral("f1gstate.sav")); }
    QString exePath() const { return dir_.filePath(QStringLiteral("GP4.exe")); }
    void write(bool withSave = true) {
        if (withSave) writeFile(savePath(), save);
        writeFile(exePath(), exe);
    }
    QByteArray saveOnDisk() const { return readFile(savePath()); }
    QByteArray exeOnDisk() const { return readFile(exePath()); }

    QByteArray save, exe;

private:
    QTemporaryDir dir_;
};

}  // namespace

TEST(SaveStateChecksum, MatchesTheWorkedExampleAndCoversAllButTheLastFourBytes) {
    const QByteArray covered = QByteArray::fromHex("010203040506");
    EXPECT_EQ(saveStateChecksumOf(covered), 0x2B93807Au);
    EXPECT_EQ(saveStateChecksumOf(QByteArray()), 0x84658065u);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f1gstate.sav"));
    writeFile(path, QByteArray::fromHex("010203040506FFFFFFFF"));
    SaveStateChecksum(path);
    EXPECT_EQ(readFile(path).toHex(), QByteArray("0102030405067a80932b"));
    SaveStateChecksum(path);  // the stored checksum is not part of what it covers
    EXPECT_EQ(readFile(path).toHex(), QByteArray("0102030405067a80932b"));

    writeFile(path, QByteArray::fromHex("00000000"));
    SaveStateChecksum(path);
    EXPECT_EQ(readFile(path).toHex(), QByteArray("65806584"));
}

TEST(SaveStateChecksum, RotatesAndWrapsWithinSixteenBits) {
    // FF 01: rot = rotl3(0x00FF) + 1 = 0x07F9, sum = 0x0100.
    EXPECT_EQ(saveStateChecksumOf(QByteArray::fromHex("FF01")), 0x8C5E8165u);
    // Eight FF bytes: the bits rotated out at the top come back at the bottom (rot = 0xDB24).
    EXPECT_EQ(saveStateChecksumOf(QByteArray(8, char(0xFF))), 0x5F89885Du);
}

TEST(SaveStateChecksum, AFileShorterThanFourBytesFailsNamingIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f1gstate.sav"));
    writeFile(path, QByteArray("abc"));
    try {
        SaveStateChecksum(path);
        FAIL() << "checksum of a 3-byte file";
    } catch (const GameFileError& e) {
        EXPECT_EQ(e.file(), QDir::toNativeSeparators(path));
    }
    EXPECT_EQ(readFile(path), QByteArray("abc"));
}

TEST(TyreBrands, CodesOfTeamsOtherThanTeamOneMapToBridgestoneOrMichelin) {
    const struct {
        uint32_t code;
        int brand;
    } cases[] = {{0x03350335, 0}, {0x03340334, 1}, {0, 1},
                 {0x00020000, 1}, {0x03350334, 1}, {0xFFFFFFFF, 1}};
    for (const auto& c : cases) EXPECT_EQ(tyreBrandFromCode(c.code), c.brand) << std::hex << c.code;

    Game g(0);
    const int teams[] = {0, 2, 3, 4, 5, 6};
    for (size_t i = 0; i < std::size(cases); ++i)
        poke(g.save, kCodes + 4 * teams[i], u32le(cases[i].code));
    poke(g.save, kCodes + 4 * 1, u32le(0x03350335));  // team 1's code is not what the game uses
    g.write();

    EditorModel m;
    const TyreBrandsResult r = ReadTyreBrands(g.savePath(), g.exePath(), m);
    EXPECT_TRUE(r.saveStateFound);
    EXPECT_EQ(r.brandWord, BrandWordStatus::Done);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(m.teams[teams[i]].tyreBrand, cases[i].brand) << teams[i];
    EXPECT_EQ(m.teams[1].tyreBrand, 0);  // "bridgestone" at the word offset of version byte 0
    EXPECT_EQ(g.saveOnDisk(), g.save);
    EXPECT_EQ(g.exeOnDisk(), g.exe);
}

TEST(TyreBrands, TeamOnesWordIsReadAtTheOffsetOfItsVersionByte) {
    const struct {
        uint8_t versionByte;
        qint64 at;
        const char* word;
        int brand;
    } cases[] = {{0, kWordV0, "bridgestone", 0},
                 {70, kWordV70, "michelin", 1},
                 {102, kWordV102, "mclaren", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.versionByte));
        Game g(c.versionByte);
        g.write();
        EditorModel m;
        m.versionByte = 5;  // read again from the executable
        EXPECT_EQ(ReadTyreBrands(g.savePath(), g.exePath(), m).brandWord, BrandWordStatus::Done);
        EXPECT_EQ(m.versionByte, c.versionByte);
        EXPECT_EQ(m.teams[1].tyreBrand, c.brand);
        EXPECT_EQ(m.mclarenBrandWord, record(c.word, 16));
    }
}

TEST(TyreBrands, WordsAreTrimmedOfBlanksAndControlCharacters) {
    const struct {
        QByteArray word;
        std::optional<int> brand;
    } cases[] = {
        {record("mclaren", 16), 2},
        {QByteArray(" \t michelin\r\n\0\0\0\0\0", 16), 1},
        {QByteArray("\0\0bridgestone\0\0\0", 16), 0},
        {QByteArray("bridgestone\x7f", 12), 0},
        {record("McLaren", 16), std::nullopt},
        {record("pirelli", 16), std::nullopt},
        {QByteArray("mc laren", 8), std::nullopt},
        {QByteArray("mclaren\0x", 9), std::nullopt},
        {QByteArray(16, '\0'), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tyreBrandFromWord(c.word), c.brand) << c.word.toHex().constData();
}

TEST(TyreBrands, AnUnrecognisedWordGivesTeamOneTheFirstBrandAndSaysSo) {
    Game g(0);
    poke(g.exe, kWordV0, record("pirelli", 16));
    g.write();
    EditorModel m;
    m.teams[1].tyreBrand = 2;
    EXPECT_EQ(ReadTyreBrands(g.savePath(), g.exePath(), m).brandWord,
              BrandWordStatus::Unrecognised);
    EXPECT_EQ(m.teams[1].tyreBrand, 0);
    EXPECT_EQ(m.mclarenBrandWord, record("pirelli", 16));
}

TEST(TyreBrands, AnUnknownVersionByteNeitherReadsNorWritesTheWord) {
    Game g(5);
    poke(g.save, kCodes, u32le(0x03340334));
    g.write();
    EditorModel m;
    m.teams[1].tyreBrand = 2;
    m.mclarenBrandWord = "before";
    const TyreBrandsResult read = ReadTyreBrands(g.savePath(), g.exePath(), m);
    EXPECT_TRUE(read.saveStateFound);
    EXPECT_EQ(read.brandWord, BrandWordStatus::UnknownVersion);
    EXPECT_EQ(m.versionByte, 5);
    EXPECT_EQ(m.teams[0].tyreBrand, 1);
    EXPECT_EQ(m.teams[1].tyreBrand, 2);
    EXPECT_EQ(m.mclarenBrandWord, QByteArray("before"));

    const TyreBrandsResult written = WriteTyreBrands(g.savePath(), g.exePath(), m);
    EXPECT_EQ(written.brandWord, BrandWordStatus::UnknownVersion);
    EXPECT_EQ(g.exeOnDisk(), g.exe);
    // Team 1's brand was not read: its stored code goes back unchanged.
    QByteArray expected = g.save;
    for (int t = 0; t < 11; ++t)
        if (t != 1) poke(expected, kCodes + 4 * t, u32le(TyreBrandCodes[m.teams[t].tyreBrand]));
    EXPECT_EQ(g.saveOnDisk(), withChecksum(expected));

    // A brand chosen for team 1 is written.
    m.teams[1].tyreBrand = 0;
    WriteTyreBrands(g.savePath(), g.exePath(), m);
    poke(expected, kCodes + 4, u32le(TyreBrandCodes[0]));
    EXPECT_EQ(g.saveOnDisk(), withChecksum(expected));
    EXPECT_EQ(g.exeOnDisk(), g.exe);
}

TEST(TyreBrands, AMissingSaveStateReadsNothing) {
    Game g(0);
    g.write(false);
    EditorModel m;
    m.teams[0].tyreBrand = 1;
    m.teams[1].tyreBrand = 2;
    m.versionByte = 102;
    const TyreBrandsResult r = ReadTyreBrands(g.savePath(), g.exePath(), m);
    EXPECT_FALSE(r.saveStateFound);
    EXPECT_EQ(r.brandWord, BrandWordStatus::NotRead);
    EXPECT_EQ(m.teams[0].tyreBrand, 1);
    EXPECT_EQ(m.teams[1].tyreBrand, 2);
    EXPECT_EQ(m.versionByte, 102);
    EXPECT_TRUE(m.mclarenBrandWord.isEmpty());
}

TEST(TyreBrands, McLarenForTeamOneWritesItsCodeAndWordAndOnlyThose) {
    const struct {
        uint8_t versionByte;
        qint64 at;
    } cases[] = {{0, kWordV0}, {70, kWordV70}, {102, kWordV102}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.versionByte));
        Game g(c.versionByte);
        g.write();
        EditorModel m;
        m.versionByte = c.versionByte;
        const int brands[11] = {0, 2, 1, 1, 0, 0, 1, 0, 1, 1, 0};
        for (int t = 0; t < 11; ++t) m.teams[t].tyreBrand = brands[t];

        const TyreBrandsResult r = WriteTyreBrands(g.savePath(), g.exePath(), m);
        EXPECT_TRUE(r.saveStateFound);
        EXPECT_EQ(r.brandWord, BrandWordStatus::Done);
        const uint32_t codes[3] = {0x03350335, 0x03340334, 0x00020000};
        QByteArray save = g.save;
        for (int t = 0; t < 11; ++t) poke(save, kCodes + 4 * t, u32le(codes[brands[t]]));
        EXPECT_EQ(g.saveOnDisk(), withChecksum(save));
        QByteArray exe = g.exe;
        poke(exe, c.at, QByteArray("mclaren") + QByteArray(9, '\0'));
        EXPECT_EQ(g.exeOnDisk(), exe);
    }
}

TEST(TyreBrands, WithoutSaveStateTheWordIsStillWritten) {
    Game g(0);
    g.write(false);
    EditorModel m;
    m.teams[1].tyreBrand = 1;
    const TyreBrandsResult r = WriteTyreBrands(g.savePath(), g.exePath(), m);
    EXPECT_FALSE(r.saveStateFound);
    EXPECT_FALSE(QFile::exists(g.savePath()));
    QByteArray exe = g.exe;
    poke(exe, kWordV0, record("michelin", 16));
    EXPECT_EQ(g.exeOnDisk(), exe);
}

TEST(TyreBrands, ABrandIndexOutsideTheCodesWritesNothing) {
    for (int bad : {-1, 3}) {
        Game g(0);
        g.write();
        EditorModel m;
        m.teams[6].tyreBrand = bad;
        EXPECT_THROW(WriteTyreBrands(g.savePath(), g.exePath(), m), GameFileError);
        EXPECT_EQ(g.saveOnDisk(), g.save);
        EXPECT_EQ(g.exeOnDisk(), g.exe);
    }
}

namespace {
// Distinctive values at every kind of place of the save-state tables and the performance block.
void pokeTables(Game& g, qint64 perf) {
    poke(g.save, kNumbers, u8le(1));
    poke(g.save, kNumbers + 21, u8le(99));
    poke(g.save, kDriverNames, record("Michael Schumacher", 24));
    poke(g.save, kDriverNames + 21 * 24, record("Luciano Burti", 24));
    poke(g.save, kTeamNames, record("Ferrari", 13));
    poke(g.save, kTeamNames + 10 * 13, QByteArray("Prost Peugeot"));  // 13 characters, no NUL
    poke(g.save, kEngineNames, record("Ferrari", 13));
    poke(g.save, kEngineNames + 10 * 13, record("Acer", 13));
    poke(g.exe, perf + 0, u16le(32817 + 830));        // qualify power team 0
    poke(g.exe, perf + 22 + 20, u16le(32817 + 780));  // race power team 10
    poke(g.exe, perf + 44 + 4 * 21, u16le(11));       // qualify ability driver 21
    poke(g.exe, perf + 44 + 4 * 21 + 2, u16le(12));   // race ability driver 21
    poke(g.exe, perf + 132, u16le(13));               // qualify variation driver 0
    poke(g.exe, perf + 132 + 2, u16le(14));           // race variation driver 0
    poke(g.exe, perf + 220 + 2 * 3, u16le(65535));    // failure rate team 3
    poke(g.exe, perf + 242 + 10, u8le(7));            // gear count team 10
}
}  // namespace

TEST(SaveStateTables, ReadsTheTablesAndThePerformanceBlockOfTheLayout) {
    const struct {
        uint8_t versionByte;
        qint64 perf;
    } cases[] = {{0, kPerfA}, {70, kPerfA}, {102, kPerfB}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.versionByte));
        Game g(c.versionByte);
        pokeTables(g, c.perf);
        g.write();
        EditorModel m;
        m.versionByte = c.versionByte;
        ASSERT_EQ(ReadSaveStateTables(g.savePath(), g.exePath(), m), SaveStateStatus::Done);
        EXPECT_EQ(m.drivers[0].number, 1);
        EXPECT_EQ(m.drivers[21].number, 99);
        EXPECT_EQ(m.drivers[0].name, record("Michael Schumacher", 24));
        EXPECT_EQ(m.drivers[21].name, record("Luciano Burti", 24));
        EXPECT_EQ(m.teams[0].teamName, record("Ferrari", 13));
        EXPECT_EQ(m.teams[10].teamName, QByteArray("Prost Peugeot"));
        EXPECT_EQ(m.teams[0].engineName, record("Ferrari", 13));
        EXPECT_EQ(m.teams[10].engineName, record("Acer", 13));
        EXPECT_EQ(m.teams[0].qualifyPower, 32817 + 830);
        EXPECT_EQ(m.teams[10].racePower, 32817 + 780);
        EXPECT_EQ(m.drivers[21].qualifyAbility, 11);
        EXPECT_EQ(m.drivers[21].raceAbility, 12);
        EXPECT_EQ(m.drivers[0].qualifyVariation, 13);
        EXPECT_EQ(m.drivers[0].raceVariation, 14);
        EXPECT_EQ(m.teams[3].failureRate, 65535);
        EXPECT_EQ(m.teams[10].gearCount, 7);
    }
}

TEST(SaveStateTables, AMissingSaveStateReadsNothing) {
    Game g(0);
    g.write(false);
    EditorModel m;
    m.drivers[0].name = "Kept";
    m.teams[0].qualifyPower = 5;
    EXPECT_EQ(ReadSaveStateTables(g.savePath(), g.exePath(), m), SaveStateStatus::Missing);
    EXPECT_EQ(m.drivers[0].name, QByteArray("Kept"));
    EXPECT_EQ(m.teams[0].qualifyPower, 5);
}

TEST(SaveStateTables, WriteWithoutEditsChangesOnlyTheChecksum) {
    for (uint8_t versionByte : {0, 102}) {
        SCOPED_TRACE(int(versionByte));
        Game g(versionByte);
        g.write();
        EditorModel m;
        m.versionByte = versionByte;
        ReadSaveStateTables(g.savePath(), g.exePath(), m);
        WriteSaveStateTables(g.savePath(), g.exePath(), m);
        EXPECT_EQ(g.saveOnDisk(), withChecksum(g.save));
        EXPECT_EQ(g.exeOnDisk(), g.exe);
    }
}

TEST(SaveStateTables, EditsChangeOnlyTheirRecordsAndNamesNeverSpillOver) {
    Game g(102);
    g.write();
    EditorModel m;
    m.versionByte = 102;
    ReadSaveStateTables(g.savePath(), g.exePath(), m);
    m.drivers[4].number = 200;
    m.drivers[3].name = "A driver name of thirty chars";  // cut at 24
    m.drivers[21].name = "Short";
    m.teams[2].teamName = "Thirteen char";    // no NUL after it
    m.teams[10].teamName = "Fourteen chars";  // cut at 13, the engine names untouched
    m.teams[10].engineName = "V10";
    m.teams[5].failureRate = 0x2345;
    m.teams[6].gearCount = 7;
    m.drivers[7].raceVariation = 0xBEEF;
    WriteSaveStateTables(g.savePath(), g.exePath(), m);

    QByteArray save = g.save;
    poke(save, kNumbers + 4, u8le(200));
    poke(save, kDriverNames + 3 * 24, QByteArray("A driver name of thirty "));
    poke(save, kDriverNames + 21 * 24, record("Short", 24));
    poke(save, kTeamNames + 2 * 13, QByteArray("Thirteen char"));
    poke(save, kTeamNames + 10 * 13, QByteArray("Fourteen char"));
    poke(save, kEngineNames + 10 * 13, record("V10", 13));
    EXPECT_EQ(g.saveOnDisk(), withChecksum(save));
    QByteArray exe = g.exe;
    poke(exe, kPerfB + 220 + 2 * 5, u16le(0x2345));
    poke(exe, kPerfB + 242 + 6, u8le(7));
    poke(exe, kPerfB + 132 + 4 * 7 + 2, u16le(0xBEEF));
    EXPECT_EQ(g.exeOnDisk(), exe);
}

TEST(SaveStateTables, WritingWithoutASaveStateFailsBeforeTouchingTheExecutable) {
    Game g(0);
    g.write(false);
    EditorModel m;
    m.teams[0].qualifyPower = 1;
    EXPECT_THROW(WriteSaveStateTables(g.savePath(), g.exePath(), m), GameFileError);
    EXPECT_FALSE(QFile::exists(g.savePath()));
    EXPECT_EQ(g.exeOnDisk(), g.exe);
}

TEST(SaveStateTables, AShortSaveStateFailsNamingItAndChangesNothing) {
    // The last size leaves no room after the tables for the checksum, which would overwrite them.
    for (qint64 size : {qint64(0), qint64(3), qint64(96900), kTablesEnd + 3}) {
        SCOPED_TRACE(size);
        Game g(0, size);
        g.write();
        const QString shown = QDir::toNativeSeparators(g.savePath());
        EditorModel m;
        m.drivers[0].name = "Kept";
        m.teams[0].tyreBrand = 1;
        const auto expectNamed = [&](const std::function<void()>& call) {
            try {
                call();
                ADD_FAILURE() << "no error";
            } catch (const GameFileError& e) {
                EXPECT_EQ(e.file(), shown);
            }
        };
        expectNamed([&] { ReadSaveStateTables(g.savePath(), g.exePath(), m); });
        expectNamed([&] { WriteSaveStateTables(g.savePath(), g.exePath(), m); });
        if (size < kCodes + 44 + 4) {
            expectNamed([&] { ReadTyreBrands(g.savePath(), g.exePath(), m); });
            expectNamed([&] { WriteTyreBrands(g.savePath(), g.exePath(), m); });
        }
        EXPECT_EQ(m.drivers[0].name, QByteArray("Kept"));
        EXPECT_EQ(m.teams[0].tyreBrand, 1);
        EXPECT_EQ(g.saveOnDisk(), g.save);
        EXPECT_EQ(g.exeOnDisk(), g.exe);
    }
}

TEST(SaveStateTables, AShortExecutableLeavesTheModelAsItWas) {
    Game g(0);
    g.exe.truncate(kPerfA + 100);
    g.write();
    EditorModel m;
    m.drivers[0].name = "Kept";
    try {
        ReadSaveStateTables(g.savePath(), g.exePath(), m);
        FAIL() << "read a short executable";
    } catch (const GameFileError& e) {
        EXPECT_EQ(e.file(), QDir::toNativeSeparators(g.exePath()));
    }
    EXPECT_EQ(m.drivers[0].name, QByteArray("Kept"));
    EXPECT_THROW(ReadPerformanceBlock(g.exePath(), m), GameFileError);
    EXPECT_THROW(WritePerformanceBlock(g.exePath(), m), GameFileError);
    EXPECT_EQ(g.exeOnDisk(), g.exe);
}

// Export All leaves the sum to the tables writer: the files must come out as when each writer
// sums, also when the file is too short for the tables and that writer refuses it.
TEST(SaveStateTables, BrandsSummedByTheTablesWriterGiveTheSameFiles) {
    for (const qint64 saveSize : {kSaveSize, kTablesEnd + 3}) {
        SCOPED_TRACE(saveSize);
        EditorModel m;
        for (int t = 0; t < 11; ++t) m.teams[t].tyreBrand = t % 2;
        m.teams[1].tyreBrand = 2;
        m.drivers[3].name = "Someone";
        std::array<QByteArray, 2> saves, exes;
        for (const BrandsChecksum checksum : {BrandsChecksum::Here, BrandsChecksum::ByTablesWriter}) {
            Game g(0, saveSize);
            g.write();
            WriteTyreBrands(g.savePath(), g.exePath(), m, checksum);
            const bool tablesFit = saveSize >= kTablesEnd + 4;
            if (tablesFit)
                WriteSaveStateTables(g.savePath(), g.exePath(), m);
            else
                EXPECT_THROW(WriteSaveStateTables(g.savePath(), g.exePath(), m), GameFileError);
            const int i = checksum == BrandsChecksum::Here ? 0 : 1;
            saves[i] = g.saveOnDisk();
            exes[i] = g.exeOnDisk();
            EXPECT_EQ(saves[i], withChecksum(saves[i]));
            EXPECT_NE(saves[i], g.save);
        }
        EXPECT_EQ(saves[0], saves[1]);
        EXPECT_EQ(exes[0], exes[1]);
    }
}
