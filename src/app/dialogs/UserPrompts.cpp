#include "app/dialogs/UserPrompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "app/AppInfo.h"
#include "app/dialogs/RestoreDialog.h"
#include "app/widgets/ColourSwatch.h"

namespace pw::app {

namespace {
// The fixed texts use the game platform's "\r\n" line ends.
QString forDisplay(QString text) {
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}
}  // namespace

void WidgetMessageSink::show(const QString& text) {
    QMessageBox::information(parent_, QLatin1String(kApplicationTitle), forDisplay(text));
}

void WidgetMessageSink::showCaptioned(const QString& caption, const QString& text) {
    QMessageBox::information(parent_, caption, forDisplay(text));
}

void WidgetMessageSink::showError(const QString& text) {
    QMessageBox::critical(parent_, QLatin1String(kApplicationTitle), forDisplay(text));
}

void WidgetMessageSink::beep() {
    QApplication::beep();
}

UnexportedAnswer WidgetMessageSink::askBeforeQuit() {
    QMessageBox box(QMessageBox::Question, QLatin1String(kApplicationTitle),
                    QLatin1String(kQuitQuestion), QMessageBox::NoButton, parent_);
    QPushButton* exportAll = box.addButton(QStringLiteral("&Export All"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("&Cancel"), QMessageBox::RejectRole);
    // Return, like Escape, loses nothing and writes nothing.
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == exportAll) return UnexportedAnswer::ExportAll;
    if (box.clickedButton() == discard) return UnexportedAnswer::Discard;
    return UnexportedAnswer::Cancel;
}

bool WidgetMessageSink::askDiscardEdits() {
    QMessageBox box(QMessageBox::Question, QLatin1String(kApplicationTitle),
                    QLatin1String(kDiscardQuestion), QMessageBox::NoButton, parent_);
    QPushButton* discard = box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("&Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == discard;
}

bool WidgetMessageSink::askPutBackUnfinishedExport(const QString& question) {
    QMessageBox box(QMessageBox::Warning, QLatin1String(kApplicationTitle), question,
                    QMessageBox::NoButton, parent_);
    QPushButton* putBack = box.addButton(QStringLiteral("Put Back"), QMessageBox::AcceptRole);
    QPushButton* leave = box.addButton(QStringLiteral("Leave As They Are"), QMessageBox::RejectRole);
    box.setDefaultButton(putBack);
    box.setEscapeButton(leave);
    box.exec();
    return box.clickedButton() == putBack;
}

QString qtFileFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) p = p.trimmed();
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
    }
    return filters.join(QLatin1String(";;"));
}

QStringList setPipeFilter(QFileDialog& dialog, const QString& pipeFilter) {
    // Qt reads the patterns from the brackets it shows; hiding them leaves each name as written,
    // brackets of its own included.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = qtFileFilter(pipeFilter).split(QLatin1String(";;"));
    dialog.setNameFilters(filters);
    return filters;
}

int pipeFilterIndex(const QString& pipeFilter, const QString& selectedNameFilter) {
    // With the patterns hidden, Qt names the chosen filter by its shown name; a native dialog
    // may still give the whole filter.
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    const QStringList filters = qtFileFilter(pipeFilter).split(QLatin1String(";;"));
    for (int i = 0; i < filters.size() && 2 * i < parts.size(); ++i)
        if (parts[2 * i] == selectedNameFilter || filters[i] == selectedNameFilter) return i;
    return -1;
}

QString pipeFilterSuffix(const QString& pipeFilter, int index) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    if (index < 0 || 2 * index + 1 >= parts.size()) return {};
    const QString first = parts[2 * index + 1].section(QLatin1Char(';'), 0, 0).trimmed();
    const int dot = first.lastIndexOf(QLatin1Char('.'));
    const QString suffix = dot < 0 ? QString() : first.mid(dot + 1);
    return suffix.contains(QLatin1Char('*')) ? QString() : suffix;
}

namespace {
// Default extension ("*.gpi", ".txt" and "car" all mean a suffix), initial folder and name.
void startDialog(QFileDialog& dialog, QString suffix, const QString& folder, const QString& name) {
    suffix.remove(QLatin1Char('*')).remove(QLatin1Char('.'));
    if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
    if (!folder.isEmpty()) dialog.setDirectory(QDir::fromNativeSeparators(folder));
    if (!name.isEmpty()) dialog.selectFile(QDir::fromNativeSeparators(name));
}
}  // namespace

QString WidgetDialogRunner::openFile(const OpenFileRequest& request) {
    QFileDialog dialog(parent_, request.title);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    setPipeFilter(dialog, request.filter);
    startDialog(dialog, request.defaultSuffix, request.initialFolder, request.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<SaveFileAnswer> WidgetDialogRunner::saveFile(const SaveFileRequest& request) {
    QFileDialog dialog(parent_, request.title);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList filters = setPipeFilter(dialog, request.filter);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    // A name typed without an extension gets the one of the filter chosen, so that the file
    // written in that filter's format also carries its extension (and loads as that kind).
    const auto suffixFor = [&request](int index) {
        const QString suffix = pipeFilterSuffix(request.filter, index);
        return suffix.isEmpty() ? request.defaultSuffix : suffix;
    };
    startDialog(dialog, suffixFor(request.filterIndex - 1), request.initialFolder,
                request.initialName);
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog, &request, &suffixFor](const QString& chosen) {
            QString suffix = suffixFor(pipeFilterIndex(request.filter, chosen));
            dialog.setDefaultSuffix(suffix.remove(QLatin1Char('*')).remove(QLatin1Char('.')));
        });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const int chosenFilter = pipeFilterIndex(request.filter, dialog.selectedNameFilter());
    return SaveFileAnswer{dialog.selectedFiles().constFirst(),
                          chosenFilter < 0 ? request.filterIndex : chosenFilter + 1};
}

std::optional<uint32_t> WidgetDialogRunner::chooseColour(uint32_t initial) {
    const QColor start = ColourSwatch::toQColor(initial);
    // The custom colours hold the swatch's colour alone.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, Qt::white);
    QColorDialog::setCustomColor(0, start);
    const QColor chosen = QColorDialog::getColor(start, parent_, QString());
    if (!chosen.isValid()) return std::nullopt;
    return ColourSwatch::fromQColor(chosen);
}

std::optional<int> WidgetDialogRunner::chooseBackup(const std::vector<BackupListing>& backups) {
    RestoreDialog dialog(backups, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosen();
}

}  // namespace pw::app
