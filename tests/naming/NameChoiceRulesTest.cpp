#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>

#include "analysis/ReferenceTables.h"
#include "data/AvoidedKanjiFile.h"
#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/KanjiDictionaryFile.h"
#include "data/SpiritTableFile.h"
#include "naming/LuckyStrokes.h"
#include "naming/NameCandidates.h"
#include "naming/NameGuide.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::U16;

const std::filesystem::path kNaming =
    std::filesystem::path(NAMORI_SOURCE_DIR) / "assets" / "naming";

class ShippedNameChoices : public ::testing::Test {
  protected:
    void SetUp() override {
        LoadSpiritNumbers(tables_, testing::ShippedDataFolder());
        LoadKanjiDictionary(tables_, testing::ShippedDataFolder());
    }
    std::vector<NameCandidate> Ranked(std::u16string_view surname, std::u16string_view reading,
                                      SexFilter sex) {
        return JudgeAndRank(tables_, surname,
                            GenerateCandidates(index_, reading, sex, false, &guide_), false, {});
    }
    // Whether the default list (or, with rare, the long list) of reading holds spelling.
    bool Lists(const char* reading, SexFilter sex, const char* spelling, bool rare) const {
        const auto listed = GenerateCandidates(index_, U16(reading), sex, rare, &guide_);
        return std::any_of(listed.begin(), listed.end(),
                           [&](const NameCandidate& c) { return c.spelling == U16(spelling); });
    }
    ReferenceTables tables_;
    const NamingIndex index_ = NamingIndex::Open({kNaming});
    const NameGuide guide_ = NameGuide::Open({kNaming, testing::ShippedDataFolder()});
};

// Candidates come from the three naming files: every spelling in them, under every reading, is
// lawful; so are the candidates of a few readings and every example of the lucky patterns.
TEST_F(ShippedNameChoices, NoUnlawfulKanjiInAnyCandidateOrExample) {
    for (const char* file : {kRealNamesFile, kKanjiReadingsFile, kPopularNamesFile}) {
        const std::u16string text =
            DecodeDataFile(testing::FileBytes(kNaming / std::filesystem::u8path(file)), file);
        std::size_t lines = 0;
        for (std::size_t at = 0; at < text.size(); at = text.find(u'\n', at) + 1, ++lines) {
            const std::size_t spelling = text.find(u',', at) + 1;
            const std::u16string_view field(text.data() + spelling,
                                            text.find(u',', spelling) - spelling);
            ASSERT_EQ(UnlawfulKanji(field, guide_), u"") << file << " " << lines;
        }
        EXPECT_GT(lines, 10u);
    }
    for (const char* reading : {"はると", "ひまり", "れん", "みなと", "さくら", "あおい", "ゆい"}) {
        for (const NameCandidate& candidate :
             GenerateCandidates(index_, U16(reading), SexFilter::Either, false, &guide_)) {
            ASSERT_EQ(UnlawfulKanji(candidate.spelling, guide_), u"") << reading;
        }
    }
    for (int strokes = 1; strokes <= kMaxPatternStrokes; ++strokes) {
        const std::vector<char16_t> kanji = KanjiOfStrokes(tables_.dictionary, strokes, &guide_);
        EXPECT_EQ(UnlawfulKanji(std::u16string(kanji.begin(), kanji.end()), guide_), u"");
    }
    EXPECT_EQ(UnlawfulKanji(u"斂咸陽聰", guide_), u"斂咸聰");
}

// The name dictionary gives some of these to the other sex only.
TEST_F(ShippedNameChoices, SexIsAHintNotAWall) {
    const struct {
        const char* reading;
        const char* spelling;
        SexFilter sex;
    } rows[] = {
        {"れん", "蓮", SexFilter::Male},     {"りく", "陸", SexFilter::Male},
        {"みなと", "湊", SexFilter::Male},   {"いつき", "樹", SexFilter::Male},
        {"あおい", "碧", SexFilter::Male},   {"あおい", "蒼", SexFilter::Male},
        {"そら", "空", SexFilter::Male},     {"りん", "凛", SexFilter::Female},
        {"あおい", "葵", SexFilter::Female}, {"ひまり", "陽葵", SexFilter::Female},
        {"つむぎ", "紬", SexFilter::Female},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.spelling);
        const auto candidates =
            GenerateCandidates(index_, U16(row.reading), row.sex, false, &guide_);
        EXPECT_TRUE(std::any_of(candidates.begin(), candidates.end(),
                                [&row](const auto& c) { return c.spelling == U16(row.spelling); }));
    }
}

// A popular spelling is never below an odd composition, is among the first ten and has a reading
// split; a rare real ateji (one dictionary entry, a kanji seldom written for its piece) is only in
// the long list.
TEST_F(ShippedNameChoices, PopularSpellingsComeFirst) {
    const struct {
        const char* surname;
        const char* reading;
        SexFilter sex;
        const char* popular;  // or usual
        const char* odd;      // a real but rare spelling, when the default list has one
    } rows[] = {
        {"佐藤", "はると", SexFilter::Male, "陽翔", "春杜"},
        {"佐藤", "ひまり", SexFilter::Female, "陽葵", "日満里"},
        {"鈴木", "れん", SexFilter::Male, "蓮", nullptr},
        {"田中", "みなと", SexFilter::Male, "湊", "皆十"},
        {"高橋", "さくら", SexFilter::Female, "咲良", "沙紅羅"},
        {"高橋", "さくら", SexFilter::Female, "桜", "咲空良"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reading);
        const auto ranked = Ranked(U16(row.surname), U16(row.reading), row.sex);
        const auto firstComposition = std::find_if(ranked.begin(), ranked.end(), [](const auto& c) {
            return c.kind == CandidateKind::Composition;
        });
        const auto lastPopular = std::find_if(ranked.rbegin(), ranked.rend(), [](const auto& c) {
            return c.band == NameBand::Popular;
        });
        ASSERT_NE(lastPopular, ranked.rend());
        EXPECT_LT(ranked.rend() - lastPopular, firstComposition - ranked.begin() + 1);
        const auto at = [&ranked](const char* spelling) {
            return std::find_if(ranked.begin(), ranked.end(),
                                [&](const auto& c) { return c.spelling == U16(spelling); });
        };
        EXPECT_LT(at(row.popular) - ranked.begin(), 10);
        if (row.odd != nullptr) {
            EXPECT_EQ(at(row.odd), ranked.end());
        }
        for (const NameCandidate& candidate : ranked) {
            EXPECT_TRUE(candidate.band != NameBand::Popular ||
                        !ReadingSplitText(candidate).empty());
        }
    }
}

// Where a spelling stands in the default list of a reading; far down when it is not there.
std::ptrdiff_t PlaceOf(const std::vector<NameCandidate>& ranked, const char* spelling) {
    const auto found = std::find_if(ranked.begin(), ranked.end(),
                                    [&](const auto& c) { return c.spelling == U16(spelling); });
    return found == ranked.end() ? PTRDIFF_MAX : found - ranked.begin();
}

// A ranking row ranks a name for the main reading the report gives first; a further reading it
// lists is no 人気 (葵: あおい, then めい, 明治安田生命 2016; 陽翔: はると, then ひなた, 2017
// and 2023; 陽大: ひなた, then はると, 2017), but still a spelling parents meet: よくある.
TEST_F(ShippedNameChoices, PopularOnlyForTheReadingRanked) {
    const struct {
        const char* reading;
        const char* spelling;
        SexFilter sex;
        NameBand band;
    } rows[] = {
        {"めい", "葵", SexFilter::Female, NameBand::Common},
        {"ひなた", "陽翔", SexFilter::Male, NameBand::Common},
        {"はると", "陽大", SexFilter::Male, NameBand::Common},
        {"あおい", "葵", SexFilter::Female, NameBand::Popular},
        {"はると", "陽翔", SexFilter::Male, NameBand::Popular},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.spelling);
        const auto ranked = Ranked(u"佐藤", U16(row.reading), row.sex);
        const std::ptrdiff_t at = PlaceOf(ranked, row.spelling);
        ASSERT_NE(at, PTRDIFF_MAX);
        EXPECT_EQ(ranked[static_cast<std::size_t>(at)].band, row.band);
    }
}

struct Misfit {
    const char* reading;
    SexFilter sex;
    const char* spelling;
};

// A kanji real names give mostly to the other sex (雄, 男 and 夫 to boys; 妃 to girls) keeps a
// spelling out of the first twenty; a kanji both sexes' rankings hold does not. A real name with
// such a kanji (治 and 義 for a girl, 衣 for a boy) is only in the long list, as such a
// composition is.
TEST_F(ShippedNameChoices, KanjiOfTheOtherSexKeepASpellingOutOfTheFirstTwenty) {
    const Misfit rows[] = {
        {"みお", SexFilter::Female, "海雄"},   {"みお", SexFilter::Female, "美男"},
        {"あさひ", SexFilter::Male, "亜紗妃"}, {"あさひ", SexFilter::Male, "浅妃"},
        {"あおい", SexFilter::Male, "愛夫衣"}, {"いおり", SexFilter::Male, "衣男莉"},
        {"こはる", SexFilter::Female, "子治"}, {"つむぎ", SexFilter::Female, "紡義"},
        {"いつき", SexFilter::Male, "衣都紀"},
    };
    for (const Misfit& row : rows) {
        SCOPED_TRACE(row.spelling);
        EXPECT_GE(PlaceOf(Ranked(u"鈴木", U16(row.reading), row.sex), row.spelling), 20);
    }
    for (const Misfit& row : std::span(rows).last(3)) {
        SCOPED_TRACE(row.spelling);
        EXPECT_FALSE(Lists(row.reading, row.sex, row.spelling, false));
        EXPECT_TRUE(Lists(row.reading, row.sex, row.spelling, true));
    }
    EXPECT_LT(PlaceOf(Ranked(u"鈴木", u"ひなた", SexFilter::Male), "陽向"), 20);
}

// An ordinary word read otherwise, whole or as a part of a spelling (子葉 cotyledon in 子葉瑠,
// 六 six), keeps it out of the first twenty; so does a kanji parents avoid (無 nothing).
TEST_F(ShippedNameChoices, OrdinaryWordsKeepASpellingOutOfTheFirstTwenty) {
    const Misfit rows[] = {
        {"こはる", SexFilter::Female, "子葉瑠"},
        {"りく", SexFilter::Male, "六"},
        {"つむぎ", SexFilter::Female, "都無儀"},
    };
    for (const Misfit& row : rows) {
        SCOPED_TRACE(row.spelling);
        EXPECT_GE(PlaceOf(Ranked(u"鈴木", U16(row.reading), row.sex), row.spelling), 20);
    }
}

// A spelling whose kanji read their pieces as few real names read them is read as another name
// (明生 あきお, 深愛 みあ, 陽翔 はると): only in the long list, or, when ranked for
// another reading, after the other よくある spellings. So is a ranked spelling under a reading
// the rankings never give it (藍 is ranked as らん, 蒼空 as そら), and a name few bear whose
// kanji read so in few of their names (李 もも, 愛 め). Today's readings of the rankings stay (心
// こ, 悠 はる).
TEST_F(ShippedNameChoices, SpellingsReadAsAnotherNameAreNotOffered) {
    const struct {
        const char* reading;
        SexFilter sex;
        const char* spelling;
        bool offered;
    } rows[] = {
        {"あおい", SexFilter::Male, "明生", false}, {"あおい", SexFilter::Male, "安生", false},
        {"みお", SexFilter::Female, "深愛", false}, {"こはる", SexFilter::Female, "心春", true},
        {"はると", SexFilter::Male, "悠人", true},  {"ゆい", SexFilter::Female, "結衣", true},
        {"みお", SexFilter::Female, "美桜", true},  {"あおい", SexFilter::Male, "藍", false},
        {"あおい", SexFilter::Male, "蒼空", false}, {"ももか", SexFilter::Female, "李香", false},
        {"ゆめ", SexFilter::Female, "夕愛", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.spelling);
        const auto ranked = Ranked(u"渡辺", U16(row.reading), row.sex);
        EXPECT_EQ(PlaceOf(ranked, row.spelling) != PTRDIFF_MAX, row.offered);
    }
    const auto hinata = Ranked(u"渡辺", u"ひなた", SexFilter::Male);
    const std::ptrdiff_t misread = PlaceOf(hinata, "陽翔");
    ASSERT_NE(misread, PTRDIFF_MAX);
    EXPECT_EQ(hinata[static_cast<std::size_t>(misread)].standing, SpellingStanding::Demoted);
}

// A composition is offered by default only when each kanji is in two or more ranked spellings:
// 琥, 虎 and 朔 are each in one (tools/popular_names.tsv), 湊 and 翔 in several.
TEST_F(ShippedNameChoices, CompositionsNeedKanjiOfSeveralRankedNames) {
    const Misfit hidden[] = {
        {"こはる", SexFilter::Female, "琥陽"},
        {"こはる", SexFilter::Female, "虎晴"},
        {"さくら", SexFilter::Female, "朔空"},
    };
    for (const Misfit& row : hidden) {
        SCOPED_TRACE(row.spelling);
        EXPECT_EQ(PlaceOf(Ranked(u"鈴木", U16(row.reading), row.sex), row.spelling), PTRDIFF_MAX);
        EXPECT_TRUE(Lists(row.reading, row.sex, row.spelling, true));
    }
    EXPECT_NE(PlaceOf(Ranked(u"鈴木", u"みなと", SexFilter::Male), "湊翔"), PTRDIFF_MAX);
}

// The first ten of a reading hold no three-kanji composition: the one- and two-kanji spellings
// parents write come first.
TEST_F(ShippedNameChoices, ThreeKanjiCompositionsDoNotFillTheFirstTen) {
    for (const char* reading : {"あおい", "みなと", "そうた", "あさひ", "ひなた", "こはる"}) {
        SCOPED_TRACE(reading);
        const SexFilter sex = U16(reading) == u"こはる" ? SexFilter::Female : SexFilter::Male;
        const auto ranked = Ranked(u"高橋", U16(reading), sex);
        for (std::size_t at = 0; at < std::min<std::size_t>(10, ranked.size()); ++at) {
            EXPECT_FALSE(ranked[at].kind == CandidateKind::Composition &&
                         ranked[at].spelling.size() == 3)
                << at;
        }
    }
}

// A spelling the rankings list (any year or rank; under a reading they give, or any reading
// when they give none) is at least よくある; a real name of the name dictionary is offered, at
// the least with --all when its kanji do not read so. Several bearers and natural writings
// suffice when the piece has many (こう: 康太, 浩太); so does a one-kanji name read as the
// dictionary reads the kanji (巧 たくみ).
TEST_F(ShippedNameChoices, ListedNamesAreReachable) {
    const struct {
        const char* reading;
        SexFilter sex;
        const char* spelling;
        bool ranked;     // in the rankings: よくある at least
        bool everyList;  // in the default list, not only with --all
    } rows[] = {
        {"そうた", SexFilter::Male, "颯太", true, true},
        {"みお", SexFilter::Female, "美桜", true, true},
        {"こはる", SexFilter::Female, "小春", false, true},
        {"あさひ", SexFilter::Male, "旭", false, true},
        {"あさひ", SexFilter::Male, "朝日", false, true},
        {"みなと", SexFilter::Male, "湊人", false, false},
        {"ひなた", SexFilter::Either, "日向", false, false},
        {"こうた", SexFilter::Male, "康太", false, true},
        {"こうた", SexFilter::Male, "浩太", false, true},
        {"たくみ", SexFilter::Male, "巧", false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.spelling);
        const auto all = GenerateCandidates(index_, U16(row.reading), row.sex, true, &guide_);
        const auto shown = GenerateCandidates(index_, U16(row.reading), row.sex, false, &guide_);
        const auto found = std::find_if(
            all.begin(), all.end(), [&](const auto& c) { return c.spelling == U16(row.spelling); });
        ASSERT_NE(found, all.end());
        EXPECT_TRUE(!row.everyList || std::any_of(shown.begin(), shown.end(), [&](const auto& c) {
            return c.spelling == U16(row.spelling);
        }));
        if (row.ranked) {
            EXPECT_LE(found->band, NameBand::Common);
        }
    }
}

// With a small guide: what the avoid list, the law and the ordinary-word rule drop, and the
// popular spellings they keep.
TEST(NameGuideRules, AvoidedUnlawfulAndMisreadSpellingsAreDroppedPopularOnesKept) {
    const NamingIndex index = NamingIndex::FromBytes(
        *EncodeCp932(u"あさひ,朝陽,g,5\r\nあさひ,朝日,g,5\r\nあさひ,死陽,g,1\r\n"
                     u"はると,玄人,g,3\r\nはると,斂人,g,1\r\nはると,晴人,g,2\r\n"),
        *EncodeCp932(u"名前数,100\r\nあさ,朝,k,9\r\nと,人,n,5\r\nはる,晴,n,30\r\nひ,日,k,9\r\n"));
    const NameGuide guide = NameGuide::FromBytes(
        *EncodeCp932(u"玄,常用,3,0\r\n死,常用,0,0\r\n人,常用,40,0\r\n晴,常用,30,0\r\n"
                     u"朝,常用,9,0\r\n日,常用,9,0\r\n陽,人名用,20,0\r\n"),
        *EncodeCp932(u"あさひ,朝陽,m,100\r\n"),
        *EncodeCp932(u"玄人,くろうと,1\r\n朝陽,ちょうよう,1\r\n朝日,あさひ,1\r\n"), u"死");
    const struct {
        const char* reading;
        const char* spelling;
        bool offered;
    } rows[] = {
        {"あさひ", "朝陽", true},  // a word read otherwise, but popular
        {"あさひ", "朝日", true},  // a word read so
        {"あさひ", "死陽", false}, {"はると", "玄人", false},
        {"はると", "斂人", false}, {"はると", "晴人", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.spelling);
        const auto candidates =
            GenerateCandidates(index, U16(row.reading), SexFilter::Male, false, &guide);
        EXPECT_EQ(std::any_of(candidates.begin(), candidates.end(),
                              [&row](const auto& c) { return c.spelling == U16(row.spelling); }),
                  row.offered);
    }
}

// With a small guide: a kanji read as a piece that few of its real names read (穂 お, 6 of 400)
// keeps a real name out of the default list, unless a ranked spelling reads it so (the kanji
// index's fifth field: 心 こ); a four-field line still reads.
TEST(NameGuideRules, PiecesSeldomReadSoNeedRankedSpellings) {
    const NamingIndex index = NamingIndex::FromBytes(
        *EncodeCp932(u"こはる,心春,f,3\r\nみお,美穂,f,5\r\nみお,美緒,f,3\r\n"),
        *EncodeCp932(u"名前数,1000\r\nお,穂,c,6\r\nお,緒,n,60\r\nこ,心,c,0,1\r\n"
                     u"はる,春,n,90,0\r\nみ,美,n,200\r\n"));
    const NameGuide guide = NameGuide::FromBytes(
        *EncodeCp932(u"春,常用,100,0\r\n緒,人名用,80,0\r\n心,常用,50,0\r\n美,常用,300,0\r\n"
                     u"穂,常用,400,0\r\n"),
        *EncodeCp932(u"はると,陽翔,m,100\r\n"), *EncodeCp932(u"朝日,あさひ,1\r\n"), u"");
    const struct {
        const char* reading;
        const char* spelling;
        bool shown;  // in the default list; every one is in the long list
    } rows[] = {
        {"みお", "美穂", false},
        {"みお", "美緒", true},
        {"こはる", "心春", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.spelling);
        const auto has = [&row](const std::vector<NameCandidate>& list) {
            return std::any_of(list.begin(), list.end(),
                               [&row](const auto& c) { return c.spelling == U16(row.spelling); });
        };
        EXPECT_EQ(
            has(GenerateCandidates(index, U16(row.reading), SexFilter::Female, false, &guide)),
            row.shown);
        EXPECT_TRUE(
            has(GenerateCandidates(index, U16(row.reading), SexFilter::Female, true, &guide)));
    }
}

TEST(AvoidedKanjiFile, FaultsNameTheFileAndLine) {
    const struct {
        const char* text;
        const char* message;  // nullptr: read without error
    } rows[] = {
        {"死,死\n病,病気\n", nullptr},
        {"死,死\n病気,病気\n", "「避ける漢字.txt」の2行目"},
        {nullptr, "避ける漢字.txt"},
    };
    for (const auto& row : rows) {
        testing::TempFolder folder;
        if (row.text != nullptr) {
            folder.WriteCp932("避ける漢字.txt", row.text);
        }
        std::string message;
        try {
            EXPECT_EQ(ReadAvoidedKanji(folder.path()), u"死病");
        } catch (const DataFileError& error) {
            message = error.what();
        }
        if (row.message == nullptr) {
            EXPECT_EQ(message, "");
        } else {
            EXPECT_NE(message.find(row.message), std::string::npos) << message;
        }
    }
}

}  // namespace
}  // namespace namori
