#pragma once

#include <algorithm>
#include <string_view>

#include "analysis/JudgementStore.h"
#include "rules/Ratings.h"

namespace namori {

// A mark's points when names are ranked by their marks: ◎ 2, ○ 1, anything else 0.
inline int MarkPoints(std::u16string_view mark) {
    return mark == kGoodMark ? 2 : mark == kMixedMark ? 1 : 0;
}

// Copies the numbers of the last judgement in store into a row of a ranked list (a name
// candidate, a lucky stroke pattern): the name positions' counts, the five luck numbers, their
// marks and the marks' points.
template <typename Row>
void CopyJudgedNumbers(const JudgementStore& store, Row& row) {
    const int positions = std::min(store.surnameLength + store.givenNameLength, kNamePositions);
    row.strokes.assign(store.strokeCounts.begin() + 1, store.strokeCounts.begin() + 1 + positions);
    row.luck = {store.ancestorLuck, store.mainLuck, store.earlyLuck, store.assistLuck,
                store.totalLuck};
    row.markScore = 0;
    for (std::size_t i = 0; i < row.luck.size(); ++i) {
        row.marks[i] = store.spiritTable.MarkOf(row.luck[i]);
        row.markScore += MarkPoints(row.marks[i]);
    }
}

}  // namespace namori
