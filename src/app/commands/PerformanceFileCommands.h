#pragma once

#include <QString>

namespace pw::files {
struct PerformanceFileContent;
}
namespace pw::model {
struct EditorModel;
}

namespace pw::app {

class Editor;

// "Load Performance File" and "Save Performance file": the team and driver performance values
// in the sectioned ".txt" layout or the keyed-list ".g4p" layout shared with other editing tools.
//
// A load reads and checks the whole file before it changes anything: a file that is cut short
// or holds a value the window cannot take is refused with a message, and every box keeps its
// text. A load writes texts into the boxes (their own reactions carry them on); a save takes the
// boxes into the model and writes the whole file at once. Errors the commands do not handle
// themselves (a box that is not a number) are thrown to the caller, which runs them guarded.
class PerformanceFileCommands {
public:
    explicit PerformanceFileCommands(Editor& editor) : editor_(editor) {}

    void connectCommands();

    // Asks for a file and reads it by the last three characters of its name: "txt" the sectioned
    // layout, "g4p" the keyed list; any other ending says it is not a performance file.
    void LoadPerformanceFile1Click();
    // Asks for a file and writes the layout of the chosen filter (first: sectioned, second: keyed).
    void SavePerformancefile1Click();

    void loadSectioned(const QString& path);
    void loadKeyedList(const QString& path);

private:
    void show(const files::PerformanceFileContent& content) const;
    // The values of the Teams and Drivers pages; the tyre brands only for the sectioned layout.
    void takeValues(model::EditorModel& into, bool withTyreBrands) const;

    Editor& editor_;
    // The save dialog keeps the filter it last had.
    int saveFilter_ = 1;
};

}  // namespace pw::app
