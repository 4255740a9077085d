#pragma once

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

#include "app/widgets/WidgetRegistrar.h"

namespace pw::app {

class FieldEdit;
class LabelPanel;

// Building blocks shared by the pages: compact grids of captions, panels and edit boxes, all
// registered under their component names as they are made.
namespace kit {

constexpr int kRowHeight = 16;
constexpr int kPageWidth = 340;

// The team row captions before the first Import All fills them from the game.
const QStringList& teamCaptions();

// A titled group frame with a tight grid inside.
QWidget* group(const QString& title, QWidget* parent, QGridLayout** grid);
// A column header, centred.
QLabel* header(const QString& text, QWidget* parent);
// An edit box of the given width; numeric ones filter typed keys.
FieldEdit* edit(WidgetRegistrar& registry, const QString& name, int width, bool numeric,
                QWidget* parent);
// A clickable caption panel.
LabelPanel* panel(WidgetRegistrar& registry, const QString& name, const QString& caption, int width,
                  QWidget* parent);
QPushButton* button(const QString& caption, QWidget* parent, const QString& name = {});
// A row of buttons, right-aligned under a group.
QWidget* buttonRow(const QList<QPushButton*>& buttons, QWidget* parent);

}  // namespace kit
}  // namespace pw::app
