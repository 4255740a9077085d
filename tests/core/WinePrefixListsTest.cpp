// The two files that name Wine prefixes outside the usual folders: Lutris game files and
// Steam's list of libraries.
#include <gtest/gtest.h>

#include "WinePrefixFixtures.h"
#ifndef _WIN32
#include "core/location/LutrisGameFile.h"
#endif
#include "core/location/SteamLibraryFolders.h"

using namespace pw::model;

// Lutris is read on Linux only; the Windows build has no YAML reader.
#ifndef _WIN32
TEST(LutrisGameFile, ThePrefixIsTakenFromTheGameBlockOnly) {
    const struct {
        const char* what;
        const char* yaml;
        QString prefix;
    } cases[] = {
        {"as Lutris writes it",
         "game:\n  exe: /home/u/Games/gp4/drive_c/GP4/GP4.exe\n  prefix: /home/u/Games/gp4\n"
         "game_slug: grand-prix-4\nname: Grand Prix 4\nrunner: wine\n"
         "wine:\n  version: lutris-7.2\n",
         QStringLiteral("/home/u/Games/gp4")},
        {"quoted, with a comment and CRLF",
         "name: x\r\ngame:\r\n    # where it lives\r\n    prefix: '/home/u/It''s GP4'\r\n",
         QStringLiteral("/home/u/It's GP4")},
        {"double-quoted", "game:\n  prefix: \"/home/u/\\\"GP4\\\"\"\n",
         QStringLiteral("/home/u/\"GP4\"")},
        {"a plain value with a comment", "game:\n  prefix: ~/Games/gp4 # moved\n",
         QStringLiteral("~/Games/gp4")},
        {"non-ASCII", "game:\n  prefix: /home/u/Jeux/\xC3\x89t\xC3\xA9\n",
         QString::fromUtf8("/home/u/Jeux/\xC3\x89t\xC3\xA9")},
        {"only under another block", "wine:\n  prefix: /elsewhere\ngame:\n  exe: x.exe\n",
         QString()},
        {"nested deeper in the game block", "game:\n  exe: x.exe\n  args:\n    prefix: /deep\n",
         QString()},
        {"after the game block ended", "game:\n  exe: x.exe\nsystem:\n  prefix: /system\n",
         QString()},
        {"a longer key", "game:\n  prefix_arch: win32\n", QString()},
        {"nothing", "", QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(lutrisGamePrefix(QByteArray(c.yaml)), c.prefix);
    }
}

TEST(LutrisGameFile, PrefixesAsLutrisSavesThem) {
    // Written by the YAML library Lutris saves with, with its default dump: letters beyond ASCII
    // as escapes in double quotes, long values folded at a blank or between two escapes.
    const struct {
        const char* what;
        const char* yaml;
        QString prefix;
    } cases[] = {
        {"a home with accented letters",
         "game:\n  exe: \"/home/j\\xE9r\\xF4me/Games/grand-prix-4/drive_c/Program Files (x86)/Grand"
         " Prix\\\n    \\ 4/GP4.exe\"\n  prefix: \"/home/j\\xE9r\\xF4me/Games/grand-prix-4\"\n"
         "game_slug: grand-prix-4\nname: Grand Prix 4\nrunner: wine\nsystem: {}\nwine:\n"
         "  version: lutris-GE-Proton8-26-x86_64\n",
         QString::fromUtf8("/home/j\xC3\xA9r\xC3\xB4me/Games/grand-prix-4")},
        {"folded at a blank",
         "game:\n  prefix: \"/home/zo\\xEB/Games/Grand Prix 4 \\u2014 \\xC9dition compl\\xE8te avec"
         " tous\\\n    \\ les mods de la communaut\\xE9 fran\\xE7aise/prefix\"\n",
         QString::fromUtf8("/home/zo\xC3\xAB/Games/Grand Prix 4 \xE2\x80\x94 \xC3\x89"
                           "dition compl\xC3\xA8te avec tous les mods de la communaut\xC3\xA9 "
                           "fran\xC3\xA7"
                           "aise/prefix")},
        {"folded between two escapes",
         "game:\n  prefix: \"/home/u/\\xE9\\xE9\\xE9\\xE9\\xE9\\xE9\\xE9\\xE9\\xE9\\xE9\\xE9"
         "\\xE9\\xE9\\xE9\\xE9\\xE9\\\n    \\xE9\\xE9\\xE9\\xE9\\xE9\\xE9\\xE9\\xE9\\xE9/x\"\n",
         QStringLiteral("/home/u/") + QString(25, QChar(0xE9)) + QStringLiteral("/x")},
        {"beyond Latin-1",
         "game:\n  prefix: \"/home/u/Games/\\u30B2\\u30FC\\u30E0/grand-prix-4\"\n",
         QStringLiteral("/home/u/Games/") + QChar(0x30B2) + QChar(0x30FC) + QChar(0x30E0) +
             QStringLiteral("/grand-prix-4")},
        {"a plain value folded",
         "game:\n  prefix: /home/user/Games/Grand Prix 4 with every mod of the season and the new"
         " tracks\n    too/prefix\n",
         QStringLiteral("/home/user/Games/Grand Prix 4 with every mod of the season and the new "
                        "tracks too/prefix")},
        {"single-quoted for a colon", "game:\n  prefix: '/home/user/Games/gp4: 2002 #1'\n",
         QStringLiteral("/home/user/Games/gp4: 2002 #1")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(lutrisGamePrefix(QByteArray(c.yaml)), c.prefix);
    }
    // The test's own writer of such files writes what the library writes.
    EXPECT_EQ(pw::test::lutrisGameFile(
                  QString::fromUtf8("/home/j\xC3\xA9r\xC3\xB4me/Games/grand-prix-4/drive_c/"
                                    "Program Files (x86)/Grand Prix 4/GP4.exe"),
                  QString::fromUtf8("/home/j\xC3\xA9r\xC3\xB4me/Games/grand-prix-4")),
              QByteArray(cases[0].yaml));
}

TEST(LutrisGameFile, WhatIsNotAPrefixNamesNone) {
    const struct {
        const char* what;
        QByteArray yaml;
    } cases[] = {
        {"null", "game:\n  prefix: ~\n"},
        {"empty", "game:\n  prefix:\n"},
        {"a list", "game:\n  prefix:\n  - /a\n  - /b\n"},
        {"a mapping", "game:\n  prefix:\n    path: /a\n"},
        {"the game a list", "game:\n- prefix: /a\n"},
        {"a flow mapping left open", "game: {prefix: /a\n"},
        {"a key twice over a value", "game:\n  prefix: /a\n    : /b\n"},
        {"a tab for indentation", "game:\n\tprefix: /a\n"},
        {"binary", QByteArray("\xff\xfe\x00game:\n  prefix: /a\n", 22)},
        {"nested for ever", QByteArray(100000, '[')},
        {"a top-level list", "- game:\n    prefix: /a\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(lutrisGamePrefix(c.yaml), QString());
    }
}
#endif

TEST(SteamLibraryFolders, EveryLibraryOfBothLayouts) {
    const struct {
        const char* what;
        const char* vdf;
        QStringList folders;
    } cases[] = {
        {"current layout",
         "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/u/.local/share/Steam\"\n"
         "\t\t\"label\"\t\t\"\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"1234\"\n\t\t}\n\t}\n"
         "\t\"1\"\n\t{\n\t\t\"path\"\t\t\"/mnt/games/SteamLibrary\"\n\t}\n}\n",
         {QStringLiteral("/home/u/.local/share/Steam"), QStringLiteral("/mnt/games/SteamLibrary")}},
        {"older layout",
         "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1690000000\"\n"
         "\t\"ContentStatsID\"\t\t\"-123\"\n\t\"1\"\t\t\"/mnt/games/Steam Library\"\n}\n",
         {QStringLiteral("/mnt/games/Steam Library")}},
        {"escapes, a comment and a repeat",
         "// written by Steam\n\"libraryfolders\" { \"0\" { \"PATH\" \"/mnt/a \\\"b\\\"\" }"
         " \"1\" { \"path\" \"/mnt/a \\\"b\\\"\" } }",
         {QStringLiteral("/mnt/a \"b\"")}},
        {"relative and Windows folders",
         "\"libraryfolders\" { \"1\" \"games\" \"2\" \"D:\\\\Steam\" }",
         {}},
        {"cut short", "\"libraryfolders\" { \"0\" { \"path\" \"/mnt/x", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(steamLibraryFolders(QByteArray(c.vdf)), c.folders);
    }
}
