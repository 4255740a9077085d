#pragma once

#include <QLineEdit>

namespace pw::app {

// An edit box of the editor window. Besides the line edit's own signals (textChanged also fires
// when code sets the text, which the change reactions rely on) it reports mouse presses, moves,
// releases and clicks, which the selection logic and the mouse-drag editing listen to, and it can
// filter typed characters down to those of a number.
class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FieldEdit(const QString& componentName, QWidget* parent = nullptr);

    // Numeric fields accept only backspace and the characters "-1234567890."; anything else
    // typed is dropped and keyRejected() is emitted (the window beeps).
    void setNumericFilter(bool on) { numericFilter_ = on; }
    bool numericFilter() const { return numericFilter_; }

    // Whether a typed character passes the numeric filter.
    static bool acceptsNumericCharacter(QChar c);

signals:
    void pressed(Qt::MouseButton button, QPoint globalPos);
    void moved(QPoint globalPos, Qt::MouseButtons buttons);
    void released(Qt::MouseButton button, QPoint globalPos);
    void clicked();
    void keyRejected();

protected:
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Whether `keys` runs an enabled command of the window this box is in.
    bool isWindowCommandKey(const QKeySequence& keys) const;

    bool numericFilter_ = false;
    bool leftDown_ = false;
};

}  // namespace pw::app
