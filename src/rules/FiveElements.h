#pragma once

#include <string_view>

#include "analysis/LuckNumbers.h"
#include "analysis/ShortText.h"

namespace namori {

// The five elements, one character each, in their customary order.
inline constexpr std::u16string_view kElementOrder = u"木火土金水";

// The verdict of the five-element rule: one of the three misfortunes, or none.
enum class ElementVerdict { Disaster, Illness, Accident, NoMisfortune };

// The element of a decimal digit: 1 2 木, 3 4 火, 5 6 土, 7 8 金, 9 0 水.
char16_t ElementOfDigit(int digit);

// The verdict of an ordered triple of elements (祖運, 主運, 初運): one of the three misfortunes,
// or none when the triple stands in none of their lists.
ElementVerdict FiveElementVerdictOf(std::u16string_view triple);

struct FiveElementResult {
    ShortText<9> elementDigits;  // "d - d - d"
    ShortText<3> elementTriple;
    ElementVerdict elementVerdict = ElementVerdict::NoMisfortune;
};

// The five-element verdict from the last digits of 祖運, 主運 and 初運.
FiveElementResult JudgeFiveElements(const LuckNumbers& luck);

}  // namespace namori
