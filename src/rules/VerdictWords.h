#pragma once

#include <array>
#include <string_view>

#include "rules/FiveElements.h"
#include "rules/Ratings.h"
#include "rules/YinYang.h"

namespace namori {

// The words the windows, the terminal and the reading show for each face slot, rating and
// verdict, indexed by the enums' values: the rules never compare them, so rewording one changes
// only what is shown.
inline constexpr std::array<std::u16string_view, 3> kFaceNames{u"５運", u"５行", u"陰陽"};
inline constexpr std::array<std::u16string_view, 3> kRatingWords{u"良", u"中", u"悪"};
inline constexpr std::array<std::string_view, 3> kRatingNames{"favourable", "middling",
                                                              "unfavourable"};
inline constexpr std::array<std::u16string_view, 4> kElementVerdictWords{u"災害運", u"病気運",
                                                                         u"事故運", u"------"};
inline constexpr std::array<std::u16string_view, 7> kYinYangVerdictWords{
    u"幸運陰陽", u"単一陰陽", u"分離陰陽", u"挟み陰陽", u"浮沈陰陽", u"災難陰陽", u"－－－－"};

// The entry of value in table, which lists one for each value of the enum, in its order.
template <typename Text, std::size_t N, typename Enum>
constexpr Text ByEnum(const std::array<Text, N>& table, Enum value) {
    return table[static_cast<std::size_t>(value)];
}
constexpr std::u16string_view RatingWord(Rating rating) {
    return ByEnum(kRatingWords, rating);
}
// For machine-readable output.
constexpr std::string_view RatingName(Rating rating) {
    return ByEnum(kRatingNames, rating);
}

}  // namespace namori
