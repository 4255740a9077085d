#pragma once

#include "core/tables/EditorModel.h"

namespace pw::app {

class WindowFields;

// The window's fields are the live values between Import All and Export All. These read groups
// of them back into a model in file form; a field that does not hold a number throws
// FieldValueError, so callers read into a copy and keep it only when every field was good.

// The twelve camera records and the chase cameras.
void takeCameraValues(const WindowFields& fields, model::EditorModel& into);
// Per team: car 1 arm and rim colours, helmet, steering wheel and T-Cam positions.
void takeTeamPositions(const WindowFields& fields, model::EditorModel& into);
// Per team: team and engine names, powers, failure rate and gear count.
void takeTeamData(const WindowFields& fields, model::EditorModel& into);
// Per team: the tyre brand selector's position.
void takeTyreBrands(const WindowFields& fields, model::EditorModel& into);
// Per driver: number, name, abilities and variations.
void takeDriverData(const WindowFields& fields, model::EditorModel& into);

}  // namespace pw::app
