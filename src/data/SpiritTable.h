#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace namori {

// The grade a spirit number's mark gives it; None only for row 0, which grades nothing.
enum class Mark : std::uint8_t { None, Good, Mixed, Bad };

// The mark characters as the table file writes them and every front end shows them, by Mark.
inline constexpr std::array<std::u16string_view, 4> kMarkSymbols{u"", u"◎", u"○", u"△"};

constexpr std::u16string_view MarkSymbol(Mark mark) {
    return kMarkSymbols[static_cast<std::size_t>(mark)];
}

// The 81 spirit numbers: a short phrase and a grade mark per number, with seven further texts
// per number and a five-text trailer that the file carries. Row 0 is empty.
struct SpiritTable {
    static constexpr int kNumbers = 81;
    static constexpr int kFurtherTexts = 7;
    static constexpr int kTrailerTexts = 5;

    std::array<std::u16string, kNumbers + 1> spiritPhrase{};
    std::array<Mark, kNumbers + 1> spiritMark{};
    std::array<std::array<std::u16string, kFurtherTexts>, kNumbers + 1> furtherTexts{};
    std::array<std::u16string, kTrailerTexts> trailer{};

    const std::u16string& PhraseOf(int luckNumber) const { return spiritPhrase[RowOf(luckNumber)]; }
    Mark MarkOf(int luckNumber) const { return spiritMark[RowOf(luckNumber)]; }

    // The row that grades a luck number: the number itself up to 81; above that, 80 is taken
    // away until it is in 1..81, as is customary for long names. Negative numbers have row 0.
    static int RowOf(int luckNumber) {
        if (luckNumber <= kNumbers) {
            return luckNumber < 0 ? 0 : luckNumber;
        }
        return (luckNumber - 2) % 80 + 2;
    }
};

}  // namespace namori
