#include "core/tables/ImportFiles.h"

#include <QFileInfo>

namespace pw::model {

ImportFiles::ImportFiles(QString exePath, QString savePath)
    : exePath_(std::move(exePath)), savePath_(std::move(savePath)) {}

GameFile& ImportFiles::exe() {
    if (!exe_) exe_.emplace(exePath_);
    return *exe_;
}

GameFile* ImportFiles::saveState() {
    if (!saveLooked_) {
        if (QFileInfo(savePath_).isFile()) save_.emplace(savePath_);
        saveLooked_ = true;
    }
    return save_ ? &*save_ : nullptr;
}

}  // namespace pw::model
