#include "app/PreviewBinding.h"

#include <QTimer>
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "app/Editor.h"
#include "app/commands/CommandErrors.h"
#include "app/commands/FieldReactions.h"
#include "app/dialogs/UserPrompts.h"
#include "app/widgets/Stepper.h"
#include "app/window/CameraRows.h"
#include "app/window/ComponentNames.h"
#include "app/window/MainWindow.h"
#include "app/window/PreviewPane.h"
#include "core/bytes/GameFileError.h"
#include "core/location/GameInstall.h"
#include "core/location/SettingsStore.h"
#include "core/archive/EntryBytes.h"

namespace pw::app {

namespace {

// Sets a flag for the lifetime of the guard and restores what it was.
class BusyGuard {
public:
    explicit BusyGuard(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~BusyGuard() { flag_ = before_; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    bool& flag_;
    bool before_;
};

preview::Rgba rgba(const std::array<float, 4>& c) {
    return {c[0], c[1], c[2], c[3]};
}

// Whether the tyre list built from a and from b would be the same: it reads nothing else of the
// scene (the textures live as long as the list).
bool sameTyres(const preview::SceneInputs& a, const preview::SceneInputs& b) {
    return a.rimColour == b.rimColour && a.brandIndex == b.brandIndex && a.wheels == b.wheels;
}

}  // namespace

// Collects the loaders' messages while GL work runs; the binding shows them afterwards.
class PreviewBinding::QueuedMessages : public preview::MessageSink {
public:
    explicit QueuedMessages(PreviewBinding& binding) : binding_(binding) {}
    void show(const images::ImageMessage& m) override {
        binding_.queue({false, m.caption, m.text});
    }

private:
    PreviewBinding& binding_;
};

PreviewBinding* PreviewBinding::install(Editor& editor, const QString& startFolder,
                                        EndProgram endProgram) {
    if (!preview::PreviewView::openGlAvailable()) {
        editor.messages().showError(preview::kNoContextMessage);
        return nullptr;
    }
    auto* view = new preview::PreviewView;
    view->setObjectName(QStringLiteral("GLControl"));
    view->setStartFolder(startFolder);
    auto* binding = new PreviewBinding(editor, view, std::move(endProgram));
    editor.window().previewPane()->setView(view);
    editor.setPreview(binding);
    return binding;
}

PreviewBinding::PreviewBinding(Editor& editor, preview::PreviewView* view, EndProgram endProgram)
    : QObject(view),
      editor_(editor),
      editorAlive_(&editor),
      view_(view),
      endProgram_(std::move(endProgram)),
      sink_(std::make_unique<QueuedMessages>(*this)) {
    connectView();
}

PreviewBinding::~PreviewBinding() {
    // The view (and this binding with it) usually goes before the editor when the window closes.
    if (editorAlive_) editor_.setPreview(nullptr);
}

void PreviewBinding::connectView() {
    preview::PreviewView* view = view_;
    view->setMessageSink(sink_.get());
    view->setSetupInputs([this] {
        // A new context: every list is built afresh.
        tyresBuilt_.reset();
        tyresBuilding_.reset();
        return sceneInputs();
    });
    view->setInputs([this] { return paintInputs(); });
    view->setShapeLookup([this](const QString& name) { return findShape(name); });
    // Before an Import All succeeded the fields are empty: the scene would read nothing.
    view->setSceneShown([this] { return editor_.gameImported(); });
    connect(view, &preview::PreviewView::setUpDone, this, &PreviewBinding::setUpDone);
    connect(view, &preview::PreviewView::painted, this, &PreviewBinding::painted);
    connect(view, &preview::PreviewView::failed, this, [this](const QString& message) {
        queue({true, QString(), message});
    });
    connect(view, &preview::PreviewView::texturesUnusable, this, [this](int exitCode) {
        mustEnd_ = true;
        exitCode_ = exitCode;
        scheduleFlush();
    });

    // The pane reports the mouse on the view as its own, so the drag code needs no GL.
    PreviewPane* pane = editor_.window().previewPane();
    connect(view, &preview::PreviewView::mousePressed, pane,
            [pane, view](Qt::MouseButton b, const QPoint& p) {
                emit pane->mousePressed(b, view->mapToGlobal(p));
            });
    connect(view, &preview::PreviewView::mouseMoved, pane,
            [pane, view](const QPoint& p) { emit pane->mouseMoved(view->mapToGlobal(p)); });
    connect(view, &preview::PreviewView::mouseReleased, pane,
            [pane, view](Qt::MouseButton b, const QPoint& p) {
                emit pane->mouseReleased(b, view->mapToGlobal(p));
            });
}

preview::SceneInputs PreviewBinding::sceneInputs() const {
    const model::EditorModel& model = editor_.model();
    const PreviewInputs& in = editor_.previewInputs();
    preview::SceneInputs scene;
    scene.wheelOffsetZ = in.wheelZ;
    scene.wheelOffsetY = in.wheelY;
    scene.helmetY = in.helmetY;
    scene.helmetZ = in.helmetZ;
    scene.cockpit = model.cockpit;
    scene.rimColour = rgba(in.rimColour);
    // The selected team's brand selector, read again at every build.
    const int team = std::clamp(model.SelectedTeam, 0, model::kTeamCount - 1);
    scene.brandIndex = editor_.fields().stepper(names::brandStepper(team))->position();
    scene.wheels = model.tyres.wheel;
    return scene;
}

preview::PreviewInputs PreviewBinding::paintInputs() {
    model::EditorModel& model = editor_.model();
    const PreviewInputs& in = editor_.previewInputs();
    const WindowFields& fields = editor_.fields();

    preview::PreviewInputs p;
    p.paintCounter = ++model.EditsLive;
    p.selectedCamera = model.SelectedCamera;
    // Stored as its row before anything can stop the paint.
    model.SelectedCamera = camrows::CameraRow(model.SelectedCamera);
    p.chaseFront = editor_.selection().ChaseFront;
    p.field = [&fields](int n) {
        try {
            return fields.cameraField(n);
        } catch (const FieldValueError& e) {
            throw std::runtime_error(e.message().toStdString());
        }
    };
    p.tcamY = in.tcamY;
    p.tcamZ = in.tcamZ;
    p.scene = sceneInputs();
    p.armColour = rgba(in.armColour);
    p.currentShapeName = model.currentShapeName;
    p.tyresChanged = in.tyresChanged && !(tyresBuilt_ && sameTyres(*tyresBuilt_, p.scene));
    // Until this paint ends, the list holds what it may have got as far as building.
    if (p.tyresChanged) {
        tyresBuilt_.reset();
        tyresBuilding_ = p.scene;
    } else {
        tyresBuilding_.reset();
    }
    p.dashboardChanged = in.dashboardChanged;
    p.shapeChanged = in.shapeChanged;
    // Team 0's values stand in only while the selected team's are both 0; their fields are read
    // only then, so that a field the paint does not need cannot stop it.
    try {
        if (in.tcamY == 0 && in.tcamZ == 0 &&
            camrows::CameraRow(model.SelectedCamera) != camrows::kChase) {
            p.team0TcamY = fields.integer(names::tcamY(0));
            p.team0TcamZ = fields.integer(names::tcamZ(0));
        }
        if (in.wheelY == 0.0f && in.wheelZ == 0.0f) {
            p.team0WheelOffsetY = float(fields.number(names::wheelY(0)) / 200 + model.wheelBaseY);
            p.team0WheelOffsetZ = float(fields.number(names::wheelZ(0)) / 200 + model.wheelBaseZ);
        }
    } catch (const FieldValueError& e) {
        throw std::runtime_error(e.message().toStdString());
    }
    return p;
}

void PreviewBinding::setUpDone() {
    BusyGuard busy(busy_);
    editor_.model().SelectedCamera = camrows::kCockpit;
    // Without an imported game the fields are empty; the next Import All selects team 0.
    if (!editor_.gameImported()) return;
    // Team 0's helmet, steering-wheel, T-cam and colour inputs, as a change of its helmet Y field
    // and clicks on its car 1 rim and arm swatches fill them. The paint that follows set-up
    // shows them; repaint requests on the way are dropped.
    // They run the reactions to a user's change and click, which clear the status box; no user
    // did anything, so the message of the last command (the start-up "Import Done") stays.
    const QString status = editor_.status();
    FieldReactions& reactions = editor_.reactions();
    reactions.teamPositionChanged(FieldReactions::TeamPosition::Helmet, 0, names::helmetY(0));
    reactions.colourSwatchClicked(0);
    reactions.colourSwatchClicked(0);
    editor_.setStatus(status);
    editor_.model().EditsLive = 0;
    editor_.model().SelectedCamera = camrows::kCockpit;
    scheduleFlush();
}

void PreviewBinding::painted(const preview::PaintOutcome& outcome) {
    BusyGuard busy(busy_);
    model::EditorModel& model = editor_.model();
    PreviewInputs& in = editor_.previewInputs();
    model.SelectedCamera = outcome.selectedCamera;
    if (outcome.tcamTakenFromTeam0) {
        in.tcamY = int16_t(outcome.tcamY);
        in.tcamZ = int16_t(outcome.tcamZ);
    }
    if (outcome.usedTeam0SteeringWheel) {
        // Not a user's change either: the status box keeps its message.
        const QString status = editor_.status();
        editor_.reactions().teamPositionChanged(FieldReactions::TeamPosition::Wheel, 0,
                                                names::wheelY(0));
        editor_.setStatus(status);
    }
    if (tyresBuilding_) tyresBuilt_ = std::exchange(tyresBuilding_, std::nullopt);
    in.tyresChanged = false;
    in.dashboardChanged = false;
    in.shapeChanged = false;
    scheduleFlush();
}

preview::ShapeSource PreviewBinding::findShape(const QString& entryName) {
    emit shapeLookedUp(entryName);
    // The archive's path is resolved anew for every shape.
    const model::SettingsStore& settings = editor_.settings();
    const QString path = model::CarsArchivePath(model::ResolveGameFolder(settings), settings);
    wad::EntryBytes entry;
    try {
        entry = wad::FindEntryBytes(path, entryName);
    } catch (const model::GameFileError& e) {
        // An archive that cannot be opened or read stops the paint; its error box says why.
        throw std::runtime_error(e.message().toStdString());
    }
    preview::ShapeSource source;
    switch (entry.status) {
        case wad::EntryBytes::Status::ArchiveMissing:
            return source;
        case wad::EntryBytes::Status::NotFound:
            source.status = preview::ShapeSource::Status::NotFound;
            return source;
        case wad::EntryBytes::Status::Found:
            break;
    }
    source.status = preview::ShapeSource::Status::Found;
    source.bytes = entry.bytes;
    source.sourceName = path;
    source.keepAlive = entry.keepAlive;
    source.stamp = entry.stamp;
    return source;
}

void PreviewBinding::requestRepaint() {
    if (!view_) return;
    if (!view_->ready()) {
        view_->update();
        return;
    }
    if (busy_) return;
    {
        BusyGuard busy(busy_);
        view_->paintNow();
    }
    // The paint has run; what it has to say is said before the field change returns.
    flushMessages();
}

void PreviewBinding::queue(Message message) {
    pending_.push_back(std::move(message));
    scheduleFlush();
}

void PreviewBinding::scheduleFlush() {
    if (flushScheduled_ || (pending_.empty() && !mustEnd_)) return;
    flushScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        flushScheduled_ = false;
        flushMessages();
    });
}

void PreviewBinding::flushMessages() {
    if (flushing_ || busy_) return;
    BusyGuard flushing(flushing_);
    // A box's own event loop may paint and queue more: show until nothing is left.
    while (!pending_.empty()) {
        const Message m = pending_.front();
        pending_.erase(pending_.begin());
        if (m.error)
            editor_.messages().showError(m.text);
        else if (m.caption.isEmpty())
            editor_.messages().show(m.text);
        else
            editor_.messages().showCaptioned(m.caption, m.text);
    }
    if (mustEnd_) {
        mustEnd_ = false;
        if (endProgram_) endProgram_(exitCode_);
    }
}

}  // namespace pw::app
