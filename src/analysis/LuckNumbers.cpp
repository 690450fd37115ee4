#include "analysis/LuckNumbers.h"

#include <array>

#include "analysis/JudgementStore.h"
#include "analysis/NameLookup.h"

namespace namori {

namespace {

int SumOfPositions(const JudgementStore& store, int first, int last) {
    int sum = 0;
    for (int position = first < 1 ? 1 : first; position <= last && position <= kNamePositions;
         ++position) {
        sum += store.strokeCounts[position];
    }
    return sum;
}

int StrokesAt(const JudgementStore& store, int position) {
    return (position >= 1 && position <= kNamePositions) ? store.strokeCounts[position] : 0;
}

}  // namespace

void ComputeLuckNumbers(JudgementStore& store) {
    const int s = store.surnameLength;
    const int g = store.givenNameLength;
    const int t = store.totalLength;
    // Surnames of one to three characters follow the rule table; the same sums serve any other
    // length, so that no number is left over from an earlier name.
    store.ancestorLuck = SumOfPositions(store, 1, s);
    store.mainLuck = StrokesAt(store, s) + StrokesAt(store, s + 1);
    store.earlyLuck = SumOfPositions(store, s + 1, t);
    store.totalLuck = store.earlyLuck + store.ancestorLuck;
    store.assistLuck = store.totalLuck - store.mainLuck;

    // A part of one character also counts its own strokes towards 助運.
    const auto S = [&store](int position) { return StrokesAt(store, position); };
    if (s == 1 && g == 1) {
        store.assistLuck = S(1) + S(2);
        return;
    }
    if (s == 1 && g == 2) {
        store.assistLuck = S(1) + S(3);
        return;
    }
    if (s == 1 && g == 3) {
        store.assistLuck = S(1) + S(3) + S(4);
        return;
    }
    if (s == 2 && g == 1) {
        store.assistLuck = S(1) + S(3);
        return;
    }
    if (s == 3 && g == 1) {
        store.assistLuck = S(1) + S(2) + S(4);
        return;
    }

    // The complement is not part of the name: 総運 leaves it out.
    if (!store.currentSurname.empty() && store.currentSurname.front() == kComplementCharacter) {
        --store.totalLuck;
    }
    if (!store.currentGivenName.empty() && store.currentGivenName.back() == kComplementCharacter) {
        --store.totalLuck;
    }
}

}  // namespace namori
