#pragma once

#include <QWidget>
#include <array>

class QToolButton;

namespace pw::app {

// The quick-camera bar: 15 bold buttons "C", "T", "1".."10", "R", "F", "V". The lit button's
// caption has the button-text colour, the others the button-shadow colour.
class QuickCamBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kButtonCount = 15;

    explicit QuickCamBar(QWidget* parent = nullptr);

    // Lights button b (0..14) and returns the previous one to the shadow colour.
    void light(int b);
    int litButton() const { return lit_; }
    bool isLit(int b) const { return b == lit_; }
    QToolButton* button(int b) const { return buttons_[b]; }

signals:
    void buttonPressed(int b);

private:
    void paintCaption(int b, bool lit);

    std::array<QToolButton*, kButtonCount> buttons_{};
    int lit_ = -1;
};

}  // namespace pw::app
