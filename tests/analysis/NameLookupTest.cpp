#include "analysis/NameLookup.h"

#include <gtest/gtest.h>

#include "analysis/JudgementStore.h"

namespace namori {
namespace {

JudgementStore StoreWith(std::vector<DictionaryEntry> entries) {
    JudgementStore store;
    store.dictionary.Assign(std::move(entries));
    return store;
}

const std::vector<DictionaryEntry> kEntries = {{u"白", 5}, {u"鳥", 11}, {u"杏", 7}, {u"奈", 8},
                                               {u"田", 5}, {u"中", 4},  {u"林", 8}, {u"一", 1},
                                               {u"郎", 9}, {u"翔", 12}, {u"翔", 13}};

TEST(LookupSurname, SplitsThePartAndClearsEveryOtherPosition) {
    JudgementStore store = StoreWith(kEntries);
    store.nameChars[5] = u"前";
    store.strokeCounts[5] = 9;
    store.currentSurname = u"白鳥";
    LookupSurname(store);
    EXPECT_EQ(store.surnameLength, 2);
    EXPECT_EQ(store.nameChars[1], u"白");
    EXPECT_EQ(store.strokeCounts[1], 5);
    EXPECT_EQ(store.nameChars[2], u"鳥");
    EXPECT_EQ(store.strokeCounts[2], 11);
    for (int position = 3; position <= 6; ++position) {
        EXPECT_TRUE(store.nameChars[position].empty());
        EXPECT_EQ(store.strokeCounts[position], 0);
    }
}

TEST(LookupSurname, LastDictionaryEntryWins) {
    JudgementStore store = StoreWith(kEntries);
    store.currentSurname = u"翔";
    LookupSurname(store);
    EXPECT_EQ(store.strokeCounts[1], 13);
}

TEST(LookupSurname, OnlyTheFirstThreeCharactersAreLookedUp) {
    JudgementStore store = StoreWith(kEntries);
    store.currentSurname = u"白鳥田中";
    LookupSurname(store);
    EXPECT_EQ(store.surnameLength, 4);
    EXPECT_EQ(store.strokeCounts[3], 5);
    EXPECT_EQ(store.nameChars[4], u"中");
    EXPECT_EQ(store.strokeCounts[4], 0);
    CollectUnregisteredChars(store, NamePart::Surname);
    EXPECT_EQ(store.unregisteredChars[1], u"中");
    EXPECT_TRUE(store.unregisteredChars[2].empty());
}

TEST(LookupSurname, EmptySurnameOnlyMatchesAnEntryWithEmptyText) {
    JudgementStore store = StoreWith(kEntries);
    LookupSurname(store);
    EXPECT_EQ(store.surnameLength, 0);
    EXPECT_EQ(store.strokeCounts[1], 0);

    store.dictionary.Assign({{u"", 4}});
    LookupSurname(store);
    EXPECT_EQ(store.strokeCounts[1], 4);
    EXPECT_EQ(store.strokeCounts[3], 4);
    EXPECT_EQ(store.strokeCounts[4], 0);
}

TEST(LookupSurname, OverlongSurnameStaysWithinSixPositions) {
    JudgementStore store = StoreWith(kEntries);
    store.currentSurname = u"白鳥田中林一郎翔";
    LookupSurname(store);
    EXPECT_EQ(store.surnameLength, 8);
    EXPECT_EQ(store.nameChars[6], u"一");
    store.currentGivenName = u"杏";
    LookupGivenName(store);  // has no position left, and must not write past the sixth
    EXPECT_EQ(store.nameChars[6], u"一");
}

TEST(LookupGivenName, FollowsTheSurnameAndLeavesItAlone) {
    JudgementStore store = StoreWith(kEntries);
    store.currentSurname = u"白鳥";
    LookupSurname(store);
    store.strokeCounts[1] = 99;  // as the registration dialog may have set it
    store.currentGivenName = u"杏奈";
    LookupGivenName(store);
    EXPECT_EQ(store.givenNameLength, 2);
    EXPECT_EQ(store.strokeCounts[1], 99);
    EXPECT_EQ(store.nameChars[3], u"杏");
    EXPECT_EQ(store.strokeCounts[4], 8);
    EXPECT_TRUE(store.nameChars[5].empty());
}

TEST(LookupGivenName, ThreeAfterThreeFillsPositionsFourToSix) {
    JudgementStore store = StoreWith(kEntries);
    store.currentSurname = u"白鳥林";
    LookupSurname(store);
    store.currentGivenName = u"杏奈翔";
    LookupGivenName(store);
    EXPECT_EQ(store.strokeCounts[4], 7);
    EXPECT_EQ(store.strokeCounts[5], 8);
    EXPECT_EQ(store.strokeCounts[6], 13);
}

TEST(CollectUnregisteredChars, ListsTheSelectedPartInNameOrder) {
    JudgementStore store = StoreWith(kEntries);
    store.currentSurname = u"犬白猫";
    LookupSurname(store);
    store.currentGivenName = u"杏子";
    LookupGivenName(store);

    CollectUnregisteredChars(store, NamePart::GivenName);
    EXPECT_EQ(store.unregisteredChars[1], u"子");
    EXPECT_TRUE(store.unregisteredChars[2].empty());

    CollectUnregisteredChars(store, NamePart::Surname);
    EXPECT_EQ(store.unregisteredChars[1], u"犬");
    EXPECT_EQ(store.unregisteredChars[2], u"猫");
    EXPECT_TRUE(store.unregisteredChars[3].empty());
}

}  // namespace
}  // namespace namori
