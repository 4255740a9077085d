#pragma once

#include <QByteArray>
#include <QString>
#include <array>

#include "core/tables/EditorModel.h"

namespace pw::files {

// Tyre set (".tyr", read only): eleven 16-bit brand indexes, teams 0..10.
constexpr int kTyreSetSize = 22;

struct TyreSetContent {
    std::array<int, model::kTeamCount> brands{};  // 0 Bridgestone, 1 Michelin, 2 McLaren
};

// Throws model::GameFileError for a file under 22 bytes or an index outside 0..2; the file is
// then refused whole.
TyreSetContent readTyreSet(const QByteArray& bytes, const QString& fileName);
void applyTyreSet(const TyreSetContent& content, model::EditorModel& model);

}  // namespace pw::files
