#include "data/KanjiDictionaryFile.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "analysis/ReferenceTables.h"
#include "data/DataFileError.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::TempFolder;

std::string Entries(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "\"漢\"," + std::to_string(i % 30 + 1) + "\n";
    }
    return text;
}

DataFileError LoadFailure(const std::string& utf8Text) {
    TempFolder folder;
    folder.WriteCp932("漢字辞書.txt", utf8Text);
    ReferenceTables tables;
    try {
        LoadKanjiDictionary(tables, folder.path());
    } catch (const DataFileError& error) {
        return error;
    }
    ADD_FAILURE() << "loaded without error: " << utf8Text;
    return DataFileError("", 0, "");
}

TEST(LoadKanjiDictionary, QuotedAndHandWrittenFormsLoadTheSameEntries) {
    TempFolder folder;
    folder.WriteCp932("漢字辞書.txt", "\"白\",5\n鳥,11\n  杏 , 7\n奈\n8\n\"一\",1,\"二\",2\n");
    ReferenceTables tables;
    LoadKanjiDictionary(tables, folder.path());
    const KanjiDictionary& dictionary = tables.dictionary;
    ASSERT_EQ(dictionary.dictCount(), 6);
    EXPECT_EQ(dictionary.dictKanji(1), u"白");
    EXPECT_EQ(dictionary.dictStrokes(2), 11);
    EXPECT_EQ(dictionary.StrokesOf(u"杏"), 7);
    EXPECT_EQ(dictionary.StrokesOf(u"奈"), 8);
    EXPECT_EQ(dictionary.StrokesOf(u"二"), 2);
    EXPECT_EQ(dictionary.StrokesOf(u"犬"), 0);
}

TEST(LoadKanjiDictionary, EmptyFileAndBlankLines) {
    TempFolder folder;
    folder.WriteCp932("漢字辞書.txt", "");
    ReferenceTables tables;
    LoadKanjiDictionary(tables, folder.path());
    EXPECT_EQ(tables.dictionary.dictCount(), 0);
    EXPECT_EQ(tables.dictionary.StrokesOf(u"白"), 0);

    folder.WriteCp932("漢字辞書.txt", "\n\"白\",5\n\n\"鳥\",11\n\n\n");
    LoadKanjiDictionary(tables, folder.path());
    EXPECT_EQ(tables.dictionary.dictCount(), 2);
    EXPECT_EQ(tables.dictionary.StrokesOf(u"鳥"), 11);
}

TEST(LoadKanjiDictionary, HoldsAtMost2000Entries) {
    TempFolder folder;
    folder.WriteCp932("漢字辞書.txt", Entries(2000));
    ReferenceTables tables;
    LoadKanjiDictionary(tables, folder.path());
    EXPECT_EQ(tables.dictionary.dictCount(), 2000);

    const DataFileError error = LoadFailure(Entries(2001));
    EXPECT_EQ(error.line(), 2001);
    EXPECT_NE(error.problem().find("2000"), std::string::npos);
}

TEST(LoadKanjiDictionary, LaterEntriesOverrideEarlierOnes) {
    TempFolder folder;
    folder.WriteCp932("漢字辞書.txt", "\"漢\",12\n\"字\",6\n\"漢\",13\n\"字\",0\n");
    ReferenceTables tables;
    LoadKanjiDictionary(tables, folder.path());
    EXPECT_EQ(tables.dictionary.StrokesOf(u"漢"), 13);
    EXPECT_EQ(tables.dictionary.StrokesOf(u"字"), 0);  // a count of 0 means unknown
}

TEST(LoadKanjiDictionary, RefusesMalformedFilesNamingTheLine) {
    EXPECT_EQ(LoadFailure("\"白\",5\n\"鳥\"\n").line(), 2);  // ends between kanji and count
    EXPECT_EQ(LoadFailure("\"白\",5\n\"鳥\",十一\n").line(), 2);
    EXPECT_EQ(LoadFailure("\"白\",-5\n").line(), 1);
    EXPECT_EQ(LoadFailure("\"白\",40000\n").line(), 1);
    for (const char* tooMany : {"150", "32767", "99.5"}) {
        EXPECT_EQ(LoadFailure("\"白\",5\n\"鳥\"\n" + std::string(tooMany) + "\n").line(), 3);
    }
    EXPECT_EQ(LoadFailure("\"白,5\n").line(), 1);  // quote never closed
}

TEST(LoadKanjiDictionary, RoundsDecimalCountsHalfToEven) {
    TempFolder folder;
    folder.WriteCp932("漢字辞書.txt", "\"甲\",12.5\n\"乙\",13.5\n\"丙\",7.6\n");
    ReferenceTables tables;
    LoadKanjiDictionary(tables, folder.path());
    EXPECT_EQ(tables.dictionary.StrokesOf(u"甲"), 12);
    EXPECT_EQ(tables.dictionary.StrokesOf(u"乙"), 14);
    EXPECT_EQ(tables.dictionary.StrokesOf(u"丙"), 8);
}

TEST(LoadKanjiDictionary, MissingOrUndecodableFilesFailAndKeepTheOldDictionary) {
    TempFolder folder;
    ReferenceTables tables;
    tables.dictionary.Assign({{u"白", 5}});
    try {
        LoadKanjiDictionary(tables, folder.path());
        FAIL() << "no error";
    } catch (const DataFileError& error) {
        EXPECT_EQ(error.fileName(), "漢字辞書.txt");
        EXPECT_EQ(error.line(), 0);
    }
    folder.WriteBytes("漢字辞書.txt", "\"\x94\x92\",5\r\n\"\xff\",3\r\n");
    try {
        LoadKanjiDictionary(tables, folder.path());
        FAIL() << "no error";
    } catch (const DataFileError& error) {
        EXPECT_EQ(error.line(), 2);
    }
    EXPECT_EQ(tables.dictionary.StrokesOf(u"白"), 5);
}

TEST(LoadKanjiDictionary, UpperCaseExtensionIsTheSameFile) {
    TempFolder folder;
    folder.WriteCp932("漢字辞書.TXT", "\"杏\",7\n");
    ReferenceTables tables;
    LoadKanjiDictionary(tables, folder.path());
    EXPECT_EQ(tables.dictionary.StrokesOf(u"杏"), 7);
}

TEST(KanjiDictionary, IndexedLookupEqualsAFullScan) {
    // Random dictionaries over a small alphabet, with repeats, empty texts, counts of 0 and
    // entries of two characters: every lookup must equal the front-to-back scan.
    std::mt19937 random(20261207);
    const std::u16string alphabet = u"白鳥杏奈漢字１ー";
    for (int round = 0; round < 200; ++round) {
        std::vector<DictionaryEntry> entries;
        const int count = static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) {
            std::u16string kanji;
            const int length = static_cast<int>(random() % 10 == 0 ? random() % 3 : 1);
            for (int k = 0; k < length; ++k) {
                kanji += alphabet[random() % alphabet.size()];
            }
            entries.push_back({kanji, static_cast<std::int16_t>(random() % 25)});
        }
        KanjiDictionary dictionary;
        dictionary.Assign(entries);
        for (std::u16string probe : {std::u16string(), std::u16string(u"白鳥")}) {
            EXPECT_EQ(dictionary.StrokesOf(probe), dictionary.StrokesByScan(probe));
        }
        for (char16_t c : alphabet) {
            const std::u16string probe(1, c);
            EXPECT_EQ(dictionary.StrokesOf(probe), dictionary.StrokesByScan(probe));
        }
    }
}

}  // namespace
}  // namespace namori
