#pragma once

#include <QString>
#include <array>
#include <optional>

#include "core/tables/EditorModel.h"

namespace pw::files {

// What a performance file reader found, as the texts (and the few integers) that go into the
// window's boxes. A value the file does not carry stays empty and its box keeps its text.

struct PerformanceTeamValues {
    std::optional<QString> teamName;      // LMDTN
    std::optional<QString> engineName;    // LMDEN
    std::optional<QString> qualifyPower;  // LMDPQ, shown BHP
    std::optional<QString> racePower;     // LMDPR
    std::optional<QString> failureRate;   // LMDFA
    std::optional<QString> gearCaption;   // caption of PanelCG
    std::optional<int> gearPosition;      // gear selector
    std::optional<int> tyreBrand;         // brand selector, 0..2 (sectioned layout only)
};

struct PerformanceDriverValues {
    std::optional<QString> number;            // LMDNB
    std::optional<QString> name;              // LMDDN
    std::optional<QString> qualifyAbility;    // LMDQA
    std::optional<QString> qualifyVariation;  // LMDQV
    std::optional<QString> raceAbility;       // LMDRA
    std::optional<QString> raceVariation;     // LMDRV
};

struct PerformanceFileContent {
    std::array<PerformanceTeamValues, model::kTeamCount> teams{};
    std::array<PerformanceDriverValues, model::kDriverCount> drivers{};
    // A performance file after all: the sectioned layout had a "[File" section; a keyed list
    // always is. Without it the caller says "not a performance file" but keeps the values.
    bool recognised = false;
    // A "[File" section's version was not exactly "213"; the caller warns once and goes on.
    bool versionMismatch = false;
    // "[Team" blocks after the eleventh: read and checked like the others, their values dropped.
    int ignoredTeamBlocks = 0;
};

}  // namespace pw::files
