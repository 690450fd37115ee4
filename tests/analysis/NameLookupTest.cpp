#include "analysis/NameLookup.h"

#include <gtest/gtest.h>

#include "data/KanjiDictionary.h"
#include "data/KanjiDictionaryFile.h"

namespace namori {
namespace {

KanjiDictionary Dictionary() {
    KanjiDictionary dictionary;
    dictionary.Assign(ParseKanjiDictionary(
        u"白,5,鳥,11,杏,7,奈,8,田,5,中,4,林,8,一,1,郎,9,翔,12,～,2,翔,13", "test"));
    return dictionary;
}

TEST(LookUpName, PositionsCountsAndComplement) {
    using Counts = std::array<std::int16_t, kNamePositions>;
    const struct {
        std::u16string_view surname, givenName;
        bool complement;
        std::u16string_view judgedSurname, judgedGivenName;
        Counts counts;
    } rows[] = {
        {u"白鳥", u"杏奈", false, u"白鳥", u"杏奈", {5, 11, 7, 8, 0, 0}},
        // The last dictionary entry of a character wins.
        {u"白鳥林", u"杏奈翔", false, u"白鳥林", u"杏奈翔", {5, 11, 8, 7, 8, 13}},
        {u"林", u"一郎", true, u"１林", u"一郎", {1, 8, 1, 9, 0, 0}},
        {u"田中", u"翔", true, u"田中", u"翔１", {5, 4, 13, 1, 0, 0}},
        {u"田中", u"翔", false, u"田中", u"翔", {5, 4, 13, 0, 0, 0}},
        // A typed "１" at either end of the name counts one stroke, inside it nothing.
        {u"１林", u"杏１", false, u"１林", u"杏１", {1, 8, 7, 1, 0, 0}},
        {u"林１", u"１杏", false, u"林１", u"１杏", {8, 0, 0, 7, 0, 0}},
        // Judged as the data files hold it: a typed 〜 is the ～ of a registered entry.
        {u"白〜", u"杏", false, u"白～", u"杏", {5, 2, 7, 0, 0, 0}},
        // Longer parts never write past the sixth position.
        {u"白鳥田中林", u"杏奈", false, u"白鳥田中林", u"杏奈", {5, 11, 5, 0, 0, 7}},
    };
    const KanjiDictionary dictionary = Dictionary();
    for (const auto& row : rows) {
        NamePositions name;
        LookUpName({row.surname, row.givenName, row.complement}, dictionary, name);
        SCOPED_TRACE(std::string(name.positions(), '*'));
        EXPECT_EQ(name.currentSurname, row.judgedSurname);
        EXPECT_EQ(name.currentGivenName, row.judgedGivenName);
        EXPECT_EQ(name.surnameLength, static_cast<int>(row.judgedSurname.size()));
        EXPECT_EQ(name.totalLength,
                  static_cast<int>(row.judgedSurname.size() + row.judgedGivenName.size()));
        EXPECT_EQ(name.strokeCounts, row.counts);
        EXPECT_EQ(name.nameChars[0], row.judgedSurname.substr(0, 1));
    }
}

TEST(LookUpName, RegisteredStrokesFillThePositionsWithoutACountInOrder) {
    using Counts = std::array<std::int16_t, kNamePositions>;
    const struct {
        std::u16string_view surname, givenName;
        std::vector<std::int16_t> registered;
        Counts counts;
        std::vector<std::u16string> unregistered;
    } rows[] = {
        {u"猫田", u"犬", {11, 4}, {11, 5, 4, 0, 0, 0}, {}},
        {u"犬鳥", u"杏子", {4}, {4, 11, 7, 0, 0, 0}, {u"子"}},
        {u"犬白猫", u"杏子", {}, {0, 5, 0, 7, 0, 0}, {u"犬", u"猫", u"子"}},
        // Counts beyond the name's free positions are left out.
        {u"白鳥", u"杏奈", {3}, {5, 11, 7, 8, 0, 0}, {}},
    };
    const KanjiDictionary dictionary = Dictionary();
    for (const auto& row : rows) {
        NamePositions name;
        LookUpName({row.surname, row.givenName, false, row.registered}, dictionary, name);
        EXPECT_EQ(name.strokeCounts, row.counts) << row.registered.size();
        EXPECT_EQ(UnregisteredChars(name), row.unregistered) << row.registered.size();
    }
    // One part alone, the complement applied as in a judgement.
    EXPECT_EQ(UnregisteredCharsOfPart(NamePart::Surname, u"犬白猫", false, dictionary),
              (std::vector<std::u16string>{u"犬", u"猫"}));
    EXPECT_EQ(UnregisteredCharsOfPart(NamePart::GivenName, u"子", true, dictionary),
              (std::vector<std::u16string>{u"子"}));
    EXPECT_TRUE(UnregisteredCharsOfPart(NamePart::Surname, u"林", true, dictionary).empty());
}

}  // namespace
}  // namespace namori
