#pragma once

#include <string_view>

#include "analysis/NamePositions.h"
#include "analysis/ShortText.h"

namespace namori {

// The category of a yin-yang pattern: lucky, one of the five unlucky ones, or neutral.
enum class YinYangVerdict { Lucky, Single, Split, Sandwiched, Sinking, Calamity, Neutral };

inline constexpr char16_t kOddMark = u'○';
inline constexpr char16_t kEvenMark = u'●';

// The category of a pattern of "○" (odd) and "●" (even) marks. Patterns of five or six marks
// outside the tables, and patterns of fewer than two or more than six marks, are neutral.
YinYangVerdict YinYangVerdictOf(std::u16string_view pattern);

struct YinYangResult {
    ShortText<kNamePositions> yinYangPattern;
    YinYangVerdict yinYangVerdict = YinYangVerdict::Neutral;
};

// The pattern of the stroke counts down to the first empty position, and its verdict.
YinYangResult JudgeYinYang(const NamePositions& name);

}  // namespace namori
