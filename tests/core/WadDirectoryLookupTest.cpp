// A directory answers its first name lookup by walking its records and the later ones through
// its index: both must answer as a plain scan of the stored bytes, whatever the names hold.
#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <random>

#include "core/archive/WadDirectory.h"
#include "core/archive/WadWriter.h"
#include "core/bytes/ByteIO.h"

using namespace pw::wad;

namespace {

// The lookup as the directory describes it, record by record over the archive's bytes.
std::optional<WadEntry> scanForName(const QByteArray& file, const QString& name) {
    const uint32_t count = pw::model::le::u32(file.constData());
    for (uint32_t i = 0; i < count; ++i) {
        const char* record = file.constData() + 4 + 136 * qsizetype(i);
        QByteArray stored(record, 128);
        stored.erase(std::remove(stored.begin(), stored.end(), '\0'), stored.end());
        const QByteArray tail = stored.mid(stored.lastIndexOf('\\') + 1);
        if (QString::fromLatin1(tail).toLower() == name.toLower())
            return WadEntry{pw::model::le::u32(record + 128), pw::model::le::u32(record + 132)};
    }
    return std::nullopt;
}

std::string shown(const std::optional<WadEntry>& e) {
    return e ? std::to_string(e->offset) + "+" + std::to_string(e->length) : "none";
}

WadDirectory directoryOf(const QByteArray& bytes) {
    pw::model::GameFile file(bytes, QStringLiteral("cars.wad"));
    return WadDirectory::read(file);
}

// Names of every length up to a record's 128 bytes (so every way a name falls across eight-byte
// words), folders or none, capitals of ASCII and of Latin-1 (and the multiplication sign, which
// has no small letter), NULs inside names, the same name in several letter cases.
std::vector<WadFileEntry> trickyEntries() {
    std::vector<WadFileEntry> entries;
    std::mt19937 random(7);
    const QByteArray letters = "abcXYZ_.09\\\xC9\xE9\xD7\xF7\xDE\xFE\xC0@[`{";
    for (int i = 0; i < 600; ++i) {
        const int length = i < 129 ? i : int(random() % 129);
        QByteArray name;
        for (int k = 0; k < length; ++k) name += letters[int(random() % letters.size())];
        if (i % 7 == 3 && length > 2) name[int(random() % (length - 1)) + 1] = '\0';
        entries.push_back({name, QByteArray::number(i)});
    }
    // The same file names as some of the above, in other letter cases and folders: the first
    // entry of a name must still win.
    for (int i = 0; i < 200; i += 3) {
        QByteArray name = entries[size_t(i)].name.toUpper();
        name.replace('\0', "");
        entries.push_back({"other\\" + name.mid(name.lastIndexOf('\\') + 1), "again"});
    }
    entries.push_back({"cars\\car_" + QByteArray(100, 'q') + ".gp4", "long"});
    entries.push_back({QByteArray(128, 'N'), "no NUL at all"});
    entries.push_back({"folder\\", "empty file name"});
    return entries;
}

// Every file name of the entries (as stored and in other cases), and names that are not there.
QStringList requestsFor(const std::vector<WadFileEntry>& entries) {
    QStringList requests = {QString(),
                            QStringLiteral("missing.gp4"),
                            QStringLiteral("a\\b"),
                            QString(QChar(0x212A)),  // Kelvin sign: lower-cases to "k"
                            QStringLiteral("\u0130"),
                            QString::fromLatin1("\xC9\xE9")};
    for (const WadFileEntry& e : entries) {
        QByteArray stored = e.name;
        stored.replace('\0', "");
        const QString name = QString::fromLatin1(stored.mid(stored.lastIndexOf('\\') + 1));
        requests << name << name.toUpper() << name.toLower() << name + QLatin1Char('x')
                 << name.left(name.size() - 1);
    }
    return requests;
}

}  // namespace

TEST(WadDirectoryLookup, FirstAndLaterLookupsAnswerAsAScanOfTheBytes) {
    const std::vector<WadFileEntry> entries = trickyEntries();
    const QByteArray bytes = BuildWad(entries).bytes;
    const QStringList requests = requestsFor(entries);
    const WadDirectory kept = directoryOf(bytes);
    int found = 0;
    for (const QString& request : requests) {
        SCOPED_TRACE(request.toStdString());
        const std::optional<WadEntry> expected = scanForName(bytes, request);
        found += expected.has_value();
        // The first lookup of a directory of its own, then the index of another one.
        const WadDirectory fresh = directoryOf(bytes);
        EXPECT_EQ(shown(fresh.findByName(request)), shown(expected));
        EXPECT_EQ(shown(fresh.findByName(request)), shown(expected));
        EXPECT_EQ(shown(kept.findByName(request)), shown(expected));
    }
    // The requests must reach both answers often enough to mean something.
    EXPECT_GT(found, 1000);
    EXPECT_LT(found, requests.size() - 600);
}

TEST(WadDirectoryLookup, TheCollisionMeshIsFoundAfterAWalkLeftNamesHalfDone) {
    const std::vector<WadFileEntry> entries = {
        {QByteArray("a\\first\0.gp4", 12), "1"},
        {"b\\wanted.gp4", "2"},
        {QByteArray("c\\mesh.c\0t", 10), "3"},  // ".ct" once its NUL is taken out
        {"d\\later.ct", "4"},
    };
    const QByteArray bytes = BuildWad(entries).bytes;
    const WadDirectory d = directoryOf(bytes);
    // The walk stops at the second record, before the third is looked at.
    EXPECT_EQ(shown(d.findByName(QStringLiteral("WANTED.GP4"))),
              shown(scanForName(bytes, QStringLiteral("wanted.gp4"))));
    const std::optional<WadEntry> mesh = d.firstCollisionMesh();
    ASSERT_TRUE(mesh.has_value());
    EXPECT_EQ(bytes.mid(mesh->offset, mesh->length), "3");
    EXPECT_EQ(shown(d.findByName(QStringLiteral("first.gp4"))),
              shown(scanForName(bytes, QStringLiteral("first.gp4"))));
    EXPECT_EQ(shown(d.findByName(QStringLiteral("mesh.ct"))),
              shown(scanForName(bytes, QStringLiteral("mesh.ct"))));
    EXPECT_TRUE(d.findByName(QStringLiteral("mesh.ct")).has_value());
}
