#include "naming/SpellingCheck.h"

#include "naming/ReadingPieces.h"

namespace namori {

namespace {

bool IsNameMark(char16_t c) {
    return c == u'ー' || c == u'々' || c == u'ゝ' || c == u'ゞ' || c == u'ヽ' || c == u'ヾ';
}

}  // namespace

bool SpellingCheck::Offered(std::u16string_view spelling, bool popular) {
    if (guide_ == nullptr) {
        return true;
    }
    for (char16_t c : spelling) {
        if (!IsKana(c) && !IsNameMark(c) && !Use(c).lawful) {
            return false;
        }
    }
    if (guide_->Avoided(spelling)) {
        return false;
    }
    return popular || spelling.size() < 2 || !guide_->MisreadWord(spelling, reading_);
}

double SpellingCheck::KanjiFactor(std::u16string_view spelling) {
    double factor = 1;
    if (guide_ != nullptr) {
        for (char16_t c : spelling) {
            factor *= 1 + Use(c).popularity / 100.0;
        }
    }
    return factor;
}

const NameKanjiUse& SpellingCheck::Use(char16_t c) {
    const auto [found, added] = uses_.try_emplace(c);
    if (added && IsKanji(c)) {
        found->second = guide_->UseOf(c);
    }
    return found->second;
}

}  // namespace namori
