#pragma once

#include <QHash>
#include <QString>
#include <memory>

namespace pw::preview {

// The files of a start folder's "CamTextures" folder, listed once and kept while the folder keeps
// its stamp, so that finding a shape's textures does not list the folder again for every name.
// A file added, removed or renamed changes the folder's stamp; a file rewritten in place does not.
class TextureFolderListing {
public:
    // The folder below startFolder as it is now: the listing kept for it when the folder has not
    // changed since (and had settled when it was listed), otherwise a new listing. The same
    // object comes back exactly while the folder is unchanged.
    static std::shared_ptr<const TextureFolderListing> of(const QString& startFolder);

    // Whether a file (not a folder) of that name is in the folder, matched as a game path is
    // (exactly, else without regard to letter case).
    bool hasFile(const QString& name) const;
    // The file's path below the start folder, spelt as asked (the readers resolve it).
    QString pathOf(const QString& name) const;

private:
    QString startFolder_;
    QHash<QString, bool> exact_;       // every entry's name: whether it is a file
    QHash<QString, QString> anyCase_;  // case-folded name: the first entry of that name
};

// Forgets the listings kept.
void clearTextureFolders();

}  // namespace pw::preview
