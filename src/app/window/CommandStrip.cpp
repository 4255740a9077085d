#include "app/window/CommandStrip.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/window/QuickCamBar.h"

namespace pw::app {

CommandStrip::CommandStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CommandStrip"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 4, 4, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
    import_ = new QPushButton(QStringLiteral("Import All"), this);
    import_->setObjectName(QStringLiteral("LMDImport"));
    import_->setToolTip(QStringLiteral("Read every value from the game (Ctrl+I)"));
    export_ = new QPushButton(QStringLiteral("Export All"), this);
    export_->setObjectName(QStringLiteral("LMDExport"));
    export_->setToolTip(QStringLiteral("Write every value into the game's files (Ctrl+E)"));
    status_ = new QLineEdit(this);
    status_->setObjectName(QStringLiteral("StatusBox"));
    status_->setReadOnly(true);
    status_->setFocusPolicy(Qt::NoFocus);
    auto* caption = new QLabel(QStringLiteral("Quickcam :"), this);
    caption->setObjectName(QStringLiteral("LabelQuickcam"));
    quickCams_ = new QuickCamBar(this);
    grid->addWidget(import_, 0, 0);
    grid->addWidget(export_, 0, 1);
    grid->addWidget(status_, 0, 2);
    grid->addWidget(caption, 1, 0);
    grid->addWidget(quickCams_, 1, 1, 1, 2);
    grid->setColumnStretch(2, 1);
}

void CommandStrip::setStatus(const QString& text) {
    status_->setText(text);
}

QString CommandStrip::status() const {
    return status_->text();
}

}  // namespace pw::app
