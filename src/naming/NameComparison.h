#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/ReferenceTables.h"
#include "data/ShortlistFile.h"
#include "rules/Judgement.h"

namespace namori {

// One shortlisted name judged for a side-by-side comparison: what the 候補 page, its printout
// and namori-judge --compare show for it.
struct ComparedName {
    ShortlistEntry entry;
    bool judged = false;
    NamePreparation preparation;        // why the name cannot be judged, when it cannot
    std::vector<std::int16_t> strokes;  // the name positions' counts, complement included
    std::array<int, 5> luck{};
    std::array<Mark, 5> marks{};
    int markScore = 0;
    std::array<Rating, 3> faces{};
    // How the reading is grounded in its kanji, per character; empty until a grounding is given.
    std::optional<std::u16string> grounding;
};

// Judges every entry as the judge command would, in the order given.
std::vector<ComparedName> CompareNames(const std::vector<ShortlistEntry>& entries,
                                       const ReferenceTables& tables);

class ReadingGroundsIndex;

// Gives each name with a reading its grounding from index: how each character of the given name
// reads its part of the reading (陽=はる（名乗り）・翔=と（訓）).
void GroundReadings(std::vector<ComparedName>& names, const ReadingGroundsIndex& index);

// The counts joined by commas (7,18,12,12).
std::u16string StrokesText(const ComparedName& name);

}  // namespace namori
