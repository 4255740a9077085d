#include "preview/TextureFolderListing.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <map>

#include "core/bytes/FileStamp.h"
#include "core/bytes/GamePaths.h"

namespace pw::preview {

namespace {

struct Kept {
    QString folder;  // as resolved
    model::FileStamp stamp;
    std::shared_ptr<const TextureFolderListing> listing;
};

std::map<QString, Kept>& kept() {
    static std::map<QString, Kept> folders;
    return folders;
}

}  // namespace

std::shared_ptr<const TextureFolderListing> TextureFolderListing::of(const QString& startFolder) {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const QString folder =
        model::resolvePath(model::joinPath(startFolder, QStringLiteral("CamTextures")));
    const model::FileStamp stamp = model::fileStampOf(folder);
    auto& folders = kept();
    const auto it = folders.find(startFolder);
    if (it != folders.end() && it->second.folder == folder && it->second.stamp == stamp)
        return it->second.listing;

    auto listing = std::make_shared<TextureFolderListing>();
    listing->startFolder_ = startFolder;
    // The same entries in the same order as a game path's resolution sees them.
    const QFileInfoList entries =
        QFileInfo(folder).isDir() ? QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                               QDir::System | QDir::NoDotAndDotDot)
                                  : QFileInfoList();
    for (const QFileInfo& e : entries) {
        listing->exact_.insert(e.fileName(), e.isFile());
        const QString lower = e.fileName().toCaseFolded();
        if (!listing->anyCase_.contains(lower)) listing->anyCase_.insert(lower, e.fileName());
    }
    if (it != folders.end()) folders.erase(it);
    // A folder changed moments ago may change again without changing its stamp.
    if (stamp.exists() && model::stampSettled(stamp, now))
        folders[startFolder] = Kept{folder, stamp, listing};
    return listing;
}

bool TextureFolderListing::hasFile(const QString& name) const {
    const auto exact = exact_.constFind(name);
    if (exact != exact_.constEnd()) return *exact;
    const auto other = anyCase_.constFind(name.toCaseFolded());
    return other != anyCase_.constEnd() && exact_.value(*other);
}

QString TextureFolderListing::pathOf(const QString& name) const {
    return model::joinPath(startFolder_, QStringLiteral("CamTextures/") + name);
}

void clearTextureFolders() {
    kept().clear();
}

}  // namespace pw::preview
