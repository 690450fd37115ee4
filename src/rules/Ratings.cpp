#include "rules/Ratings.h"

#include <array>

#include "analysis/LuckNumbers.h"

namespace namori {

Rating RateLuckMarks(const std::array<Mark, 4>& marks) {
    Rating rating = Rating::Favourable;
    for (Mark mark : marks) {
        if (mark == Mark::Mixed) {
            rating = Rating::Middling;
        }
        if (mark == Mark::Bad) {
            return Rating::Unfavourable;
        }
    }
    return rating;
}

Rating RateFiveElements(ElementVerdict elementVerdict) {
    return elementVerdict == ElementVerdict::NoMisfortune ? Rating::Favourable
                                                          : Rating::Unfavourable;
}

Rating RateYinYang(YinYangVerdict yinYangVerdict) {
    return yinYangVerdict == YinYangVerdict::Lucky     ? Rating::Favourable
           : yinYangVerdict == YinYangVerdict::Neutral ? Rating::Middling
                                                       : Rating::Unfavourable;
}

Rating RatingOfMark(Mark mark) {
    return mark == Mark::Bad     ? Rating::Unfavourable
           : mark == Mark::Mixed ? Rating::Middling
                                 : Rating::Favourable;
}

int RatingPoints(Rating rating) {
    constexpr std::array<int, 3> kPoints{2, 1, 0};  // in Rating's order
    return kPoints[static_cast<std::size_t>(rating)];
}

std::array<Rating, 3> RateJudgement(const LuckNumbers& luck, const SpiritTable& table,
                                    ElementVerdict elementVerdict, YinYangVerdict yinYangVerdict) {
    return {RateLuckMarks({table.MarkOf(luck.mainLuck), table.MarkOf(luck.earlyLuck),
                           table.MarkOf(luck.assistLuck), table.MarkOf(luck.totalLuck)}),
            RateFiveElements(elementVerdict), RateYinYang(yinYangVerdict)};
}

}  // namespace namori
