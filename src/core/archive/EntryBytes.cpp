#include "core/archive/EntryBytes.h"

#include <QFile>
#include <map>

#include "core/archive/WadArchive.h"
#include "core/archive/WadDirectory.h"
#include "core/bytes/GameFileError.h"

namespace pw::wad {

namespace {

// What is kept of an answer: where its bytes begin, not the mapping itself. A mapped file stays
// open, and Windows refuses to replace an open, mapped file: the archive is held only while a
// caller holds the bytes (the preview, while it parses a shape), so another tool can replace it
// between paints.
struct Kept {
    QString path;
    std::shared_ptr<const WadDirectory> directory;
    EntryBytes::Status status = EntryBytes::Status::NotFound;
    uint32_t offset = 0;
    QByteArray bytes;               // valid only while mapping is alive
    std::weak_ptr<void> mapping;    // empty when the bytes were read rather than mapped
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
        Kept& k = it->second;
        const std::shared_ptr<const WadDirectory> directory = keptDirectory(path);
        if (directory && directory == k.directory) {
            EntryBytes answer;
            answer.status = k.status;
            answer.stamp = directory;
            if (k.status != EntryBytes::Status::Found) return answer;
            if (std::shared_ptr<void> alive = k.mapping.lock()) {
                answer.bytes = k.bytes;
                answer.keepAlive = std::move(alive);
                return answer;
            }
            // The directory is unchanged: the entry's bytes are mapped again where they were.
            EntryBytes again = mapped(path, k.offset);
            again.stamp = directory;
            k.bytes = again.keepAlive ? again.bytes : QByteArray();
            k.mapping = again.keepAlive;
            return again;
        }
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
    answers[name] = Kept{path,
                         directory,
                         answer.status,
                         entry ? entry->offset : 0,
                         answer.keepAlive ? answer.bytes : QByteArray(),
                         answer.keepAlive};
    return answer;
}

void clearEntryBytes() {
    kept().clear();
}

}  // namespace pw::wad
