#pragma once

#include <array>
#include <string_view>

namespace namori {

struct JudgementStore;

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

// Sets yinYangPattern from the stroke counts down to the first empty position and
// yinYangVerdict from the pattern.
void JudgeYinYang(JudgementStore& store);

}  // namespace namori
