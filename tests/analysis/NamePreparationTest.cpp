#include "analysis/NamePreparation.h"

#include <gtest/gtest.h>

#include "analysis/JudgementStore.h"

namespace namori {
namespace {

JudgementStore StoreWithDictionary() {
    JudgementStore store;
    store.dictionary.Assign({{u"白", 5},
                             {u"鳥", 11},
                             {u"杏", 7},
                             {u"奈", 8},
                             {u"林", 8},
                             {u"一", 1},
                             {u"郎", 9},
                             {u"田", 5},
                             {u"中", 4},
                             {u"翔", 12}});
    return store;
}

TEST(PrepareName, ComplementGoesBeforeAOneCharacterSurname) {
    JudgementStore store = StoreWithDictionary();
    const NamePreparation result = PrepareName(store, u"林", u"一郎", true);
    ASSERT_TRUE(result.ready());
    EXPECT_EQ(store.currentSurname, u"１林");
    EXPECT_EQ(store.surnameLength, 2);
    EXPECT_EQ(store.nameChars[1], u"１");
    EXPECT_EQ(store.strokeCounts[1], 1);
    EXPECT_EQ(store.strokeCounts[2], 8);
    EXPECT_EQ(store.nameChars[3], u"一");
    EXPECT_EQ(store.givenNameLength, 2);
}

TEST(PrepareName, TypedCharactersAreJudgedAsTheFilesHoldThem) {
    JudgementStore store = StoreWithDictionary();
    store.dictionary.Assign({{u"白", 5}, {u"～", 2}, {u"杏", 7}});
    ASSERT_TRUE(PrepareName(store, u"白〜", u"杏", false).ready());
    EXPECT_EQ(store.currentSurname, u"白～");
    EXPECT_EQ(store.strokeCounts[2], 2);
}

TEST(PrepareName, ComplementGoesAfterAOneCharacterGivenName) {
    JudgementStore store = StoreWithDictionary();
    ASSERT_TRUE(PrepareName(store, u"田中", u"翔", true).ready());
    EXPECT_EQ(store.currentGivenName, u"翔１");
    EXPECT_EQ(store.nameChars[4], u"１");
    EXPECT_EQ(store.strokeCounts[4], 1);

    ASSERT_TRUE(PrepareName(store, u"田中", u"翔", false).ready());
    EXPECT_EQ(store.currentGivenName, u"翔");
    EXPECT_EQ(store.givenNameLength, 1);
    EXPECT_TRUE(store.nameChars[4].empty());
}

TEST(PrepareName, TypedComplementCharacterCountsOneStrokeAtEitherEnd) {
    JudgementStore store = StoreWithDictionary();
    ASSERT_TRUE(PrepareName(store, u"１林", u"杏１", false).ready());
    EXPECT_EQ(store.strokeCounts[1], 1);
    EXPECT_EQ(store.strokeCounts[4], 1);
}

TEST(PrepareName, ListsUnregisteredCharactersOfBothPartsSurnameFirst) {
    JudgementStore store = StoreWithDictionary();
    const NamePreparation result = PrepareName(store, u"犬鳥", u"杏子", false);
    EXPECT_EQ(result.problem, NameProblem::Unregistered);
    EXPECT_EQ(result.unregistered, (std::vector<std::u16string>{u"犬", u"子"}));
    EXPECT_EQ(store.unregisteredChars[1], u"犬");
    EXPECT_EQ(store.unregisteredChars[2], u"子");
    EXPECT_TRUE(store.unregisteredChars[3].empty());
    EXPECT_NE(result.message.find(u"犬、子"), std::u16string::npos);
}

TEST(PrepareName, RefusesNamesOutsideTheRulesWithoutTouchingTheStore) {
    const struct {
        std::u16string_view surname, givenName;
        NameProblem problem;
        std::u16string_view character;
    } rows[] = {
        {u"", u"杏奈", NameProblem::Empty, u""},
        {u"白鳥", u"", NameProblem::Empty, u""},
        {u"白鳥田中", u"杏", NameProblem::TooLong, u""},
        {u"白", u"杏奈一郎", NameProblem::TooLong, u""},
        {u"𠮷田", u"杏", NameProblem::UnsupportedCharacter, u"𠮷"},
        {u"白鳥", u"丂", NameProblem::UnsupportedCharacter, u"丂"},
        {u"白\t", u"杏", NameProblem::UnsupportedCharacter, u"\t"},
        {u"白", u"\xDC00", NameProblem::UnsupportedCharacter, u"\xDC00"},
    };
    for (const auto& row : rows) {
        JudgementStore store = StoreWithDictionary();
        store.currentSurname = u"前";
        store.strokeCounts[1] = 3;
        const NamePreparation result = PrepareName(store, row.surname, row.givenName, true);
        EXPECT_EQ(result.problem, row.problem);
        EXPECT_EQ(result.character, row.character);
        EXPECT_FALSE(result.message.empty());
        EXPECT_EQ(store.currentSurname, u"前");
        EXPECT_EQ(store.strokeCounts[1], 3);
    }
}

TEST(PrepareName, BlanksAreCharactersLikeAnyOther) {
    JudgementStore store = StoreWithDictionary();
    const NamePreparation result = PrepareName(store, u"　", u"杏", false);
    EXPECT_EQ(result.problem, NameProblem::Unregistered);
    EXPECT_EQ(result.unregistered, (std::vector<std::u16string>{u"　"}));
}

TEST(ApplyRegisteredStrokes, FillsThePositionsStillWithoutACountInOrder) {
    const struct {
        std::u16string_view surname, givenName;
        std::vector<std::int16_t> counts;
        std::array<std::int16_t, kNamePositions + 1> expected;
    } rows[] = {
        // 猫 and 犬 have no count: the first count goes to the first of them.
        {u"猫田", u"犬", {11, 4}, {0, 11, 5, 4, 0, 0, 0}},
        {u"白鳥", u"犬奈", {4}, {0, 5, 11, 4, 8, 0, 0}},
        // Nothing to fill: the name keeps its counts.
        {u"白鳥", u"杏奈", {}, {0, 5, 11, 7, 8, 0, 0}},
    };
    for (const auto& row : rows) {
        JudgementStore store = StoreWithDictionary();
        PrepareName(store, row.surname, row.givenName, false);
        ApplyRegisteredStrokes(store, row.counts);
        EXPECT_EQ(store.strokeCounts, row.expected) << std::string(row.counts.size(), '*');
    }
}

}  // namespace
}  // namespace namori
