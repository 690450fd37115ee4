#include "rules/Ratings.h"

#include <gtest/gtest.h>

#include "analysis/LuckNumbers.h"
#include "data/SpiritTable.h"
#include "rules/FiveElements.h"
#include "rules/VerdictWords.h"
#include "rules/YinYang.h"

namespace namori {
namespace {

TEST(RateLuckMarks, BadOutweighsMixedWhereverTheyStand) {
    const struct {
        std::array<Mark, 4> marks;
        Rating expected;
    } rows[] = {
        {{Mark::Good, Mark::Good, Mark::Good, Mark::Good}, Rating::Favourable},
        {{Mark::Mixed, Mark::Good, Mark::Good, Mark::Good}, Rating::Middling},
        {{Mark::Good, Mark::Good, Mark::Good, Mark::Mixed}, Rating::Middling},
        {{Mark::Mixed, Mark::Good, Mark::Good, Mark::Bad}, Rating::Unfavourable},
        {{Mark::Bad, Mark::Mixed, Mark::Good, Mark::Good}, Rating::Unfavourable},
        {{Mark::None, Mark::Good, Mark::None, Mark::Good}, Rating::Favourable},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
        EXPECT_EQ(RateLuckMarks(row.marks), row.expected);
    }
}

TEST(RateFiveElementsAndYinYang, MapEveryVerdict) {
    EXPECT_EQ(RateFiveElements(ElementVerdict::NoMisfortune), Rating::Favourable);
    for (auto verdict :
         {ElementVerdict::Disaster, ElementVerdict::Illness, ElementVerdict::Accident}) {
        EXPECT_EQ(RateFiveElements(verdict), Rating::Unfavourable);
    }
    EXPECT_EQ(RateYinYang(YinYangVerdict::Lucky), Rating::Favourable);
    EXPECT_EQ(RateYinYang(YinYangVerdict::Neutral), Rating::Middling);
    for (auto verdict : {YinYangVerdict::Single, YinYangVerdict::Split, YinYangVerdict::Sandwiched,
                         YinYangVerdict::Sinking, YinYangVerdict::Calamity}) {
        EXPECT_EQ(RateYinYang(verdict), Rating::Unfavourable);
    }
}

TEST(RateJudgement, IgnoresTheAncestorRowAndReducesLargeNumbers) {
    SpiritTable table;
    for (int number = 1; number <= 81; ++number) {
        table.spiritMark[number] = Mark::Good;
    }
    table.spiritMark[4] = Mark::Bad;
    table.spiritMark[51] = Mark::Mixed;
    LuckNumbers luck{4, 15, 15, 15, 15};
    const auto rate = [&] {
        return RateJudgement(luck, table, ElementVerdict::NoMisfortune, YinYangVerdict::Neutral);
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
