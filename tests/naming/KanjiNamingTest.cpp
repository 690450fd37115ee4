#include <gtest/gtest.h>

#include "analysis/ReferenceTables.h"
#include "data/Cp932.h"
#include "data/KanjiDictionaryFile.h"
#include "data/SpiritTableFile.h"
#include "naming/KanjiSearch.h"
#include "naming/ReadingGrounds.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::U16;

const std::filesystem::path kNaming =
    std::filesystem::path(NAMORI_SOURCE_DIR) / "assets" / "naming";

// Expected grounds from the dictionaries' entries (KANJIDIC2 2022-08-23, EDICT and ENAMDICT
// 2021-02-03 as Debian ships them): 陽 nanori はる, 翔 kun と.ぶ and on ショウ, 心 kun こころ,
// 愛 nanori あ, 空 kun そら, 凛 on リン, 蒼 kun あお.い, 結 nanori ゆい, 大 nanori ひろ; EDICT
// 日向 [ひなた], ENAMDICT 飛鳥 [あすか] (p, a place); 美 has no reading そ; 太 and 郎 no
// reading in じょーじ. 心愛 ここあ and 美空 そら are the municipal guidance's own examples of a
// part of a reading and of a kanji not read.
TEST(ReadingGrounds, EachCharacterIsGroundedAsTheDictionariesReadIt) {
    const auto index = ReadingGroundsIndex::Open({kNaming});
    const struct {
        const char* spelling;
        const char* reading;
        const char* grounds;
    } rows[] = {
        {"陽翔", "はると", "陽=はる（名乗り）・翔=と（訓）"},
        {"翔", "しょう", "翔=しょう（音）"},
        {"凛", "りん", "凛=りん（音）"},
        {"蒼", "あおい", "蒼=あおい（訓）"},
        {"結翔", "ゆいと", "結=ゆい（名乗り）・翔=と（訓）"},
        {"大翔", "ひろと", "大=ひろ（名乗り）・翔=と（訓）"},
        {"心愛", "ここあ", "心=ここ（部分）・愛=あ（名乗り）"},
        {"飛鳥", "あすか", "飛鳥=あすか（熟字訓）"},
        {"日向", "ひなた", "日向=ひなた（熟字訓）"},
        {"美空", "そら", "美=（置き字）・空=そら（訓）"},
        {"ハル翔", "はると", "ハ=は（かな）・ル=る（かな）・翔=と（訓）"},
    };
    for (const auto& row : rows) {
        const auto grounds = GroundReading(index, U16(row.spelling), U16(row.reading));
        EXPECT_EQ(GroundsText(grounds), U16(row.grounds)) << row.spelling;
        EXPECT_FALSE(HasUngroundedReading(grounds)) << row.spelling;
    }
    // No link to the kanji's readings: said so, with the note; never an accepted reading.
    const auto george = GroundReading(index, u"太郎", u"じょーじ");
    EXPECT_TRUE(HasUngroundedReading(george));
    EXPECT_NE(GroundsText(george).find(u"根拠なし"), std::u16string::npos);
}

// Every candidate holds the kanji, is read as asked and has as many characters as asked;
// the popular spelling of the reading is found; a non-kanji or an unlawful kanji is refused.
TEST(KanjiSearch, NamesHoldTheKanjiAndKeepTheReadingAndLength) {
    const NamingIndex index = NamingIndex::Open({kNaming});
    const NameGuide guide = NameGuide::Open({kNaming, testing::ShippedDataFolder()});
    const NamesByKanjiIndex byKanji = NamesByKanjiIndex::Open({kNaming});
    const struct {
        char16_t kanji;
        const char* reading;
        SexFilter sex;
        int characters;
        const char* expected;  // a spelling that must be among them
    } rows[] = {
        {u'翔', "はると", SexFilter::Male, 0, "陽翔"},
        {u'翔', "しょうた", SexFilter::Male, 0, "翔太"},
        {u'翔', "", SexFilter::Male, 0, "大翔"},
        {u'翔', "", SexFilter::Either, 1, "翔"},
        {u'結', "", SexFilter::Female, 0, "結衣"},
        {u'凛', "りん", SexFilter::Female, 1, "凛"},
    };
    for (const auto& row : rows) {
        const auto found = GenerateKanjiCandidates(
            index, byKanji, guide, {row.kanji, U16(row.reading), row.sex, row.characters, false});
        bool expectedFound = false;
        for (const NameCandidate& candidate : found) {
            EXPECT_NE(candidate.spelling.find(row.kanji), std::u16string::npos);
            EXPECT_TRUE(*row.reading == 0 || candidate.reading == U16(row.reading));
            EXPECT_TRUE(row.characters == 0 ||
                        candidate.spelling.size() == static_cast<std::size_t>(row.characters));
            expectedFound = expectedFound || candidate.spelling == U16(row.expected);
        }
        EXPECT_TRUE(expectedFound) << row.expected;
    }
    // はると heads the boys' reading rankings and is in no girls' ranking: a girl's 陽 is not it.
    for (const NameCandidate& candidate : GenerateKanjiCandidates(
             index, byKanji, guide, {u'陽', u"", SexFilter::Female, 0, false})) {
        EXPECT_NE(candidate.reading, u"はると") << Utf16ToUtf8(candidate.spelling);
    }
    EXPECT_TRUE(KanjiProblem(u"あ", guide));
    EXPECT_TRUE(KanjiProblem(u"陽翔", guide));
    EXPECT_TRUE(KanjiProblem(u"斂", guide));
    EXPECT_FALSE(KanjiProblem(u"翔", guide));
}

}  // namespace
}  // namespace namori
