#pragma once

#include <array>
#include <string_view>

#include "analysis/NamePositions.h"

namespace namori {

// The five luck numbers of a name.
struct LuckNumbers {
    int ancestorLuck = 0;  // 祖運
    int mainLuck = 0;      // 主運
    int earlyLuck = 0;     // 初運
    int assistLuck = 0;    // 助運
    int totalLuck = 0;     // 総運
};

struct LuckField {
    std::u16string_view name;
    int LuckNumbers::*value;
};

// The five luck numbers in the order every table and report shows them, with their names.
inline constexpr std::array<LuckField, 5> kLuckFields{{
    {u"祖運", &LuckNumbers::ancestorLuck},
    {u"主運", &LuckNumbers::mainLuck},
    {u"初運", &LuckNumbers::earlyLuck},
    {u"助運", &LuckNumbers::assistLuck},
    {u"総運", &LuckNumbers::totalLuck},
}};

// The five luck numbers in kLuckFields' order.
constexpr std::array<int, 5> LuckValues(const LuckNumbers& luck) {
    std::array<int, 5> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = luck.*kLuckFields[i].value;
    }
    return values;
}

// Computes 祖運, 主運, 初運, 助運 and 総運 from the name positions.
LuckNumbers ComputeLuckNumbers(const NamePositions& name);

// The positions whose counts ComputeLuckNumbers adds up for each luck number, in kLuckFields'
// order, one bit per position (the first position the lowest bit): what a reading names when it
// shows how a number was counted.
std::array<unsigned, 5> LuckPositions(const NamePositions& name);

}  // namespace namori
