#include "app/dialogs/AboutDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppInfo.h"

namespace pw::app {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("Credits"));
    setModal(false);
    setFixedSize(264, 195);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("CreditsText"));
    text->setFrameShape(QFrame::StyledPanel);
    text->setFrameShadow(QFrame::Sunken);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    text->setText(QStringLiteral("%1\n\n"
                                 "An editor for the cameras, teams, drivers\n"
                                 "and cars of an installed GP4.\n\n"
                                 "Written with Qt by the Pitwright authors.\n"
                                 "Thanks to every modder who shared\n"
                                 "what the game's files hold.")
                      .arg(QLatin1String(kApplicationTitle)));
    layout->addWidget(text, 1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

}  // namespace pw::app
