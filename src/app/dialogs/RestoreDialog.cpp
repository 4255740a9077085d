#include "app/dialogs/RestoreDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/AppInfo.h"

namespace pw::app {

RestoreDialog::RestoreDialog(const std::vector<BackupListing>& backups, QWidget* parent)
    : QDialog(parent), backups_(backups), list_(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("RestoreGameFiles"));
    setWindowTitle(QStringLiteral("Restore Game Files"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("Every Export All first saved the game files it changed. Choose the "
                       "export whose earlier files are to be put back:"),
        this));
    list_->setColumnCount(2);
    list_->setHeaderLabels({QStringLiteral("Export of"), QStringLiteral("Game files")});
    list_->setRootIsDecorated(true);
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    for (const BackupListing& b : backups_) {
        const QString count = b.files.size() == 1 ? QStringLiteral("1 file")
                                                  : QStringLiteral("%1 files").arg(b.files.size());
        auto* item = new QTreeWidgetItem(list_, {b.made, count});
        for (const QString& f : b.files) new QTreeWidgetItem(item, {QString(), f});
        item->setExpanded(true);
    }
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* restore =
        buttons->addButton(QStringLiteral("Restore"), QDialogButtonBox::AcceptRole);
    restore->setEnabled(!backups_.empty());
    connect(buttons, &QDialogButtonBox::accepted, this, &RestoreDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(640, 360);
}

std::optional<int> RestoreDialog::chosen() const {
    QTreeWidgetItem* item = list_->currentItem();
    if (!item) return std::nullopt;
    while (item->parent()) item = item->parent();
    const int index = list_->indexOfTopLevelItem(item);
    if (index < 0) return std::nullopt;
    return index;
}

void RestoreDialog::confirm() {
    const std::optional<int> index = chosen();
    if (!index) return;
    const auto answer = QMessageBox::question(
        this, QLatin1String(kApplicationTitle),
        QStringLiteral("Put the game files back as they were before the export of %1?\n"
                       "Every change made to them since is lost.")
            .arg(backups_[size_t(*index)].made));
    if (answer == QMessageBox::Yes) accept();
}

}  // namespace pw::app
