#include "app/commands/EditHistory.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QUndoCommand>

#include "app/Editor.h"
#include "app/commands/CommandErrors.h"
#include "app/commands/FileDialogPaths.h"
#include "app/commands/MouseActions.h"
#include "app/commands/StepNames.h"
#include "app/dialogs/UserPrompts.h"
#include "app/widgets/ColourSwatch.h"
#include "app/widgets/FieldEdit.h"
#include "app/widgets/LabelPanel.h"
#include "app/widgets/Stepper.h"
#include "app/window/CamerasPage.h"
#include "app/window/ComponentNames.h"
#include "app/window/DriversPage.h"
#include "app/window/ImagesPage.h"
#include "app/window/MainWindow.h"
#include "app/window/PositionsPage.h"
#include "app/window/PreviewPane.h"
#include "app/window/SlotsPage.h"
#include "app/window/TeamsPage.h"
#include "core/location/SettingsStore.h"

namespace pw::app {

// One step of the history. Pushing it does nothing (the window already shows it); undo and redo
// play it backwards and forwards.
class EditStepCommand : public QUndoCommand {
public:
    static constexpr int kTypingId = 1;

    EditStepCommand(EditHistory& history, const QString& text, EditStep step, int typingBox,
                    bool mergeable, bool keepsSelection)
        : history_(history),
          step_(std::move(step)),
          typingBox_(typingBox),
          mergeable_(mergeable),
          keepsSelection_(keepsSelection) {
        setText(text);
    }

    int id() const override { return typingBox_ >= 0 ? kTypingId : -1; }

    bool mergeWith(const QUndoCommand* other) override {
        const auto* later = static_cast<const EditStepCommand*>(other);
        if (later->typingBox_ != typingBox_ || !later->mergeable_) return false;
        step_.absorb(later->step_);
        // Typing that ends where it began leaves no step behind.
        setObsolete(step_.empty());
        return true;
    }

    void redo() override {
        if (pushed_) history_.play(step_, false, keepsSelection_);
        pushed_ = true;
    }
    void undo() override { history_.play(step_, true, keepsSelection_); }

private:
    EditHistory& history_;
    EditStep step_;
    int typingBox_;
    bool mergeable_;
    bool keepsSelection_;
    bool pushed_ = false;
};

EditHistory::EditHistory(Editor& editor)
    : QObject(&editor), editor_(editor), state_(editor), baseline_(state_.capture()) {
    stack_.setUndoLimit(kLimit);
    rememberTeamNames();
}

EditHistory::~EditHistory() {
    // The stack clears itself as it goes; the window's actions may be gone by then.
    stack_.disconnect(this);
}

QString EditHistory::teamLabel(int team) const {
    const QString& name = teamNames_[team];
    return name.isEmpty() ? QStringLiteral("Team %1").arg(team + 1) : name;
}

void EditHistory::rememberTeamNames() {
    for (int t = 0; t < model::kTeamCount; ++t)
        teamNames_[t] = editor_.fields().text(names::teamsCaption(t));
}

QString EditHistory::boxLabel(const QString& componentName) const {
    return fieldLabel(componentName, [this](int team) { return teamLabel(team); });
}

QString EditHistory::dragLabel(int textIndex) const {
    const QString name = state_.textName(textIndex);
    const int fieldId = name.startsWith(QLatin1String("LMDEdit")) ? name.mid(7).toInt() : 0;
    if (!MouseActions::isDirectionField(fieldId)) return boxLabel(name);
    // A direction box's drag also moves the pitch: the step names what it changed.
    const QString pitch = names::cameraField(fieldId + 10);
    const auto changed = [this](int index) {
        return state_.edits()[index]->text() != baseline_.texts[index];
    };
    const int pitchIndex = state_.textIndex(pitch);
    if (pitchIndex < 0 || !changed(pitchIndex)) return boxLabel(name);
    if (!changed(textIndex)) return boxLabel(pitch);
    return boxLabel(name) + QStringLiteral(" and Pitch");
}

void EditHistory::push(const QString& what, bool keepsSelection) {
    if (playing_) return;
    EditSnapshot now = state_.capture();
    EditStep step = difference(baseline_, now);
    baseline_ = std::move(now);
    rememberTeamNames();
    if (step.empty()) return;
    openTyping_ = -1;
    stack_.push(new EditStepCommand(*this, what, std::move(step), -1, false, keepsSelection));
}

void EditHistory::typed(int textIndex) {
    if (playing_) return;
    EditSnapshot now = state_.capture();
    EditStep step = difference(baseline_, now);
    baseline_ = std::move(now);
    const QString what = boxLabel(state_.textName(textIndex));
    rememberTeamNames();
    if (step.empty()) return;
    const bool mergeable = openTyping_ == textIndex;
    openTyping_ = textIndex;
    stack_.push(new EditStepCommand(*this, what, std::move(step), textIndex, mergeable, false));
}

void EditHistory::play(const EditStep& step, bool undo, bool keepsSelection) {
    playing_ = true;
    openTyping_ = -1;
    std::optional<int> showTeam;
    if (keepsSelection) showTeam = editor_.model().SelectedTeam;
    runGuarded(editor_.messages(), [&] { state_.apply(step, undo, baseline_, showTeam); });
    baseline_ = state_.capture();
    rememberTeamNames();
    playing_ = false;
}

void EditHistory::forget() {
    stack_.clear();
    openTyping_ = -1;
}

void EditHistory::startFromHere() {
    stack_.clear();
    openTyping_ = -1;
    baseline_ = state_.capture();
    rememberTeamNames();
    stack_.setClean();
}

void EditHistory::exported() {
    // Export All forgets the picture exchanges it carried out; the state follows it.
    baseline_ = state_.capture();
    rememberTeamNames();
    openTyping_ = -1;
    stack_.setClean();
}

bool EditHistory::mayDiscardEdits() {
    settle();
    return !hasUnexportedEdits() || editor_.messages().askDiscardEdits();
}

bool EditHistory::mayClose() {
    settle();
    if (!hasUnexportedEdits()) return true;
    switch (editor_.messages().askBeforeQuit()) {
        case UnexportedAnswer::ExportAll:
            editor_.exportAll();
            // A failed Export All keeps the window open with the edits in it.
            return !hasUnexportedEdits();
        case UnexportedAnswer::Discard:
            return true;
        case UnexportedAnswer::Cancel:
            break;
    }
    return false;
}

void EditHistory::updateActions() {
    MainWindow& window = editor_.window();
    const auto caption = [](const char* verb, const QString& what) {
        return what.isEmpty() ? QLatin1String(verb) : QLatin1String(verb) + QLatin1Char(' ') + what;
    };
    window.undoAction()->setText(caption("&Undo", stack_.undoText()));
    window.undoAction()->setEnabled(stack_.canUndo());
    window.redoAction()->setText(caption("&Redo", stack_.redoText()));
    window.redoAction()->setEnabled(stack_.canRedo());
}

void EditHistory::connectAll() {
    MainWindow& window = editor_.window();
    const WindowFields& fields = editor_.fields();

    // Typing: the step is taken once the box's own reactions have run (they are connected to
    // textChanged before this), so it holds the model values they changed.
    for (int i = 0; i < state_.edits().size(); ++i) {
        FieldEdit* edit = state_.edits()[i];
        connect(edit, &QLineEdit::textEdited, this, [this, i] { pendingTyped_ = i; });
        connect(edit, &QLineEdit::textChanged, this, [this, i] {
            if (pendingTyped_ != i) return;
            pendingTyped_ = -1;
            typed(i);
        });
        // A drag on the box is one step, taken when the button comes up.
        connect(edit, &FieldEdit::released, this, [this, i] { record(dragLabel(i)); });
    }
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget*) {
        if (openTyping_ >= 0 && old && old->objectName() == state_.textName(openTyping_))
            openTyping_ = -1;
    });

    PreviewPane* pane = window.previewPane();
    connect(pane, &PreviewPane::mousePressed, this,
            [this](Qt::MouseButton button, QPoint) { previewButton_ = button; });
    connect(pane, &PreviewPane::mouseReleased, this, [this] {
        const QString row = cameraRowLabel(editor_.model().SelectedCamera);
        record((previewButton_ == Qt::MiddleButton ? QStringLiteral("Turn ")
                                                   : QStringLiteral("Move ")) +
               row);
    });

    for (int t = 0; t < model::kTeamCount; ++t) {
        for (bool arm : {true, false}) {
            connect(fields.swatch(arm ? names::armSwatch(t, 0) : names::rimSwatch(t, 0)),
                    &ColourSwatch::doubleClicked, this, [this, t, arm] {
                        record(teamLabel(t) + (arm ? QStringLiteral(" Arm Colour")
                                                   : QStringLiteral(" Rim Colour")));
                    });
        }
        connect(fields.stepper(names::brandStepper(t)), &Stepper::stepped, this,
                [this, t] { record(teamLabel(t) + QStringLiteral(" Tyre Brand")); });
        connect(fields.stepper(names::gearStepper(t)), &Stepper::stepped, this,
                [this, t] { record(teamLabel(t) + QStringLiteral(" Gear")); });
    }

    const auto afterClick = [this](QPushButton* button, const QString& what) {
        connect(button, &QPushButton::clicked, this, [this, what] { recordCommand(what); });
    };
    afterClick(window.camerasPage()->defaultButton(), QStringLiteral("Default Cameras"));
    afterClick(window.positionsPage()->defaultTCam(), QStringLiteral("Default T-Cam"));
    afterClick(window.positionsPage()->defaultHelmet(), QStringLiteral("Default Helmet"));
    afterClick(window.positionsPage()->defaultWheel(), QStringLiteral("Default Wheel"));
    afterClick(window.positionsPage()->defaultCockpit(), QStringLiteral("Default Cockpit"));
    afterClick(window.positionsPage()->defaultTyrePositions(),
               QStringLiteral("Default Wheel Positions"));
    afterClick(window.teamsPage()->defaultArms(), QStringLiteral("Default Arms"));
    afterClick(window.teamsPage()->defaultRims(), QStringLiteral("Default Rims"));
    afterClick(window.teamsPage()->defaultBrands(), QStringLiteral("Default Brands"));
    afterClick(window.teamsPage()->defaultNames(), QStringLiteral("Default Team Names"));
    afterClick(window.teamsPage()->defaultDatas(), QStringLiteral("Default Team Datas"));
    afterClick(window.driversPage()->defaultNames(), QStringLiteral("Default Driver Names"));
    afterClick(window.driversPage()->defaultDatas(), QStringLiteral("Default Driver Datas"));
    afterClick(window.slotsPage()->defaultButton(), QStringLiteral("Default Teams"));
    afterClick(window.imagesPage()->applyButton(), QStringLiteral("Swap Images"));
    SlotsPage* slotsPage = window.slotsPage();
    connect(slotsPage->applyButton(), &QPushButton::clicked, this, [this, slotsPage] {
        // Name both slots: several copies or swaps in a row are told apart only by them.
        const int first = slotsPage->firstTeam()->currentIndex() + 1;
        const int second = slotsPage->secondTeam()->currentIndex() + 1;
        recordCommand(slotsPage->operation()->currentIndex() == 0
                          ? QStringLiteral("Copy Team %1 to %2").arg(first).arg(second)
                          : QStringLiteral("Swap Teams %1 and %2").arg(first).arg(second));
    });

    connect(window.defaultAllAction(), &QAction::triggered, this,
            [this] { recordCommand(QStringLiteral("Default All")); });
    connect(window.loadTeamAction(), &QAction::triggered, this, [this] {
        // The kind of file loaded is known by the name the user chose.
        const QString chosen =
            rememberedPath(editor_.settings(), model::settings::kLoadTeamPath).right(3).toLower();
        recordCommand(chosen == QLatin1String("cam")   ? QStringLiteral("Load Camera Set")
                      : chosen == QLatin1String("tyr") ? QStringLiteral("Load Tyre Set")
                                                       : QStringLiteral("Load Team File"));
    });
    connect(window.loadPerformanceAction(), &QAction::triggered, this,
            [this] { recordCommand(QStringLiteral("Load Performance File")); });

    connect(window.undoAction(), &QAction::triggered, this, [this] {
        settle();
        stack_.undo();
    });
    connect(window.redoAction(), &QAction::triggered, this, [this] { stack_.redo(); });
    connect(&stack_, &QUndoStack::indexChanged, this, [this] { updateActions(); });
    connect(&stack_, &QUndoStack::canUndoChanged, this, [this] { updateActions(); });
    connect(&stack_, &QUndoStack::canRedoChanged, this, [this] { updateActions(); });
    connect(&stack_, &QUndoStack::undoTextChanged, this, [this] { updateActions(); });
    connect(&stack_, &QUndoStack::redoTextChanged, this, [this] { updateActions(); });
    connect(&stack_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { editor_.window().setWindowModified(!clean); });
    updateActions();
    window.setCloseGuard([this] { return mayClose(); });
}

}  // namespace pw::app
