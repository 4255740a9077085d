#include "app/window/QuickCamBar.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "app/window/CameraRows.h"
#include "app/window/ComponentNames.h"

namespace pw::app {

QuickCamBar::QuickCamBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("LMDButtonPanel1"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (int b = 0; b < kButtonCount; ++b) {
        auto* button = new QToolButton(this);
        button->setObjectName(names::quickCamButton(b));
        button->setText(camrows::quickButtonCaption(b));
        QFont font = button->font();
        font.setBold(true);
        button->setFont(font);
        button->setFixedSize(b == 11 ? 24 : 20, 22);
        button->setFocusPolicy(Qt::NoFocus);
        buttons_[b] = button;
        layout->addWidget(button);
        paintCaption(b, false);
        connect(button, &QToolButton::clicked, this, [this, b] { emit buttonPressed(b); });
    }
    layout->addStretch(1);
}

void QuickCamBar::paintCaption(int b, bool lit) {
    QPalette p = buttons_[b]->palette();
    const QPalette& app = palette();
    p.setColor(QPalette::ButtonText,
               lit ? app.color(QPalette::ButtonText) : app.color(QPalette::Dark));
    buttons_[b]->setPalette(p);
}

void QuickCamBar::light(int b) {
    if (lit_ >= 0) paintCaption(lit_, false);
    lit_ = b;
    if (lit_ >= 0) paintCaption(lit_, true);
}

}  // namespace pw::app
