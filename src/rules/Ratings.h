#pragma once

#include <array>
#include <string_view>

namespace namori {

struct LuckNumbers;
struct SpiritTable;

enum class Rating { Favourable, Middling, Unfavourable };

inline constexpr std::u16string_view kGoodMark = u"◎";
inline constexpr std::u16string_view kMixedMark = u"○";
inline constexpr std::u16string_view kBadMark = u"△";

// Rates the marks of 主運, 初運, 助運 and 総運: unfavourable when any is "△", else middling
// when any is "○", else favourable. Other texts do not count.
Rating RateLuckMarks(const std::array<std::u16string_view, 4>& marks);

// Unfavourable for the three misfortunes, favourable otherwise.
Rating RateFiveElements(std::u16string_view elementVerdict);

// Favourable for "幸運陰陽", middling for the neutral "－－－－", unfavourable for the five
// unlucky categories; any other text is favourable.
Rating RateYinYang(std::u16string_view yinYangVerdict);

// A face's points when names are ranked: favourable 2, middling 1, unfavourable 0.
int RatingPoints(Rating rating);

// A face as one word, as the windows and the terminal show it: "良", "中", "悪".
std::u16string_view RatingWord(Rating rating);

// A face as a name for machine-readable output: "favourable", "middling", "unfavourable".
std::string_view RatingName(Rating rating);

// The three faces of a judgement: the luck numbers' marks in table, the five-element verdict,
// the yin-yang verdict.
std::array<Rating, 3> RateJudgement(const LuckNumbers& luck, const SpiritTable& table,
                                    std::u16string_view elementVerdict,
                                    std::u16string_view yinYangVerdict);

}  // namespace namori
