#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "analysis/ShortText.h"

namespace namori {

// Number of name positions: up to three surname characters followed by up to three given-name
// characters.
inline constexpr int kNamePositions = 6;
inline constexpr int kMaxPartLength = 3;

// The complement character: stands for the second character of a one-character part.
inline constexpr char16_t kComplementCharacter = u'１';

// A name as the user asks for its judgement.
struct NameInput {
    std::u16string_view surname;
    std::u16string_view givenName;
    // Puts "１" in front of a one-character surname and behind a one-character given name.
    bool complement = false;
    // Counts for the characters the dictionary lacks: each, in order, to the first name position
    // still without one (counts known elsewhere, as the naming aid's reference table).
    std::span<const std::int16_t> registeredStrokes{};
};

// A name split into positions, with the stroke count of each (0 = unknown). Position 0 holds
// the first surname character; the given name follows directly.
struct NamePositions {
    // The name as judged, complement characters included.
    std::u16string currentSurname;
    std::u16string currentGivenName;
    int surnameLength = 0;
    int givenNameLength = 0;
    int totalLength = 0;
    // One character each, held in place: a batch makes millions of these.
    std::array<ShortText<1>, kNamePositions> nameChars{};
    std::array<std::int16_t, kNamePositions> strokeCounts{};

    // Number of positions the name fills.
    int positions() const { return totalLength < kNamePositions ? totalLength : kNamePositions; }
};

}  // namespace namori
