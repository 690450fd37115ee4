#pragma once

#include <array>
#include <string>
#include <string_view>

namespace namori {

class ReadingTexts;

// How the elements of a reading's triple (祖運, 主運, 初運) stand to each other, pair by pair: 祖運
// to 主運, then 主運 to 初運, each as 相生 (one feeds the next), 相剋 (one checks the next) or 比和
// (the same element), in the element-pair texts of "鑑定解説.txt", each with the two luck numbers
// (values: 祖運, 主運, 初運). Empty for a triple that is not three elements.
std::u16string ElementPairsOf(std::u16string_view triple, const std::array<int, 3>& values,
                              const ReadingTexts& texts);

// Whether one element of the triple checks the next (a 相剋 between 祖運 and 主運 or between 主運
// and 初運), either way round.
bool HasCheckingPair(std::u16string_view triple);

}  // namespace namori
