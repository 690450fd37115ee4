#pragma once

#include <array>
#include <string_view>

#include "analysis/NamePositions.h"
#include "analysis/ShortText.h"

namespace namori {

inline constexpr std::u16string_view kLuckyYinYang = u"幸運陰陽";
inline constexpr std::u16string_view kSingleYinYang = u"単一陰陽";
inline constexpr std::u16string_view kSplitYinYang = u"分離陰陽";
inline constexpr std::u16string_view kSandwichedYinYang = u"挟み陰陽";
inline constexpr std::u16string_view kSinkingYinYang = u"浮沈陰陽";
inline constexpr std::u16string_view kCalamityYinYang = u"災難陰陽";
inline constexpr std::u16string_view kNeutralYinYang = u"－－－－";
// Every verdict the yin-yang rule gives.
inline constexpr std::array<std::u16string_view, 7> kYinYangVerdicts{
    kLuckyYinYang,   kSingleYinYang,   kSplitYinYang,  kSandwichedYinYang,
    kSinkingYinYang, kCalamityYinYang, kNeutralYinYang};

inline constexpr char16_t kOddMark = u'○';
inline constexpr char16_t kEvenMark = u'●';

// The category of a pattern of "○" (odd) and "●" (even) marks. Patterns of five or six marks
// outside the tables, and patterns of fewer than two or more than six marks, are neutral.
std::u16string_view YinYangVerdictOf(std::u16string_view pattern);

struct YinYangResult {
    ShortText<kNamePositions> yinYangPattern;
    std::u16string_view yinYangVerdict = kNeutralYinYang;
};

// The pattern of the stroke counts down to the first empty position, and its verdict.
YinYangResult JudgeYinYang(const NamePositions& name);

}  // namespace namori
