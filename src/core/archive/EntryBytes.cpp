#include "core/archive/EntryBytes.h"

#include <QFile>
#include <map>

#include "core/archive/WadArchive.h"
#include "core/archive/WadDirectory.h"
#include "core/bytes/GameFileError.h"

namespace pw::wad {

namespace {

struct Kept {
    QString path;
    std::shared_ptr<const WadDirectory> directory;
    EntryBytes answer;
};

// The preview asks for a dashboard, a cockpit and a car per team at most; a few more archives'
// worth bounds the open mappings.
constexpr size_t kMaxKept = 32;
std::map<QString, Kept>& kept() {
    static std::map<QString, Kept> answers;
    return answers;
}

EntryBytes mapped(const QString& path, uint32_t offset) {
    EntryBytes found;
    found.status = EntryBytes::Status::Found;
    auto file = std::make_shared<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        throw model::GameFileError(path, offset, QStringLiteral("a readable cars archive"));
    const qint64 length = file->size() - qint64(offset);
    if (length <= 0) return found;
    if (uchar* data = file->map(qint64(offset), length)) {
        found.bytes =
            QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(length));
        found.keepAlive = file;
        return found;
    }
    file->seek(qint64(offset));
    found.bytes = file->readAll();
    return found;
}

}  // namespace

EntryBytes FindEntryBytes(const QString& path, const QString& name) {
    auto& answers = kept();
    const auto it = answers.find(name);
    if (it != answers.end() && it->second.path == path) {
        const std::shared_ptr<const WadDirectory> directory = keptDirectory(path);
        if (directory && directory == it->second.directory) return it->second.answer;
    }

    std::optional<WadArchive> archive = WadArchive::OpenArchive(path);
    if (!archive) return {};
    const std::shared_ptr<const WadDirectory> directory = archive->directory();
    const std::optional<WadEntry> entry = directory->findByName(name);
    archive->close();
    EntryBytes answer;
    if (entry)
        answer = mapped(path, entry->offset);
    else
        answer.status = EntryBytes::Status::NotFound;
    answer.stamp = directory;
    if (answers.size() >= kMaxKept) answers.clear();
    answers[name] = Kept{path, directory, answer};
    return answer;
}

void clearEntryBytes() {
    kept().clear();
}

}  // namespace pw::wad
