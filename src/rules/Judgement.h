#pragma once

#include <array>

#include "analysis/LuckNumbers.h"
#include "analysis/NamePositions.h"
#include "analysis/NamePreparation.h"
#include "analysis/ReferenceTables.h"
#include "rules/FiveElements.h"
#include "rules/Ratings.h"
#include "rules/YinYang.h"

namespace namori {

// Everything a judgement shows: the name's positions and counts, the five luck numbers, the
// five-element and yin-yang verdicts and the three faces (luck numbers, five elements,
// yin-yang). A refused name holds only why (preparation) and what was looked up.
struct Judgement {
    NamePositions name;
    LuckNumbers luck;
    FiveElementResult elements;
    YinYangResult yinYang;
    std::array<Rating, 3> faces{};
    NamePreparation preparation;

    bool ready() const { return preparation.ready(); }
};

// Judges a name: checks it, looks it up in tables.dictionary and, when every character has a
// count, computes the luck numbers, the verdicts and the faces.
Judgement Judge(const NameInput& name, const ReferenceTables& tables);

// Judges name positions as they stand, counts included (the naming aid tries counts).
Judgement JudgePositions(const NamePositions& name, const SpiritTable& spiritTable);

}  // namespace namori
