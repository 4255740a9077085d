#include "app/widgets/FieldEdit.h"

#include <QAction>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcut>

namespace pw::app {

FieldEdit::FieldEdit(const QString& componentName, QWidget* parent) : QLineEdit(parent) {
    setObjectName(componentName);
}

bool FieldEdit::acceptsNumericCharacter(QChar c) {
    return c == QLatin1Char('\b') || QStringLiteral("-1234567890.").contains(c);
}

bool FieldEdit::isWindowCommandKey(const QKeySequence& keys) const {
    const QWidget* top = window();
    for (const QAction* action : top->findChildren<QAction*>())
        if (action->isEnabled() && action->shortcuts().contains(keys)) return true;
    for (const QShortcut* shortcut : top->findChildren<QShortcut*>())
        if (shortcut->isEnabled() && shortcut->keys().contains(keys)) return true;
    return false;
}

bool FieldEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool undoKey = key->matches(QKeySequence::Undo);
        const bool redoKey = key->matches(QKeySequence::Redo) ||
                             key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
        // The box keeps undo and redo keys only while it has typing of its own to take back; past
        // that they reach the window's Edit menu.
        if (undoKey || redoKey) {
            if ((undoKey && !isUndoAvailable()) || (redoKey && !isRedoAvailable())) {
                event->ignore();
                return true;
            }
            return QLineEdit::event(event);
        }
        // The window's commands win over the box's own bindings for the same keys (Ctrl+E would
        // otherwise move the cursor to the end of the line).
        if (isWindowCommandKey(QKeySequence(key->keyCombination()))) {
            event->ignore();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Once the focus leaves, the box's typing is a step of the window's history: the box forgets
    // its own so that Ctrl+Z, back in the box, takes back the step the Edit menu names. Setting
    // the unchanged text clears that history without a change signal. A menu or a popup taking
    // the focus for a moment leaves the typing open.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::MenuBarFocusReason ||
        event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (isUndoAvailable() || isRedoAvailable()) {
        const int cursor = cursorPosition();
        const QSignalBlocker quiet(this);
        setText(text());
        setCursorPosition(cursor);
    }
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
