#pragma once

#include "data/SpiritTable.h"
#include "rules/Judgement.h"

namespace namori {

// A mark's points when names are ranked by their marks: ◎ 2, ○ 1, anything else 0.
constexpr int MarkPoints(Mark mark) {
    return mark == Mark::Good ? 2 : mark == Mark::Mixed ? 1 : 0;
}

// Copies the numbers of judgement into a row of a ranked list (a name candidate, a lucky
// stroke pattern): the name positions' counts, the five luck numbers, their marks in table and
// the marks' points.
template <typename Row>
void CopyJudgedNumbers(const Judgement& judgement, const SpiritTable& table, Row& row) {
    row.strokes.assign(judgement.name.strokeCounts.begin(),
                       judgement.name.strokeCounts.begin() + judgement.name.positions());
    row.luck = LuckValues(judgement.luck);
    row.markScore = 0;
    for (std::size_t i = 0; i < row.luck.size(); ++i) {
        row.marks[i] = table.MarkOf(row.luck[i]);
        row.markScore += MarkPoints(row.marks[i]);
    }
}

}  // namespace namori
