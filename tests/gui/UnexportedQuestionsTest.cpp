#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/dialogs/UserPrompts.h"

using namespace pw;

namespace {

// What the open question offered, read once it is on the screen; then Return answers it.
struct Offered {
    QStringList buttons;
    bool answered = false;
};

void answerWithReturn(Offered& offered) {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
        QTimer::singleShot(10, [&offered] { answerWithReturn(offered); });
        return;
    }
    for (QAbstractButton* button : box->buttons()) offered.buttons << button->text();
    offered.answered = true;
    QTest::keyClick(box, Qt::Key_Return);
}

}  // namespace

// Both questions about unexported edits: every button has its key, and Return gives the answer
// that loses nothing (Cancel).
TEST(UnexportedQuestions, ButtonsHaveKeysAndReturnCancels) {
    app::WidgetMessageSink sink;
    {
        Offered offered;
        QTimer::singleShot(0, [&offered] { answerWithReturn(offered); });
        EXPECT_EQ(sink.askBeforeQuit(), app::UnexportedAnswer::Cancel);
        ASSERT_TRUE(offered.answered);
        EXPECT_EQ(offered.buttons.size(), 3);
        for (const QString& text : offered.buttons)
            EXPECT_TRUE(text.contains(QLatin1Char('&'))) << text.toStdString();
    }
    {
        Offered offered;
        QTimer::singleShot(0, [&offered] { answerWithReturn(offered); });
        EXPECT_FALSE(sink.askDiscardEdits());
        ASSERT_TRUE(offered.answered);
        EXPECT_EQ(offered.buttons.size(), 2);
        for (const QString& text : offered.buttons)
            EXPECT_TRUE(text.contains(QLatin1Char('&'))) << text.toStdString();
    }
}
