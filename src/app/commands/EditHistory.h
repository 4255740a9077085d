#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <array>

#include "app/commands/EditState.h"

namespace pw::app {

class Editor;

// Undo and redo of every edit since Import All, and the questions that keep unexported edits
// from being lost by accident.
//
// The history keeps the state of the window as the last step left it. After each user action
// that may change values (typing, a drag, a command) it compares the window with that state and
// pushes the difference as one step, so a step stores only what it changed and no command has to
// announce its changes. Typing in one box merges into one step until the focus leaves the box.
// Undo and redo put the values back through the window's own change reactions. The clean state
// of the stack is the state Export All last wrote (or Import All read).
class EditHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int kLimit = 200;

    explicit EditHistory(Editor& editor);
    ~EditHistory() override;

    // Connects the window's boxes, drags, commands and the Edit menu. Runs after every command
    // is connected, so that each step is recorded after its command has run.
    void connectAll();

    QUndoStack& stack() { return stack_; }

    // One step named `what` holding everything changed since the last step; none when nothing
    // changed. Its undo and redo let the reactions of what they put back select, as the edit
    // did: a team's box or colour selects that team.
    void record(const QString& what) { push(what, false); }
    // The same for a command that may change several teams (defaults, files, copies and swaps):
    // its undo and redo leave the selection on the team the user has selected.
    void recordCommand(const QString& what) { push(what, true); }
    // The user typed into text box `textIndex` (of EditState).
    void typed(int textIndex);
    // Takes any change no step holds yet (a drag that ended without its button coming up) as a
    // step of its own, so that undo, the questions and Export All all see it.
    void settle() { record(QStringLiteral("Change")); }

    // Import All: the history is forgotten as it begins, and what it read is the new baseline.
    void forget();
    void startFromHere();
    // Export All wrote the window's values: they are no longer unexported edits.
    void exported();

    bool hasUnexportedEdits() const { return !stack_.isClean(); }
    // Before Import All or a new game path: true when there is nothing to lose or the user agrees
    // to lose it.
    bool mayDiscardEdits();
    // Before the window closes: asks "Export All" / "Discard" / "Cancel" when there are
    // unexported edits; true when the window may close.
    bool mayClose();

    const EditState& state() const { return state_; }

private:
    friend class EditStepCommand;
    void push(const QString& what, bool keepsSelection);
    void play(const EditStep& step, bool undo, bool keepsSelection);
    QString teamLabel(int team) const;
    void rememberTeamNames();
    QString boxLabel(const QString& componentName) const;
    // The words for a drag on text box `textIndex`, which may have changed a second box.
    QString dragLabel(int textIndex) const;
    void updateActions();

    Editor& editor_;
    EditState state_;
    EditSnapshot baseline_;
    // The team names the window showed with the baseline: a step names a team as the user saw
    // it before the step, so typing a team name does not rename its own step.
    std::array<QString, model::kTeamCount> teamNames_;
    QUndoStack stack_;
    int openTyping_ = -1;    // the box whose typing still merges into the last step
    int pendingTyped_ = -1;  // the box the user just changed, until its reactions have run
    bool playing_ = false;
    Qt::MouseButton previewButton_ = Qt::NoButton;
};

}  // namespace pw::app
