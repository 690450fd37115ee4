#include "analysis/LuckNumbers.h"

namespace namori {

namespace {

// The count at position (counted from 1, as the rules count); 0 outside the name positions.
int StrokesAt(const NamePositions& name, int position) {
    return (position >= 1 && position <= kNamePositions) ? name.strokeCounts[position - 1] : 0;
}

int SumOfPositions(const NamePositions& name, int first, int last) {
    int sum = 0;
    for (int position = first; position <= last; ++position) {
        sum += StrokesAt(name, position);
    }
    return sum;
}

}  // namespace

LuckNumbers ComputeLuckNumbers(const NamePositions& name) {
    const int s = name.surnameLength;
    const int g = name.givenNameLength;
    const int t = name.totalLength;
    const auto S = [&name](int position) { return StrokesAt(name, position); };
    // Surnames of one to three characters follow the rule table; the same sums serve any other
    // length.
    LuckNumbers luck;
    luck.ancestorLuck = SumOfPositions(name, 1, s);
    luck.mainLuck = S(s) + S(s + 1);
    luck.earlyLuck = SumOfPositions(name, s + 1, t);
    luck.totalLuck = luck.earlyLuck + luck.ancestorLuck;
    luck.assistLuck = luck.totalLuck - luck.mainLuck;

    // A part of one character also counts its own strokes towards 助運.
    if (s == 1 && g == 1) {
        luck.assistLuck = S(1) + S(2);
    } else if (s == 1 && g == 2) {
        luck.assistLuck = S(1) + S(3);
    } else if (s == 1 && g == 3) {
        luck.assistLuck = S(1) + S(3) + S(4);
    } else if (s == 2 && g == 1) {
        luck.assistLuck = S(1) + S(3);
    } else if (s == 3 && g == 1) {
        luck.assistLuck = S(1) + S(2) + S(4);
    } else {
        // The complement is not part of the name: 総運 leaves it out.
        if (!name.currentSurname.empty() && name.currentSurname.front() == kComplementCharacter) {
            --luck.totalLuck;
        }
        if (!name.currentGivenName.empty() &&
            name.currentGivenName.back() == kComplementCharacter) {
            --luck.totalLuck;
        }
    }
    return luck;
}

std::array<unsigned, 5> LuckPositions(const NamePositions& name) {
    const int s = name.surnameLength;
    const int g = name.givenNameLength;
    const auto range = [](int first, int last) {  // positions first..last, counted from 0
        return last < first ? 0u : ((2u << last) - 1u) & ~((1u << first) - 1u);
    };
    const unsigned all = range(0, name.positions() - 1);
    const unsigned main = s >= 1 ? range(s - 1, s) & all : 0u;
    unsigned assist = all & ~main;
    unsigned total = all;
    const bool oneCharacterPart = (s == 1 && g >= 1 && g <= 3) || (g == 1 && s >= 1 && s <= 3);
    if (oneCharacterPart) {
        // A part of one character also counts its own strokes towards 助運.
        assist |= (s == 1 ? 1u : 0u) | (g == 1 ? 1u << s : 0u);
    } else {
        // The complement is not part of the name: 総運 leaves it out.
        if (!name.currentSurname.empty() && name.currentSurname.front() == kComplementCharacter) {
            total &= ~1u;
        }
        if (!name.currentGivenName.empty() &&
            name.currentGivenName.back() == kComplementCharacter) {
            total &= ~(1u << (name.positions() - 1));
        }
    }
    return {range(0, s - 1) & all, main, range(s, name.positions() - 1), assist, total};
}

}  // namespace namori
