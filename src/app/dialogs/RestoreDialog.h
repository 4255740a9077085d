#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "app/dialogs/UserPrompts.h"

class QTreeWidget;

namespace pw::app {

// "Restore Game Files...": the backups of the game folder (the game before its first export, then
// the others newest first), each with its files and whether each still holds what that export
// left. "Restore" asks for confirmation before the
// dialog is accepted.
class RestoreDialog : public QDialog {
    Q_OBJECT
public:
    explicit RestoreDialog(const std::vector<BackupListing>& backups, QWidget* parent = nullptr);

    // The backup chosen, once accepted.
    std::optional<int> chosen() const;

private:
    void confirm();

    std::vector<BackupListing> backups_;
    QTreeWidget* list_;
};

}  // namespace pw::app
