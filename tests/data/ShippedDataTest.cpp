#include <gtest/gtest.h>

#include <map>
#include <set>

#include "analysis/ReferenceTables.h"
#include "data/Cp932.h"
#include "data/DataFiles.h"
#include "data/FieldReader.h"
#include "data/KanjiDictionaryFile.h"
#include "data/NameListFile.h"
#include "data/SpiritTableFile.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::ShippedDataFolder;

TEST(ShippedData, SpiritTableHasEveryNumberWithItsMark) {
    ReferenceTables tables;
    LoadSpiritNumbers(tables, ShippedDataFolder());
    const std::set<int> good = {1,  3,  5,  6,  7,  8,  11, 13, 15, 16, 17, 18,
                                21, 23, 24, 25, 29, 31, 32, 33, 35, 37, 38, 39,
                                41, 45, 47, 48, 52, 57, 61, 63, 65, 67, 68, 81};
    const std::set<int> mixed = {51, 53, 55, 58, 71, 73, 75, 77, 78};
    for (int number = 1; number <= 81; ++number) {
        const Mark expected = good.count(number)    ? Mark::Good
                              : mixed.count(number) ? Mark::Mixed
                                                    : Mark::Bad;
        EXPECT_EQ(tables.spiritTable.spiritMark[number], expected) << number;
        EXPECT_FALSE(tables.spiritTable.spiritPhrase[number].empty()) << number;
        for (const std::u16string& text : tables.spiritTable.furtherTexts[number]) {
            EXPECT_FALSE(text.empty()) << number;
        }
    }
    EXPECT_EQ(tables.spiritTable.spiritPhrase[48], u"英知有徳");
    for (const std::u16string& text : tables.spiritTable.trailer) {
        EXPECT_FALSE(text.empty());
    }
}

TEST(ShippedData, DictionaryLeavesRoomAndHasTheCommonCounts) {
    ReferenceTables tables;
    LoadKanjiDictionary(tables, ShippedDataFolder());
    EXPECT_LE(tables.dictionary.dictCount(), KanjiDictionary::kCapacity - 150);
    EXPECT_GE(tables.dictionary.dictCount(), 1500);
    const std::pair<std::u16string_view, int> samples[] = {
        {u"白", 5}, {u"鳥", 11}, {u"杏", 7},  {u"奈", 8},  {u"漢", 13}, {u"藤", 18},
        {u"々", 3}, {u"佐", 7},  {u"齋", 17}, {u"髙", 10}, {u"﨑", 12}};
    for (const auto& [kanji, strokes] : samples) {
        EXPECT_EQ(tables.dictionary.StrokesOf(kanji), strokes);
    }
    // Every entry is one character with a usable count, and none is repeated.
    std::set<std::u16string> seen;
    for (const DictionaryEntry& entry : tables.dictionary.entries()) {
        EXPECT_EQ(entry.kanji.size(), 1u);
        EXPECT_GE(entry.strokes, 1);
        EXPECT_TRUE(seen.insert(entry.kanji).second);
    }
}

TEST(ShippedData, StrokeReferenceTableCoversTheDictionaryWithTheSameCounts) {
    // The reference table has the dictionary's line form but no 2000-entry limit.
    const std::u16string text = ReadDataFile(
        ResolveDataFile(ShippedDataFolder(), kStrokeReferenceFile), "漢字画数参考.txt");
    FieldReader reader(text, "漢字画数参考.txt");
    std::map<std::u16string, int> reference;
    while (!reader.AtEnd()) {
        std::u16string kanji = reader.ReadText();
        reference[kanji] = reader.ReadCount();
    }
    EXPECT_GT(reference.size(), 6000u);
    EXPECT_EQ(reference[u"漢"], 13);
    ReferenceTables tables;
    LoadKanjiDictionary(tables, ShippedDataFolder());
    int kanjiChecked = 0;
    for (const DictionaryEntry& entry : tables.dictionary.entries()) {
        const auto found = reference.find(entry.kanji);
        if (found != reference.end()) {
            EXPECT_EQ(found->second, entry.strokes) << Utf16ToUtf8(entry.kanji);
            ++kanjiChecked;
        }
    }
    EXPECT_GT(kanjiChecked, 1500);
}

TEST(ShippedData, DefaultListsStartWithTheWorkedExampleAndJudgeWithoutRegistration) {
    ReferenceTables tables;
    LoadKanjiDictionary(tables, ShippedDataFolder());
    const auto surnames = ReadNameList(ShippedDataFolder(), kSurnameListFile);
    const auto givenNames = ReadNameList(ShippedDataFolder(), kGivenNameListFile);
    ASSERT_FALSE(surnames.empty());
    ASSERT_FALSE(givenNames.empty());
    EXPECT_EQ(surnames.front(), u"白鳥");
    EXPECT_EQ(givenNames.front(), u"杏奈");
    for (const auto* list : {&surnames, &givenNames}) {
        for (const std::u16string& name : *list) {
            EXPECT_GE(name.size(), 1u);
            EXPECT_LE(name.size(), 3u);
            for (char16_t character : name) {
                EXPECT_GT(tables.dictionary.StrokesOf({&character, 1}), 0) << Utf16ToUtf8(name);
            }
        }
    }
}

}  // namespace
}  // namespace namori
