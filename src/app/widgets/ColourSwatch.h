#pragma once

#include <QFrame>
#include <cstdint>

namespace pw::app {

// A colour swatch of the Teams page. Its value is the window form of a colour, 0x00BBGGRR
// (red in the low byte), which the conversions turn into the game's 0xAARRGGBB and back.
class ColourSwatch : public QFrame {
    Q_OBJECT
public:
    explicit ColourSwatch(const QString& componentName, QWidget* parent = nullptr);

    uint32_t colourValue() const { return value_; }
    void setColourValue(uint32_t bgr);

    static QColor toQColor(uint32_t bgr);
    static uint32_t fromQColor(const QColor& colour);

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    uint32_t value_ = 0;
};

}  // namespace pw::app
