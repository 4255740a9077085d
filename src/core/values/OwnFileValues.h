#pragma once

#include "core/tables/EditorModel.h"

namespace pw::files {
struct TeamFileContent;
struct CameraSetContent;
struct TyreSetContent;
struct PerformanceFileContent;
}  // namespace pw::files

namespace pw::values {

// What loading one of our own files does to the values, on a model in file form (camera records
// included): the values the window shows after the load, each kept exactly as stored where the
// window would show it as before. Throws ValueError (naming the value) for a performance file
// value the window could not hold; the model is then unchanged.

void applyTeamFile(const files::TeamFileContent& content, model::EditorModel& m);
void applyCameraSet(const files::CameraSetContent& content, model::EditorModel& m);
void applyTyreSet(const files::TyreSetContent& content, model::EditorModel& m);
void applyPerformanceFile(const files::PerformanceFileContent& content, model::EditorModel& m);

// The brand a team's selector shows for a brand index: only the second team's offers McLaren,
// the others stop at Michelin.
int brandShownBy(int team, int brand);

// Between Import All and Export All the window keeps the camera records in display units.
// toWindowForm converts them; fromWindowForm converts them back, keeping each stored value of
// `stored` that shows as the window form does; the T-Cam record follows a changed team 0 T-Cam.
model::EditorModel toWindowForm(const model::EditorModel& fileForm);
model::EditorModel fromWindowForm(const model::EditorModel& windowForm,
                                  const model::EditorModel& stored);

}  // namespace pw::values
