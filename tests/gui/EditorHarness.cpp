#include "EditorHarness.h"

#include <gtest/gtest.h>

#include <QTest>

#include "app/widgets/FieldEdit.h"
#include "app/window/WindowFields.h"

namespace pw::test {

EditorHarness::EditorHarness(const HarnessOptions& options) : game_(options.demo) {
    if (options.registerGame) isolated_.registerGame(game_.path());
    settings_ = std::make_unique<model::SettingsStore>();
    window_ = std::make_unique<app::MainWindow>();
    editor_ = new app::Editor(*window_, *settings_, messages, dialogs);
    editor_->setTeamImages(&images);
    editor_->setTerminateHandler([this] { ++terminations; });
}

EditorHarness::~EditorHarness() {
    // The window owns the editor; both go before the settings they use.
    window_.reset();
}

QString EditorHarness::text(const QString& name) const {
    return editor_->fields().text(name);
}

void EditorHarness::setText(const QString& name, const QString& text) {
    app::FieldEdit* field = editor_->fields().edit(name);
    field->selectAll();
    field->insert(text);
}

void EditorHarness::click(const QString& name) {
    QWidget* widget = window_->fields().find(name);
    if (!widget) widget = window_->findChild<QWidget*>(name);
    if (!widget) throw std::logic_error("no widget named " + name.toStdString());
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(3, 3));
}

void EditorHarness::importAll() {
    editor_->importAll();
    ASSERT_TRUE(messages.errors.isEmpty()) << messages.errors.join('\n').toStdString();
    ASSERT_EQ(editor_->status(), QStringLiteral("Import Done"));
}

}  // namespace pw::test
