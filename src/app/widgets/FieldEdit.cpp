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

bool FieldEdit::event(QEvent* event) {
    // The box keeps undo and redo keys only while it has typing of its own to take back; past
    // that they reach the window's Edit menu.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool undoKey = key->matches(QKeySequence::Undo);
        const bool redoKey = key->matches(QKeySequence::Redo) ||
                             key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
        if ((undoKey && !isUndoAvailable()) || (redoKey && !isRedoAvailable())) {
            event->ignore();
            return true;
        }
    }
    return QLineEdit::event(event);
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
