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

bool SpellingCheck::LeansAway(std::u16string_view spelling, char sex) {
    if (guide_ == nullptr || sex == 'g') {
        return false;
    }
    const char other = sex == 'f' ? 'm' : 'f';
    for (char16_t c : spelling) {
        if (IsKanji(c) && LeansTo(Use(c), other)) {
            return true;
        }
    }
    return false;
}

bool SpellingCheck::EveryKanji(std::u16string_view spelling, bool (*test)(const NameKanjiUse&, int),
                               int value) {
    if (guide_ == nullptr) {
        return false;
    }
    bool any = false;
    for (char16_t c : spelling) {
        if (IsKanji(c)) {
            if (!test(Use(c), value)) {
                return false;
            }
            any = true;
        }
    }
    return any;
}

bool SpellingCheck::UsedRecently(std::u16string_view spelling, char sex) {
    return EveryKanji(
        spelling,
        [](const NameKanjiUse& use, int of) {
            return namori::UsedRecently(use, static_cast<char>(of));
        },
        sex);
}

bool SpellingCheck::InRankedSpellings(std::u16string_view spelling, int spellings) {
    return EveryKanji(
        spelling,
        [](const NameKanjiUse& use, int least) {
            return use.recentFemale + use.recentMale >= least;
        },
        spellings);
}

bool SpellingCheck::BorrowsWord(std::u16string_view spelling,
                                const std::vector<std::u16string>& pieces) {
    if (guide_ == nullptr || pieces.size() != spelling.size()) {
        return false;
    }
    if (spelling.size() == 1) {
        return IsKanji(spelling[0]) && guide_->MisreadWord(spelling, reading_);
    }
    for (std::size_t at = 0; spelling.size() == 3 && at + 2 <= spelling.size(); ++at) {
        const std::u16string_view part = spelling.substr(at, 2);
        if (IsKanji(part[0]) && IsKanji(part[1]) &&
            guide_->MisreadWord(part, pieces[at] + pieces[at + 1])) {
            return true;
        }
    }
    return false;
}

const NameKanjiUse& SpellingCheck::Use(char16_t c) {
    const auto [found, added] = uses_.try_emplace(c);
    if (added && IsKanji(c)) {
        found->second = guide_->UseOf(c);
    }
    return found->second;
}

}  // namespace namori
