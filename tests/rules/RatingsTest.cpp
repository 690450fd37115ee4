#include "rules/Ratings.h"

#include <gtest/gtest.h>

#include "analysis/LuckNumbers.h"
#include "data/SpiritTable.h"
#include "rules/FiveElements.h"
#include "rules/YinYang.h"

namespace namori {
namespace {

TEST(RateLuckMarks, BadOutweighsMixedWhereverTheyStand) {
    const struct {
        std::array<std::u16string_view, 4> marks;
        Rating expected;
    } rows[] = {
        {{u"◎", u"◎", u"◎", u"◎"}, Rating::Favourable},
        {{u"○", u"◎", u"◎", u"◎"}, Rating::Middling},
        {{u"◎", u"◎", u"◎", u"○"}, Rating::Middling},
        {{u"○", u"◎", u"◎", u"△"}, Rating::Unfavourable},
        {{u"△", u"○", u"◎", u"◎"}, Rating::Unfavourable},
        {{u"", u"◎", u"☆", u"◎"}, Rating::Favourable},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
        EXPECT_EQ(RateLuckMarks(row.marks), row.expected);
    }
}

TEST(RateFiveElementsAndYinYang, MapEveryVerdict) {
    EXPECT_EQ(RateFiveElements(kNoElementMisfortune), Rating::Favourable);
    for (auto verdict : {kDisasterLuck, kIllnessLuck, kAccidentLuck}) {
        EXPECT_EQ(RateFiveElements(verdict), Rating::Unfavourable);
    }
    EXPECT_EQ(RateYinYang(kLuckyYinYang), Rating::Favourable);
    EXPECT_EQ(RateYinYang(kNeutralYinYang), Rating::Middling);
    for (auto verdict :
         {kSingleYinYang, kSplitYinYang, kSandwichedYinYang, kSinkingYinYang, kCalamityYinYang}) {
        EXPECT_EQ(RateYinYang(verdict), Rating::Unfavourable);
    }
}

TEST(RateJudgement, IgnoresTheAncestorRowAndReducesLargeNumbers) {
    SpiritTable table;
    for (int number = 1; number <= 81; ++number) {
        table.spiritMark[number] = u"◎";
    }
    table.spiritMark[4] = u"△";
    table.spiritMark[51] = u"○";
    LuckNumbers luck{4, 15, 15, 15, 15};
    const auto rate = [&] {
        return RateJudgement(luck, table, kNoElementMisfortune, kNeutralYinYang);
    };
    EXPECT_EQ(rate(), (std::array{Rating::Favourable, Rating::Favourable, Rating::Middling}));
    luck.totalLuck = 84;  // graded as 4
    EXPECT_EQ(rate()[0], Rating::Unfavourable);
    luck.totalLuck = 131;  // graded as 51
    EXPECT_EQ(rate()[0], Rating::Middling);
}

TEST(RatingWords, RankFavourableFirstAndNameEachFaceApart) {
    const Rating order[] = {Rating::Favourable, Rating::Middling, Rating::Unfavourable};
    for (int i = 1; i < 3; ++i) {
        EXPECT_GT(RatingPoints(order[i - 1]), RatingPoints(order[i]));
        EXPECT_NE(RatingWord(order[i - 1]), RatingWord(order[i]));
        EXPECT_NE(RatingName(order[i - 1]), RatingName(order[i]));
    }
    EXPECT_EQ(RatingWord(Rating::Favourable), u"良");
    EXPECT_EQ(RatingName(Rating::Unfavourable), "unfavourable");
}

}  // namespace
}  // namespace namori
