#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <optional>

#include "DemoFolder.h"
#include "IsolatedSettings.h"
#include "app/Editor.h"
#include "app/dialogs/UserPrompts.h"
#include "app/window/MainWindow.h"
#include "core/location/SettingsStore.h"

namespace pw::test {

// Records every message instead of showing a box, and answers the questions about unexported
// edits from a script (by default as a sink that cannot ask: go on).
class RecordingMessages : public app::MessageSink {
public:
    void show(const QString& text) override { shown << text; }
    void showError(const QString& text) override { errors << text; }
    void beep() override { ++beeps; }
    app::UnexportedAnswer askBeforeQuit() override {
        ++quitQuestions;
        return quitAnswer;
    }
    bool askDiscardEdits() override {
        ++discardQuestions;
        return discardAnswer;
    }
    bool askPutBackUnfinishedExport(const QString& question) override {
        putBackQuestions << question;
        return putBackAnswer;
    }

    QStringList shown;
    QStringList errors;
    int beeps = 0;
    app::UnexportedAnswer quitAnswer = app::UnexportedAnswer::Discard;
    bool discardAnswer = true;
    int quitQuestions = 0;
    int discardQuestions = 0;
    QStringList putBackQuestions;
    bool putBackAnswer = false;
};

// Answers the dialogs from a script: queued file names and save answers (an empty queue cancels)
// and one colour.
class ScriptedDialogs : public app::DialogRunner {
public:
    QString openFile(const app::OpenFileRequest& request) override {
        requests.push_back(request);
        if (files.empty()) return {};
        const QString answer = files.front();
        files.pop_front();
        return answer;
    }
    std::optional<uint32_t> chooseColour(uint32_t initial) override {
        colourRequests.push_back(initial);
        return colour;
    }
    std::optional<app::SaveFileAnswer> saveFile(const app::SaveFileRequest& request) override {
        saveRequests.push_back(request);
        if (saves.empty()) return std::nullopt;
        const app::SaveFileAnswer answer = saves.front();
        saves.pop_front();
        return answer;
    }

    std::deque<QString> files;
    std::vector<app::OpenFileRequest> requests;
    std::optional<uint32_t> colour;
    std::vector<uint32_t> colourRequests;
    std::optional<int> chooseBackup(const std::vector<app::BackupListing>& backups) override {
        backupRequests.push_back(backups);
        if (backupChoices.empty()) return std::nullopt;
        const std::optional<int> answer = backupChoices.front();
        backupChoices.pop_front();
        return answer;
    }

    std::deque<app::SaveFileAnswer> saves;
    std::vector<app::SaveFileRequest> saveRequests;
    std::deque<std::optional<int>> backupChoices;
    std::vector<std::vector<app::BackupListing>> backupRequests;
};

// Counts the team-picture calls the editor makes.
class RecordingImages : public app::TeamImagesPort {
public:
    void resetTeamImages() override { ++resets; }
    void importGPIs(int team) override { loaded.push_back(team); }
    void picturesExchanged() override { ++swaps; }
    int resets = 0;
    int swaps = 0;
    std::vector<int> loaded;
};

struct HarnessOptions {
    demo::DemoOptions demo;
    bool registerGame = true;
};

// A generated game folder, isolated settings, the main window and its editor, with recorders in
// place of the message boxes, dialogs and team pictures. Nothing is imported yet.
class EditorHarness {
public:
    explicit EditorHarness(const HarnessOptions& options = {});
    ~EditorHarness();

    app::MainWindow& window() { return *window_; }
    app::Editor& editor() { return *editor_; }
    model::EditorModel& model() { return editor_->model(); }
    model::SettingsStore& settings() { return *settings_; }
    const DemoFolder& game() const { return game_; }
    const IsolatedSettings& isolated() const { return isolated_; }
    // The home folder whose Wine prefixes the game search sees (empty at first).
    QString home() const { return isolated_.home(); }

    QString text(const QString& name) const;
    // Types a text as the user would: the field's text changes (raising its reaction).
    void setText(const QString& name, const QString& text);
    void click(const QString& name);
    // Imports and checks that nothing went wrong.
    void importAll();

    RecordingMessages messages;
    ScriptedDialogs dialogs;
    RecordingImages images;
    int terminations = 0;

private:
    IsolatedSettings isolated_;
    DemoFolder game_;
    std::unique_ptr<model::SettingsStore> settings_;
    std::unique_ptr<app::MainWindow> window_;
    app::Editor* editor_ = nullptr;
};

}  // namespace pw::test
