#pragma once

#include <QString>
#include <QWidget>

namespace pw::app {

// A titled frame around a group of fields: the title in one caption's height above a plain
// one-pixel frame. Drawn here rather than through a style sheet, which would restyle every field
// inside the group and slow the window's start.
class GroupFrame : public QWidget {
    Q_OBJECT
public:
    explicit GroupFrame(const QString& title, QWidget* parent = nullptr);

    QString title() const { return title_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int titleHeight() const;
    void updateMargins();

    QString title_;
};

}  // namespace pw::app
