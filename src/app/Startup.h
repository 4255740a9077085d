#pragma once

#include <QApplication>

namespace pw::app {

// The application object: any exception that still reaches the event loop is shown in an error
// box instead of ending the program.
class PitwrightApplication : public QApplication {
public:
    PitwrightApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Not shown to users: the program ends after its first preview frame (start-up benchmarks).
inline constexpr char kQuitAfterFirstFrameOption[] = "--quit-after-first-frame";

// Start-up: the application title, the main window (hidden), the settings store, Import All,
// then the window and the event loop until it closes. Returns the process's exit code.
int runPitwright(QApplication& app);

}  // namespace pw::app
