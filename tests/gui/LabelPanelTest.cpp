#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QPalette>

#include "app/widgets/LabelPanel.h"

using pw::app::LabelPanel;

namespace {

// Counts the palette changes a widget is told of.
class PaletteChanges : public QObject {
public:
    explicit PaletteChanges(QWidget* w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        count += e->type() == QEvent::PaletteChange;
        return false;
    }
};

QColor windowColour(const LabelPanel& panel, QPalette::ColorGroup group) {
    return panel.palette().color(group, QPalette::Window);
}

}  // namespace

TEST(LabelPanel, AHighlightIsSetOnceAndFollowsTheApplicationsColours) {
    LabelPanel panel(QStringLiteral("p"), QStringLiteral("Team"));
    PaletteChanges changes(&panel);
    for (auto g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        EXPECT_EQ(windowColour(panel, g), LabelPanel::normalColour());

    panel.setHighlighted(true);
    EXPECT_TRUE(panel.isHighlighted());
    for (auto g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        EXPECT_EQ(windowColour(panel, g), LabelPanel::highlightColour());
    const int afterFirst = changes.count;
    EXPECT_GE(afterFirst, 1);
    // The same highlight again (a selection of the team already selected) changes nothing.
    panel.setHighlighted(true);
    EXPECT_EQ(changes.count, afterFirst);

    panel.setHighlighted(false);
    EXPECT_FALSE(panel.isHighlighted());
    EXPECT_EQ(windowColour(panel, QPalette::Active), LabelPanel::normalColour());
    EXPECT_GT(changes.count, afterFirst);

    // Another button colour for the whole application: the next highlight takes it.
    const QPalette before = QApplication::palette();
    QPalette other = before;
    other.setColor(QPalette::Button, QColor(12, 34, 56));
    QApplication::setPalette(other);
    panel.setHighlighted(true);
    EXPECT_EQ(windowColour(panel, QPalette::Active), QColor(12, 34, 56));
    QApplication::setPalette(before);
    panel.setHighlighted(true);
    EXPECT_EQ(windowColour(panel, QPalette::Active), before.color(QPalette::Button));
}
