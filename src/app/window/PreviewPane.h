#pragma once

#include <QFrame>
#include <QRect>

#include "app/PreviewInputs.h"

namespace pw::app {

// The pane right of the pages, below the command strip, that holds the 3D view. Until the view
// is put in, the pane paints itself black and reports the mouse; repaint requests are counted.
class PreviewPane : public QFrame, public PreviewSurface {
    Q_OBJECT
public:
    static constexpr int kLeft = 342;
    static constexpr int kTop = 82;

    explicit PreviewPane(QWidget* parent = nullptr);

    // The pane's size for a window of the given size: width = window width - 354, height = 3/4 of
    // it rounded down; when that is taller than window height - 140, the height is window height
    // - 140 and the width 4/3 of it (rounded down).
    static QSize paneSize(QSize windowSize);

    // Puts the view in, filling the pane less a one-pixel border on each side.
    void setView(QWidget* view);
    QWidget* view() const { return view_; }

    void requestRepaint() override;
    int repaintRequests() const { return repaintRequests_; }

signals:
    void mousePressed(Qt::MouseButton button, QPoint globalPos);
    void mouseMoved(QPoint globalPos);
    void mouseReleased(Qt::MouseButton button, QPoint globalPos);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QWidget* view_ = nullptr;
    int repaintRequests_ = 0;
};

}  // namespace pw::app
