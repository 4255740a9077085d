#pragma once

#include <QLabel>

namespace pw::app {

// A caption panel: row labels of cameras and teams, captions that a command rewrites. Clicking it
// selects what it stands for; the selected row's panel is highlighted.
class LabelPanel : public QLabel {
    Q_OBJECT
public:
    LabelPanel(const QString& componentName, const QString& caption, QWidget* parent = nullptr);

    void setHighlighted(bool on);
    bool isHighlighted() const { return highlighted_; }

    // The two panel colours: the selected row takes the button face, every other row the
    // active-border grey, which is also the panels' normal colour.
    static QColor highlightColour();
    static QColor normalColour();

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Whether the panel's own palette already gives every colour group this window colour.
    bool hasColour(const QColor& colour) const;

    bool highlighted_ = false;
};

}  // namespace pw::app
