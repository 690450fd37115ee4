#pragma once

#include <array>
#include <string_view>

#include "analysis/LuckNumbers.h"
#include "analysis/ShortText.h"

namespace namori {

inline constexpr std::u16string_view kDisasterLuck = u"災害運";
inline constexpr std::u16string_view kIllnessLuck = u"病気運";
inline constexpr std::u16string_view kAccidentLuck = u"事故運";
inline constexpr std::u16string_view kNoElementMisfortune = u"------";
// Every verdict the five-element rule gives.
inline constexpr std::array<std::u16string_view, 4> kElementVerdicts{
    kDisasterLuck, kIllnessLuck, kAccidentLuck, kNoElementMisfortune};

// The element of a decimal digit: 1 2 木, 3 4 火, 5 6 土, 7 8 金, 9 0 水.
char16_t ElementOfDigit(int digit);

// The verdict of an ordered triple of elements (祖運, 主運, 初運): one of the three misfortunes,
// or "------" when the triple stands in none of their lists.
std::u16string_view FiveElementVerdictOf(std::u16string_view triple);

struct FiveElementResult {
    ShortText<9> elementDigits;  // "d - d - d"
    ShortText<3> elementTriple;
    std::u16string_view elementVerdict = kNoElementMisfortune;
};

// The five-element verdict from the last digits of 祖運, 主運 and 初運.
FiveElementResult JudgeFiveElements(const LuckNumbers& luck);

}  // namespace namori
