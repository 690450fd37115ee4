#include "naming/NameCandidates.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/JudgementStore.h"
#include "analysis/ReferenceTables.h"
#include "data/KanjiDictionaryFile.h"
#include "data/SpiritTableFile.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

NamingIndex SmallIndex() {
    NamingIndex index;
    index.realNames[u"はると"] = {{u"陽翔", 'm', 3}, {u"晴人", 'g', 2}, {u"遥翔", 'f', 1}};
    index.kanjiByReading[u"はる"] = u"陽晴";
    index.kanjiByReading[u"は"] = u"羽";
    index.kanjiByReading[u"る"] = u"流";
    index.kanjiByReading[u"と"] = u"翔人斗";
    return index;
}

std::vector<std::u16string> Spellings(const std::vector<NameCandidate>& candidates,
                                      CandidateKind kind) {
    std::vector<std::u16string> spellings;
    for (const NameCandidate& candidate : candidates) {
        if (candidate.kind == kind) {
            spellings.push_back(candidate.spelling);
        }
    }
    return spellings;
}

TEST(GenerateCandidates, RealNamesCompositionsAndKanaEachOnce) {
    const auto candidates = GenerateCandidates(SmallIndex(), u"はると", SexFilter::Either);
    EXPECT_EQ(Spellings(candidates, CandidateKind::RealName),
              (std::vector<std::u16string>{u"陽翔", u"晴人", u"遥翔"}));
    // 陽翔 and 晴人 are real names already; the other pieces' kanji make the rest.
    const auto compositions = Spellings(candidates, CandidateKind::Composition);
    for (std::u16string_view expected :
         {u"陽斗", u"晴翔", u"晴斗", u"羽流翔", u"羽流人", u"羽流斗"}) {
        EXPECT_NE(std::find(compositions.begin(), compositions.end(), expected),
                  compositions.end());
    }
    EXPECT_EQ(compositions.size(), 4u + 3u);  // 陽人 陽斗 晴翔 晴斗, 羽流 with 翔 人 斗
    EXPECT_EQ(Spellings(candidates, CandidateKind::Kana),
              (std::vector<std::u16string>{u"はると", u"ハルト"}));
}

TEST(GenerateCandidates, SexFilterKeepsNamesForEither) {
    const auto boys = GenerateCandidates(SmallIndex(), u"はると", SexFilter::Male);
    EXPECT_EQ(Spellings(boys, CandidateKind::RealName),
              (std::vector<std::u16string>{u"陽翔", u"晴人"}));
    const auto girls = GenerateCandidates(SmallIndex(), u"はると", SexFilter::Female);
    EXPECT_EQ(Spellings(girls, CandidateKind::RealName),
              (std::vector<std::u16string>{u"晴人", u"遥翔"}));
}

TEST(GenerateCandidates, LongReadingsHaveNoKanaCandidateAndBadReadingsNone) {
    NamingIndex index = SmallIndex();
    const auto candidates = GenerateCandidates(index, u"はるはると", SexFilter::Either);
    EXPECT_TRUE(Spellings(candidates, CandidateKind::Kana).empty());
    for (std::u16string_view bad : {u"", u"ハルト", u"haruto", u"はるとはるとはると", u"春"}) {
        EXPECT_TRUE(ReadingProblem(bad).has_value());
        EXPECT_TRUE(GenerateCandidates(index, bad, SexFilter::Either).empty());
    }
    EXPECT_FALSE(ReadingProblem(u"ゆうー").has_value());
}

class JudgeAndRankTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LoadSpiritNumbers(store_, testing::ShippedDataFolder());
        store_.dictionary.Assign({{u"佐", 7},
                                  {u"藤", 18},
                                  {u"陽", 12},
                                  {u"晴", 12},
                                  {u"翔", 12},
                                  {u"人", 2},
                                  {u"斗", 4},
                                  {u"羽", 6},
                                  {u"流", 10},
                                  {u"は", 3},
                                  {u"る", 1},
                                  {u"と", 2},
                                  {u"ハ", 2},
                                  {u"ル", 2},
                                  {u"ト", 2}});
    }
    JudgementStore store_;
};

TEST_F(JudgeAndRankTest, RanksByFacesThenMarksThenRealNamesThenCommonness) {
    const auto ranked = JudgeAndRank(store_, u"佐藤",
                                     GenerateCandidates(SmallIndex(), u"はると", SexFilter::Either),
                                     false, {{u'遥', 12}});
    ASSERT_EQ(ranked.size(), 12u);
    for (std::size_t i = 1; i < ranked.size(); ++i) {
        const NameCandidate& a = ranked[i - 1];
        const NameCandidate& b = ranked[i];
        ASSERT_GE(a.score, b.score);
        if (a.score == b.score) {
            ASSERT_GE(a.markScore, b.markScore);
            if (a.markScore == b.markScore && a.kind != b.kind) {
                ASSERT_TRUE(a.kind == CandidateKind::RealName || b.kind != CandidateKind::RealName);
            }
        }
    }
    // The judgement is the judge command's: 佐藤 陽翔 = 7, 18 | 12, 12.
    const auto youto = std::find_if(ranked.begin(), ranked.end(),
                                    [](const NameCandidate& c) { return c.spelling == u"陽翔"; });
    ASSERT_NE(youto, ranked.end());
    EXPECT_EQ(youto->strokes, (std::vector<std::int16_t>{7, 18, 12, 12}));
    EXPECT_EQ(youto->luck, (std::array<int, 5>{25, 30, 24, 19, 49}));
    EXPECT_FALSE(youto->fromReference);
    // 遥 is not in the dictionary: its count comes from the reference table, and it is marked.
    const auto haruka = std::find_if(ranked.begin(), ranked.end(),
                                     [](const NameCandidate& c) { return c.spelling == u"遥翔"; });
    ASSERT_NE(haruka, ranked.end());
    EXPECT_TRUE(haruka->fromReference);
    EXPECT_EQ(haruka->strokes[2], 12);
}

TEST_F(JudgeAndRankTest, CandidatesWithCharactersNobodyKnowsAreDropped) {
    const auto ranked = JudgeAndRank(
        store_, u"佐藤", GenerateCandidates(SmallIndex(), u"はると", SexFilter::Either), false, {});
    EXPECT_EQ(ranked.size(), 11u);  // 遥翔 has no count anywhere
}

TEST_F(JudgeAndRankTest, ComplementIsAppliedAsInTheJudgeCommand) {
    NamingIndex index;
    index.kanjiByReading[u"と"] = u"斗";
    const auto ranked = JudgeAndRank(store_, u"佐藤",
                                     GenerateCandidates(index, u"と", SexFilter::Either), true, {});
    const auto toh = std::find_if(ranked.begin(), ranked.end(),
                                  [](const NameCandidate& c) { return c.spelling == u"斗"; });
    ASSERT_NE(toh, ranked.end());
    EXPECT_EQ(toh->givenName, u"斗１");
    EXPECT_EQ(toh->strokes, (std::vector<std::int16_t>{7, 18, 4, 1}));
}

TEST(ShippedNamingIndex, KnowsTheSpellingsPeopleCarry) {
    const NamingIndex index =
        LoadNamingIndex(std::filesystem::path(NAMORI_SOURCE_DIR) / "assets" / "naming");
    const auto real = [&index](std::u16string_view reading) {
        return Spellings(GenerateCandidates(index, reading, SexFilter::Either),
                         CandidateKind::RealName);
    };
    const auto haruto = real(u"はると");
    for (std::u16string_view name : {u"陽翔", u"晴人"}) {
        EXPECT_NE(std::find(haruto.begin(), haruto.end(), name), haruto.end());
    }
    const auto anna = real(u"あんな");
    EXPECT_NE(std::find(anna.begin(), anna.end(), u"杏奈"), anna.end());
    // Girls' names that are only given to girls stay out for boys.
    const auto boys =
        Spellings(GenerateCandidates(index, u"あんな", SexFilter::Male), CandidateKind::RealName);
    EXPECT_LT(boys.size(), anna.size());
    EXPECT_GE(GenerateCandidates(index, u"はると", SexFilter::Either).size(), 5000u);
}

}  // namespace
}  // namespace namori
