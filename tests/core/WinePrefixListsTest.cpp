// The two files that name Wine prefixes outside the usual folders: Lutris game files and
// Steam's list of libraries.
#include <gtest/gtest.h>

#include "core/location/LutrisGameFile.h"
#include "core/location/SteamLibraryFolders.h"

using namespace pw::model;

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
