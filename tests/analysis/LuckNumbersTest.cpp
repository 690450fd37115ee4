#include "analysis/LuckNumbers.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "rules/FiveElements.h"
#include "rules/Judgement.h"

namespace namori {
namespace {

// Name positions holding the given counts, as if looked up.
NamePositions NameWithCounts(std::initializer_list<int> surname,
                             std::initializer_list<int> givenName,
                             std::u16string currentSurname = u"",
                             std::u16string currentGiven = u"") {
    NamePositions name;
    name.surnameLength = static_cast<int>(surname.size());
    name.givenNameLength = static_cast<int>(givenName.size());
    int position = 0;
    for (int count : surname) {
        name.strokeCounts[position++] = static_cast<std::int16_t>(count);
    }
    for (int count : givenName) {
        name.strokeCounts[position++] = static_cast<std::int16_t>(count);
    }
    name.currentSurname = std::move(currentSurname);
    name.currentGivenName = std::move(currentGiven);
    name.totalLength = name.surnameLength + name.givenNameLength;
    return name;
}

struct LuckRow {
    const char* name;
    NamePositions positions;
    int ancestor, main, early, assist, total;
};

TEST(ComputeLuckNumbers, WorkedExamplesAndEdgeCases) {
    const LuckRow rows[] = {
        {"legend sample 5 11 | 7 8", NameWithCounts({5, 11}, {7, 8}), 16, 18, 15, 13, 31},
        {"one-character surname 5 | 7 8", NameWithCounts({5}, {7, 8}), 5, 12, 15, 13, 20},
        {"complement on: 1 5 | 7 8", NameWithCounts({1, 5}, {7, 8}, u"１白"), 6, 12, 15, 9, 20},
        {"one plus one", NameWithCounts({7}, {8}), 7, 15, 8, 15, 15},
        {"complement on both: 1 7 | 8 1", NameWithCounts({1, 7}, {8, 1}, u"１林", u"翔１"), 8, 15,
         9, 2, 15},
        {"1 | 3", NameWithCounts({4}, {5, 6, 7}), 4, 9, 18, 4 + 6 + 7, 22},
        {"2 | 1", NameWithCounts({5, 11}, {7}), 16, 18, 7, 5 + 7, 23},
        {"3 | 1", NameWithCounts({3, 5, 2}, {9}), 10, 11, 9, 3 + 5 + 9, 19},
        {"3 | 3", NameWithCounts({3, 5, 2}, {9, 1, 4}), 10, 11, 14, 24 - 11, 24},
        {"typed １ ends the given name after two",
         NameWithCounts({5, 11}, {7, 1}, u"白鳥", u"杏１"), 16, 18, 8, 5 + 1, 23},
        {"typed １ after one-character surname", NameWithCounts({5}, {7, 1}, u"白", u"杏１"), 5, 12,
         8, 5 + 1, 13},
        {"all unregistered", NameWithCounts({0, 0}, {0, 0}), 0, 0, 0, 0, 0},
    };
    for (const LuckRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(LuckValues(ComputeLuckNumbers(row.positions)),
                  (std::array<int, 5>{row.ancestor, row.main, row.early, row.assist, row.total}));
    }
}

TEST(ComputeLuckNumbers, SurnameOutsideTheRuleTableGetsTheSameSums) {
    const LuckNumbers luck = ComputeLuckNumbers(NameWithCounts({}, {4}));
    EXPECT_EQ(LuckValues(luck), (std::array<int, 5>{0, 4, 4, 0, 4}));
}

TEST(ElementOfDigit, MapsEveryDigit) {
    const char16_t* expected[] = {u"水", u"木", u"木", u"火", u"火",
                                  u"土", u"土", u"金", u"金", u"水"};
    for (int digit = 0; digit <= 9; ++digit) {
        EXPECT_EQ(ElementOfDigit(digit), expected[digit][0]) << digit;
    }
}

TEST(JudgePositions, WorkedExampleFromLookedUpPositions) {
    const Judgement judgement = JudgePositions(NameWithCounts({5, 11}, {7, 8}), SpiritTable());
    EXPECT_EQ(judgement.name.totalLength, 4);
    EXPECT_EQ(judgement.luck.totalLuck, 31);
    EXPECT_EQ(judgement.elements.elementTriple, u"土金土");
    EXPECT_EQ(judgement.elements.elementDigits, u"6 - 8 - 5");
    EXPECT_EQ(judgement.elements.elementVerdict, ElementVerdict::NoMisfortune);
    EXPECT_EQ(judgement.yinYang.yinYangPattern, u"○○○●");
}

}  // namespace
}  // namespace namori
