#pragma once

#include <string_view>
#include <unordered_map>

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

    // Popular kanji count for more: each kanji's points in the kanji rankings add a share.
    double KanjiFactor(std::u16string_view spelling);

  private:
    const NameKanjiUse& Use(char16_t c);

    const NameGuide* guide_;
    std::u16string_view reading_;
    std::unordered_map<char16_t, NameKanjiUse> uses_;
};

}  // namespace namori
