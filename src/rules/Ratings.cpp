#include "rules/Ratings.h"

#include <cstring>

#include "analysis/LuckNumbers.h"
#include "data/SpiritTable.h"
#include "rules/FiveElements.h"
#include "rules/YinYang.h"

namespace namori {

namespace {

// Equality of two texts as one memory comparison: std::u16string_view's own == goes through an
// ordering comparison, character by character, which is most of the rating's time.
bool SameText(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0;
}

}  // namespace

Rating RateLuckMarks(const std::array<std::u16string_view, 4>& marks) {
    Rating rating = Rating::Favourable;
    for (std::u16string_view mark : marks) {
        if (SameText(mark, kMixedMark)) {
            rating = Rating::Middling;
        }
        if (SameText(mark, kBadMark)) {
            return Rating::Unfavourable;
        }
    }
    return rating;
}

Rating RateFiveElements(std::u16string_view elementVerdict) {
    if (SameText(elementVerdict, kDisasterLuck) || SameText(elementVerdict, kIllnessLuck) ||
        SameText(elementVerdict, kAccidentLuck)) {
        return Rating::Unfavourable;
    }
    return Rating::Favourable;
}

Rating RateYinYang(std::u16string_view yinYangVerdict) {
    if (SameText(yinYangVerdict, kSandwichedYinYang) || SameText(yinYangVerdict, kSingleYinYang) ||
        SameText(yinYangVerdict, kSplitYinYang) || SameText(yinYangVerdict, kSinkingYinYang) ||
        SameText(yinYangVerdict, kCalamityYinYang)) {
        return Rating::Unfavourable;
    }
    if (SameText(yinYangVerdict, kNeutralYinYang)) {
        return Rating::Middling;
    }
    return Rating::Favourable;
}

int RatingPoints(Rating rating) {
    switch (rating) {
        case Rating::Favourable:
            return 2;
        case Rating::Middling:
            return 1;
        case Rating::Unfavourable:
            break;
    }
    return 0;
}

std::u16string_view RatingWord(Rating rating) {
    switch (rating) {
        case Rating::Favourable:
            return u"良";
        case Rating::Middling:
            return u"中";
        case Rating::Unfavourable:
            break;
    }
    return u"悪";
}

std::string_view RatingName(Rating rating) {
    switch (rating) {
        case Rating::Favourable:
            return "favourable";
        case Rating::Middling:
            return "middling";
        case Rating::Unfavourable:
            break;
    }
    return "unfavourable";
}

std::array<Rating, 3> RateJudgement(const LuckNumbers& luck, const SpiritTable& table,
                                    std::u16string_view elementVerdict,
                                    std::u16string_view yinYangVerdict) {
    return {RateLuckMarks({table.MarkOf(luck.mainLuck), table.MarkOf(luck.earlyLuck),
                           table.MarkOf(luck.assistLuck), table.MarkOf(luck.totalLuck)}),
            RateFiveElements(elementVerdict), RateYinYang(yinYangVerdict)};
}

}  // namespace namori
