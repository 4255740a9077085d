#include <gtest/gtest.h>

#include "core/location/WineRegistry.h"

using namespace pw::model;

namespace {
const QByteArray kHeader = QByteArrayLiteral("WINE REGISTRY Version 2\n");

std::optional<QString> textIn(const QByteArray& body, const char* key, const char* name) {
    const std::optional<WineRegistry> r = parseWineRegistry(kHeader + body);
    if (!r) {
        ADD_FAILURE() << "not read as a registry";
        return std::nullopt;
    }
    return r->text(QString::fromUtf8(key), QString::fromUtf8(name));
}
}  // namespace

TEST(WineRegistry, NamesAndTextsAreUnescaped) {
    const struct {
        const char* line;  // in the key [A\\B]
        const char* name;
        QString expected;
    } cases[] = {
        {R"("Plain"="C:\\Games\\GP4")", "Plain", QStringLiteral("C:\\Games\\GP4")},
        {R"("Quoted"="say \"hi\"")", "Quoted", QStringLiteral("say \"hi\"")},
        {R"("C"="\a\b\e\f\n\r\t\v")", "C", QStringLiteral("\a\b\x1b\f\n\r\t\v")},
        {R"("Hex"="\x41\x4a-\xe9t\xE9\x2014.")", "Hex",
         QStringLiteral("AJ-") + QChar(0xE9) + 't' + QChar(0xE9) + QChar(0x2014) + '.'},
        {R"("Four"="\x00410")", "Four", QStringLiteral("A0")},  // at most four digits
        {R"("NoDigits"="\xyz")", "NoDigits", QStringLiteral("xyz")},
        {R"("Octal"="\101\0619\7")", "Octal", QStringLiteral("A19\a")},
        {R"("Pair"="\xd83c\xdfc1")", "Pair", QString::fromUtf8("\xF0\x9F\x8F\x81")},
        {R"("Other"="\q\[")", "Other", QStringLiteral("q[")},
        {"\"Raw\"=\"Cr\xC3\xA8me\"", "Raw", QString::fromUtf8("Cr\xC3\xA8me")},  // UTF-8 as is
        {R"("Na\"me\\"="v")", "Na\"me\\", QStringLiteral("v")},
        {R"(@="default")", "", QStringLiteral("default")},
        {R"("Empty"="")", "Empty", QString()},
        {"\"Crlf\"=\"text\"\r", "Crlf", QStringLiteral("text")},
        {"\"Trailing\"=\"text\"  ", "Trailing", QStringLiteral("text")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::optional<QString> text =
            textIn(QByteArrayLiteral("[A\\\\B] 1\n") + c.line + '\n', "A\\B", c.name);
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, c.expected);
    }
}

TEST(WineRegistry, KeysAndValueNamesMatchInAnyLetterCase) {
    const QByteArray body =
        "[Software\\\\Vendor\\\\Caf\\xe9 Game] 1\n\"Directory\"=\"one\"\n"
        "[Software\\\\Other] 1\n\"directory\"=\"two\"\n";
    EXPECT_EQ(textIn(body, "SOFTWARE\\vendor\\CAF\xC3\x89 game", "DIRECTORY"),
              QStringLiteral("one"));
    EXPECT_EQ(textIn(body, "\\Software\\Other", "Directory"), QStringLiteral("two"));
    EXPECT_EQ(textIn(body, "Software\\Vendor", "Directory"), std::nullopt);
    EXPECT_EQ(textIn(body, "Software\\Other", "Directory2"), std::nullopt);
}

TEST(WineRegistry, OtherTypesAndLinesThatDoNotParseAreSkipped) {
    const struct {
        const char* what;
        const char* body;
    } cases[] = {
        {"a number", "[K] 1\n\"V\"=dword:00000001\n"},
        {"an expandable text", "[K] 1\n\"V\"=str(2):\"C:\\\\GP4\"\n"},
        {"binary data", "[K] 1\n\"V\"=hex:43,00,3a,00\n"},
        {"a text without its closing quote", "[K] 1\n\"V\"=\"C:\\\\GP4\n"},
        {"a text with something after it", "[K] 1\n\"V\"=\"C:\\\\GP4\" \"D:\\\\\"\n"},
        {"an escape at the end of the line", "[K] 1\n\"V\"=\"C:\\\\GP4\\\n"},
        {"a name without its closing quote", "[K] 1\n\"V=\"C:\\\\GP4\"\n"},
        {"no equals sign", "[K] 1\n\"V\" \"C:\\\\GP4\"\n"},
        {"indented", "[K] 1\n  \"V\"=\"C:\\\\GP4\"\n"},
        {"before any key", "\"V\"=\"C:\\\\GP4\"\n"},
        // A key that does not parse must not lend its values to the key before it.
        {"under a key that does not parse", "[K] 1\n[Other\n\"V\"=\"C:\\\\GP4\"\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<WineRegistry> r =
            parseWineRegistry(kHeader + c.body + "[K2] 2\n\"W\"=\"after\"\n");
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->text(QStringLiteral("K"), QStringLiteral("V")), std::nullopt);
        // Reading goes on after the line.
        EXPECT_EQ(r->text(QStringLiteral("K2"), QStringLiteral("W")), QStringLiteral("after"));
    }
}

TEST(WineRegistry, OnlyAFileWithTheSignatureIsRead) {
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray("WINE REGISTRY Version 1\n[K] 1\n\"V\"=\"x\"\n"),
          QByteArray("REGEDIT4\n[K]\n\"V\"=\"x\"\n"), QByteArray("\nWINE REGISTRY Version 2\n"),
          QByteArray("WINE REGISTRY Version 2 \n"), QByteArray("\x00\x01\x02", 3)}) {
        SCOPED_TRACE(bytes.toStdString());
        EXPECT_FALSE(parseWineRegistry(bytes).has_value());
    }
    for (const QByteArray& bytes :
         {QByteArray("WINE REGISTRY Version 2"), QByteArray("WINE REGISTRY Version 2\r\n")}) {
        const std::optional<WineRegistry> r = parseWineRegistry(bytes);
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->keyCount(), 0);
    }
}

TEST(WineRegistry, AskedForSomeKeysKeepsOnlyThose) {
    const QByteArray bytes = kHeader +
                             "[Wanted\\\\Key] 1\n\"V\"=\"yes\"\n"
                             "[Unwanted] 1\n\"V\"=\"no\"\n"
                             "[wanted\\\\KEY] 2\n\"W\"=\"also\"\n";
    const std::optional<WineRegistry> r = parseWineRegistry(bytes, {QStringLiteral("WANTED\\key")});
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->keyCount(), 1);
    EXPECT_EQ(r->text(QStringLiteral("Wanted\\Key"), QStringLiteral("V")), QStringLiteral("yes"));
    EXPECT_EQ(r->text(QStringLiteral("Wanted\\Key"), QStringLiteral("W")), QStringLiteral("also"));
    EXPECT_EQ(r->text(QStringLiteral("Unwanted"), QStringLiteral("V")), std::nullopt);
}
