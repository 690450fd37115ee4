#include "analysis/LuckNumbers.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "analysis/Judgement.h"
#include "analysis/JudgementStore.h"
#include "rules/FiveElements.h"

namespace namori {
namespace {

// A store whose name positions hold the given counts, as if looked up.
JudgementStore NameWithCounts(std::initializer_list<int> surname,
                              std::initializer_list<int> givenName,
                              std::u16string currentSurname = u"",
                              std::u16string currentGiven = u"") {
    JudgementStore store;
    store.surnameLength = static_cast<int>(surname.size());
    store.givenNameLength = static_cast<int>(givenName.size());
    int position = 1;
    for (int count : surname) {
        store.strokeCounts[position++] = static_cast<std::int16_t>(count);
    }
    for (int count : givenName) {
        store.strokeCounts[position++] = static_cast<std::int16_t>(count);
    }
    store.currentSurname = std::move(currentSurname);
    store.currentGivenName = std::move(currentGiven);
    store.totalLength = static_cast<std::int16_t>(store.surnameLength + store.givenNameLength);
    ComputeLuckNumbers(store);
    return store;
}

struct LuckRow {
    const char* name;
    JudgementStore store;
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
        EXPECT_EQ(row.store.ancestorLuck, row.ancestor);
        EXPECT_EQ(row.store.mainLuck, row.main);
        EXPECT_EQ(row.store.earlyLuck, row.early);
        EXPECT_EQ(row.store.assistLuck, row.assist);
        EXPECT_EQ(row.store.totalLuck, row.total);
    }
}

TEST(ComputeLuckNumbers, NothingSurvivesFromAnEarlierName) {
    JudgementStore store = NameWithCounts({30, 30, 30}, {30, 30, 30});
    EXPECT_EQ(store.totalLuck, 180);
    // A surname outside the rule table still gets fresh sums, never the old values.
    store.surnameLength = 0;
    store.givenNameLength = 1;
    store.totalLength = 1;
    store.strokeCounts = {};
    store.strokeCounts[1] = 4;
    ComputeLuckNumbers(store);
    EXPECT_EQ(store.ancestorLuck, 0);
    EXPECT_EQ(store.mainLuck, 4);
    EXPECT_EQ(store.totalLuck, 4);
}

TEST(ElementOfDigit, MapsEveryDigit) {
    const char16_t* expected[] = {u"水", u"木", u"木", u"火", u"火",
                                  u"土", u"土", u"金", u"金", u"水"};
    for (int digit = 0; digit <= 9; ++digit) {
        EXPECT_EQ(ElementOfDigit(digit), expected[digit][0]) << digit;
    }
}

TEST(RunJudgement, WorkedExampleFromLookedUpPositions) {
    JudgementStore store = NameWithCounts({5, 11}, {7, 8});
    store.totalLength = 0;
    RunJudgement(store);
    EXPECT_EQ(store.totalLength, 4);
    EXPECT_EQ(store.elementTriple, u"土金土");
    EXPECT_EQ(store.elementDigits, u"6 - 8 - 5");
    EXPECT_EQ(store.elementVerdict, u"------");
    EXPECT_EQ(store.yinYangPattern, u"○○○●");
    JudgementStore again = store;
    RunJudgement(again);
    EXPECT_EQ(again.totalLuck, store.totalLuck);
    EXPECT_EQ(again.yinYangVerdict, store.yinYangVerdict);
}

}  // namespace
}  // namespace namori
