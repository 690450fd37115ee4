#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "naming/NameGuide.h"

namespace namori {

// Decides, with a guide, whether a spelling may be offered for one reading, and weighs kanji by
// their popularity; each kanji is looked up once. Without a guide every spelling may be offered
// and no kanji weighs more than another.
class SpellingCheck {
  public:
    SpellingCheck(const NameGuide* guide, std::u16string_view reading)
        : guide_(guide), reading_(reading) {}

    // Whether spelling may be offered: every kanji lawful, none avoided, and no ordinary word
    // read otherwise unless the spelling is popular.
    bool Offered(std::u16string_view spelling, bool popular);

    // Whether a guide decides; without one every spelling may be offered.
    bool guided() const { return guide_ != nullptr; }
    // How many real given names write kanji (0 without a guide).
    int NamesWith(char16_t kanji) { return guide_ != nullptr ? Use(kanji).names : 0; }

    // Popular kanji count for more: each kanji's points in the kanji rankings add a share.
    double KanjiFactor(std::u16string_view spelling);

    // Whether a kanji of spelling leans to the sex other than sex ('f' or 'm'; 'g' never does).
    bool LeansAway(std::u16string_view spelling, char sex);
    // Whether every kanji of spelling (at least one) is in the name rankings of sex.
    bool UsedRecently(std::u16string_view spelling, char sex);
    // Whether every kanji of spelling (at least one) is in at least spellings spellings of the
    // name rankings of either sex.
    bool InRankedSpellings(std::u16string_view spelling, int spellings);
    // Whether spelling, read piece by piece as pieces, borrows an ordinary word read otherwise:
    // a single kanji (六 read りく) or two neighbouring kanji of three (子葉 in 子葉瑠 こはる).
    // Whole spellings of two or more kanji are Offered's concern.
    bool BorrowsWord(std::u16string_view spelling, const std::vector<std::u16string>& pieces);

  private:
    const NameKanjiUse& Use(char16_t c);
    // Whether spelling holds a kanji and every kanji's use passes test; false without a guide.
    bool EveryKanji(std::u16string_view spelling, bool (*test)(const NameKanjiUse&, int),
                    int value);

    const NameGuide* guide_;
    std::u16string_view reading_;
    std::unordered_map<char16_t, NameKanjiUse> uses_;
};

}  // namespace namori
