#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace pw::app {

class QuickCamBar;

// The strip above the preview: "Import All", "Export All", the status box and the quick-camera bar.
class CommandStrip : public QWidget {
    Q_OBJECT
public:
    explicit CommandStrip(QWidget* parent = nullptr);

    QPushButton* importButton() const { return import_; }
    QPushButton* exportButton() const { return export_; }
    QuickCamBar* quickCams() const { return quickCams_; }

    void setStatus(const QString& text);
    QString status() const;

private:
    QPushButton* import_;
    QPushButton* export_;
    QLineEdit* status_;
    QuickCamBar* quickCams_;
};

}  // namespace pw::app
