#include "app/widgets/PageKit.h"

#include <QHBoxLayout>

#include "app/widgets/FieldEdit.h"
#include "app/widgets/GroupFrame.h"
#include "app/widgets/LabelPanel.h"

namespace pw::app::kit {

const QStringList& teamCaptions() {
    static const QStringList captions = {"Ferrari", "McLaren", "Williams", "Benetton",
                                         "Bar",     "Jordan",  "Arrows",   "Sauber",
                                         "Jaguar",  "Minardi", "Prost"};
    return captions;
}

QWidget* group(const QString& title, QWidget* parent, QGridLayout** grid) {
    auto* box = new GroupFrame(title, parent);
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(3, 1, 3, 3);
    layout->setHorizontalSpacing(2);
    layout->setVerticalSpacing(1);
    *grid = layout;
    return box;
}

QLabel* header(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedHeight(kRowHeight - 2);
    return label;
}

FieldEdit* edit(WidgetRegistrar& registry, const QString& name, int width, bool numeric,
                QWidget* parent) {
    auto* field = new FieldEdit(name, parent);
    field->setNumericFilter(numeric);
    field->setFixedSize(width, kRowHeight);
    field->setTextMargins(0, 0, 0, 0);
    if (numeric) field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    registry.add(field);
    return field;
}

LabelPanel* panel(WidgetRegistrar& registry, const QString& name, const QString& caption, int width,
                  QWidget* parent) {
    auto* label = new LabelPanel(name, caption, parent);
    label->setFixedSize(width, kRowHeight);
    registry.add(label);
    return label;
}

QPushButton* button(const QString& caption, QWidget* parent, const QString& name) {
    auto* b = new QPushButton(caption, parent);
    if (!name.isEmpty()) b->setObjectName(name);
    b->setFixedHeight(20);
    return b;
}

QWidget* buttonRow(const QList<QPushButton*>& buttons, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addStretch(1);
    for (QPushButton* b : buttons) {
        b->setParent(row);
        layout->addWidget(b);
    }
    return row;
}

}  // namespace pw::app::kit
