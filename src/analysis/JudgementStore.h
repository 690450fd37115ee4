#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "data/KanjiDictionary.h"
#include "data/SpiritTable.h"

namespace namori {

// Number of name positions: up to three surname characters followed by up to three given-name
// characters.
inline constexpr int kNamePositions = 6;

// The program's working state: the reference tables, the name under judgement and the results
// of the last judgement. One instance lives from start-up to exit and is passed by reference to
// every procedure. Arrays are indexed from 1 as the rules count; index 0 exists and is unused.
struct JudgementStore {
    // Reference tables.
    SpiritTable spiritTable;
    KanjiDictionary dictionary;

    // The name under judgement, complement characters included.
    std::u16string currentSurname;
    std::u16string currentGivenName;
    int surnameLength = 0;
    int givenNameLength = 0;
    std::int16_t totalLength = 0;
    std::array<std::u16string, kNamePositions + 1> nameChars{};
    std::array<std::int16_t, kNamePositions + 1> strokeCounts{};
    std::array<std::u16string, kNamePositions + 1> unregisteredChars{};

    // The five luck numbers of the last judgement.
    int ancestorLuck = 0;  // 祖運
    int mainLuck = 0;      // 主運
    int earlyLuck = 0;     // 初運
    int assistLuck = 0;    // 助運
    int totalLuck = 0;     // 総運

    // Five-element and yin-yang results of the last judgement.
    std::u16string elementDigits;
    std::u16string elementTriple;
    std::u16string elementVerdict;
    std::u16string yinYangPattern;
    std::u16string yinYangVerdict;
};

}  // namespace namori
