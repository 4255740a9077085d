#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

class QFileDialog;
class QWidget;

namespace pw::app {

// Everything the commands show or ask goes through these two small interfaces, so that tests can
// put recorders in their place and no modal box ever waits for a click.

// The answers to the question asked before quitting with edits Export All has not written.
enum class UnexportedAnswer { ExportAll, Discard, Cancel };

// The texts of the questions about unexported edits.
inline constexpr char kQuitQuestion[] =
    "Some edits have not been written to the game yet. Export them before quitting?";
inline constexpr char kDiscardQuestion[] = "Discard your unexported edits?";

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // A modal message box with one of the program's fixed texts.
    virtual void show(const QString& text) = 0;
    // A message box with a caption of its own (the preview's texture loaders name the file
    // there). Sinks that have no captions show the text alone.
    virtual void showCaptioned(const QString& caption, const QString& text) {
        (void)caption;
        show(text);
    }
    // A modal box for an error a command did not handle itself.
    virtual void showError(const QString& text) = 0;
    // The system beep (a typed character that a numeric field refuses).
    virtual void beep() = 0;
    // Quitting with unexported edits: "Export All", "Discard" or "Cancel". Sinks that cannot
    // ask let the program quit as it always did.
    virtual UnexportedAnswer askBeforeQuit() { return UnexportedAnswer::Discard; }
    // Before a command that fills the window anew (Import All, a new game path): true when the
    // user agrees to lose the unexported edits. Sinks that cannot ask go on.
    virtual bool askDiscardEdits() { return true; }
    // An Export All that never finished was found: true when the user wants the game files put
    // back from its backup. Sinks that cannot ask leave the files as they are.
    virtual bool askPutBackUnfinishedExport(const QString& /*question*/) { return false; }
};

// An open-file dialog as the commands describe it; the filter in the "Name|*.ext|..." form.
struct OpenFileRequest {
    QString title;
    QString filter;
    QString initialFolder;
    QString initialName;
    QString defaultSuffix;
};

// A save-file dialog: as above, plus the filter shown first (1 for the first "Name|*.ext" pair).
struct SaveFileRequest {
    QString title;
    QString filter;
    QString initialFolder;
    QString initialName;
    QString defaultSuffix;
    int filterIndex = 1;
};

// The chosen file's full path and the filter (counted from 1) the user left selected: the
// save commands choose the format by the filter, not by the extension typed.
struct SaveFileAnswer {
    QString path;
    int filterIndex = 1;
};

// One backup of the game files as "Restore Game Files..." lists it.
struct BackupListing {
    QString made;       // when the export it was made for ran
    QStringList files;  // one line per file: its name and whether it is as that export left it
};

class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // The chosen file's full path, or empty when the user cancelled.
    virtual QString openFile(const OpenFileRequest& request) = 0;
    // The colour dialog, preselected (and as the single custom colour) with a window colour
    // 0x00BBGGRR; the chosen colour in the same form, or none when cancelled.
    virtual std::optional<uint32_t> chooseColour(uint32_t initial) = 0;
    // The save-file dialog; none when the user cancelled. Runners that offer no save dialog
    // answer as a cancelled one.
    virtual std::optional<SaveFileAnswer> saveFile(const SaveFileRequest& /*request*/) {
        return std::nullopt;
    }
    // Lists the backups (the game before its first export, then the others newest first) and
    // returns the one the user chose and confirmed to put back, or none. Runners that offer no
    // such dialog answer as a cancelled one.
    virtual std::optional<int> chooseBackup(const std::vector<BackupListing>& /*backups*/) {
        return std::nullopt;
    }
};

// The real thing: QMessageBox with the application title as caption, QApplication::beep.
class WidgetMessageSink : public MessageSink {
public:
    explicit WidgetMessageSink(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void show(const QString& text) override;
    void showCaptioned(const QString& caption, const QString& text) override;
    void showError(const QString& text) override;
    void beep() override;
    UnexportedAnswer askBeforeQuit() override;
    bool askDiscardEdits() override;
    bool askPutBackUnfinishedExport(const QString& question) override;

private:
    QWidget* parent_;
};

// Passes every message on to another sink and counts the boxes shown, so that an action that
// spans many events (a mouse drag) can tell that a box came up while it ran.
class CountingMessageSink : public MessageSink {
public:
    explicit CountingMessageSink(MessageSink& to) : to_(to) {}
    void show(const QString& text) override {
        ++boxes_;
        to_.show(text);
    }
    void showCaptioned(const QString& caption, const QString& text) override {
        ++boxes_;
        to_.showCaptioned(caption, text);
    }
    void showError(const QString& text) override {
        ++boxes_;
        to_.showError(text);
    }
    void beep() override { to_.beep(); }
    UnexportedAnswer askBeforeQuit() override {
        ++boxes_;
        return to_.askBeforeQuit();
    }
    bool askDiscardEdits() override {
        ++boxes_;
        return to_.askDiscardEdits();
    }
    bool askPutBackUnfinishedExport(const QString& question) override {
        ++boxes_;
        return to_.askPutBackUnfinishedExport(question);
    }
    int boxesShown() const { return boxes_; }

private:
    MessageSink& to_;
    int boxes_ = 0;
};

// The real thing: QFileDialog and QColorDialog.
class WidgetDialogRunner : public DialogRunner {
public:
    explicit WidgetDialogRunner(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    QString openFile(const OpenFileRequest& request) override;
    std::optional<uint32_t> chooseColour(uint32_t initial) override;
    std::optional<SaveFileAnswer> saveFile(const SaveFileRequest& request) override;
    std::optional<int> chooseBackup(const std::vector<BackupListing>& backups) override;

private:
    QWidget* parent_;
};

// "Name|*.a;*.b|Other|*.c" as Qt's "Name (*.a *.b);;Other (*.c)", each name kept as written.
QString qtFileFilter(const QString& pipeFilter);

// Gives the dialog the filters of pipeFilter, showing each name exactly as written (without the
// patterns Qt adds); returns the filters in Qt's form, in order.
QStringList setPipeFilter(QFileDialog& dialog, const QString& pipeFilter);

// The 0-based number of the filter of pipeFilter that a dialog reports as selected (by its shown
// name or in Qt's form); -1 when none matches.
int pipeFilterIndex(const QString& pipeFilter, const QString& selectedNameFilter);

// The extension of the first pattern of the filter with that 0-based number ("*.cam" gives
// "cam"); empty for a pattern without one ("*.*", "*") or a number out of range.
QString pipeFilterSuffix(const QString& pipeFilter, int index);

}  // namespace pw::app
