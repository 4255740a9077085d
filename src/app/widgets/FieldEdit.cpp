#include "app/widgets/FieldEdit.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace pw::app {

FieldEdit::FieldEdit(const QString& componentName, QWidget* parent) : QLineEdit(parent) {
    setObjectName(componentName);
}

bool FieldEdit::acceptsNumericCharacter(QChar c) {
    return c == QLatin1Char('\b') || QStringLiteral("-1234567890.").contains(c);
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
    // Only typed characters are filtered: navigation and editing keys carry no text, and
    // shortcuts (copy, paste, undo) are commands rather than typed characters.
    const QString text = event->text();
    const bool shortcut =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (numericFilter_ && !shortcut && !text.isEmpty() && text.at(0).isPrint()) {
        for (QChar c : text) {
            if (!acceptsNumericCharacter(c)) {
                event->accept();
                emit keyRejected();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void FieldEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) leftDown_ = true;
    emit pressed(event->button(), event->globalPosition().toPoint());
}

void FieldEdit::mouseMoveEvent(QMouseEvent* event) {
    QLineEdit::mouseMoveEvent(event);
    emit moved(event->globalPosition().toPoint(), event->buttons());
}

void FieldEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    emit released(event->button(), event->globalPosition().toPoint());
    if (event->button() == Qt::LeftButton && leftDown_) {
        leftDown_ = false;
        if (rect().contains(event->position().toPoint())) emit clicked();
    }
}

}  // namespace pw::app
