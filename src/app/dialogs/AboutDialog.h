#pragma once

#include <QDialog>

namespace pw::app {

// "Credits": a small window with the credits text and "OK". Created once, shown without
// blocking the main window.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace pw::app
