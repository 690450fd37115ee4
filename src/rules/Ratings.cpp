#include "rules/Ratings.h"

#include "analysis/JudgementStore.h"
#include "rules/FiveElements.h"
#include "rules/YinYang.h"

namespace namori {

Rating RateLuckMarks(const std::array<std::u16string_view, 4>& marks) {
    Rating rating = Rating::Favourable;
    for (std::u16string_view mark : marks) {
        if (mark == kMixedMark) {
            rating = Rating::Middling;
        }
        if (mark == kBadMark) {
            return Rating::Unfavourable;
        }
    }
    return rating;
}

Rating RateFiveElements(std::u16string_view elementVerdict) {
    if (elementVerdict == kDisasterLuck || elementVerdict == kIllnessLuck ||
        elementVerdict == kAccidentLuck) {
        return Rating::Unfavourable;
    }
    return Rating::Favourable;
}

Rating RateYinYang(std::u16string_view yinYangVerdict) {
    if (yinYangVerdict == kSandwichedYinYang || yinYangVerdict == kSingleYinYang ||
        yinYangVerdict == kSplitYinYang || yinYangVerdict == kSinkingYinYang ||
        yinYangVerdict == kCalamityYinYang) {
        return Rating::Unfavourable;
    }
    if (yinYangVerdict == kNeutralYinYang) {
        return Rating::Middling;
    }
    return Rating::Favourable;
}

std::array<Rating, 3> RateJudgement(const JudgementStore& store) {
    const SpiritTable& table = store.spiritTable;
    return {RateLuckMarks({table.MarkOf(store.mainLuck), table.MarkOf(store.earlyLuck),
                           table.MarkOf(store.assistLuck), table.MarkOf(store.totalLuck)}),
            RateFiveElements(store.elementVerdict), RateYinYang(store.yinYangVerdict)};
}

}  // namespace namori
