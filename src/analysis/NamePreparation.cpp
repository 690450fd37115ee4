#include "analysis/NamePreparation.h"

#include <cstdio>

#include "analysis/JudgementStore.h"
#include "analysis/NameLookup.h"
#include "analysis/ShortText.h"
#include "data/Cp932.h"

namespace namori {

namespace {

bool IsSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}
bool IsControl(char16_t c) {
    return c < 0x20 || c == 0x7F;
}

std::u16string CodePointLabel(char16_t c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
    return Utf8ToUtf16(buffer);
}

// The first character of text that cannot be judged, with the reason; none when all can.
bool FindUnsupportedCharacter(std::u16string_view text, NamePreparation& result) {
    const std::bitset<0x10000>& cp932 = Cp932Characters();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsControl(c)) {
            result.character.assign(1, c);
            result.message = u"名前に制御文字（" + CodePointLabel(c) + u"）が含まれています";
            return true;
        }
        if (IsSurrogate(c)) {
            const bool pair = c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                              text[i + 1] <= 0xDFFF;
            result.character = text.substr(i, pair ? 2 : 1);
        } else if (!cp932.test(c)) {
            result.character.assign(1, c);
        } else {
            continue;
        }
        result.message = u"「" + result.character +
                         u"」は使えない文字です。シフトJIS（コードページ932）で表せる文字で"
                         u"入力してください";
        return true;
    }
    return false;
}

}  // namespace

NamePreparation CheckName(std::u16string_view surname, std::u16string_view givenName) {
    NamePreparation result;
    if (surname.empty() || givenName.empty()) {
        result.problem = NameProblem::Empty;
        result.message = u"名字と名前を正しく入力してください";
        return result;
    }
    if (FindUnsupportedCharacter(surname, result) || FindUnsupportedCharacter(givenName, result)) {
        result.problem = NameProblem::UnsupportedCharacter;
        return result;
    }
    if (surname.size() > kMaxPartLength || givenName.size() > kMaxPartLength) {
        result.problem = NameProblem::TooLong;
        result.message = u"名字と名前はそれぞれ１～３文字で入力してください";
        return result;
    }
    return result;
}

void ApplySurnameComplement(JudgementStore& store, bool complement) {
    LookupSurname(store);
    if (complement && store.currentSurname.size() == 1) {
        store.currentSurname.insert(store.currentSurname.begin(), kComplementCharacter);
        LookupSurname(store);
        store.strokeCounts[1] = 1;
    }
}

void ApplyGivenNameComplement(JudgementStore& store, bool complement) {
    LookupGivenName(store);
    if (complement && store.givenNameLength == 1) {
        store.currentGivenName.push_back(kComplementCharacter);
        LookupGivenName(store);
        const int last = store.surnameLength + store.givenNameLength;
        if (last <= kNamePositions) {
            store.strokeCounts[last] = 1;
        }
    }
}

void ApplyRegisteredStrokes(JudgementStore& store, const std::vector<std::int16_t>& counts) {
    for (const std::int16_t count : counts) {
        for (int position = 1; position <= kNamePositions; ++position) {
            if (store.strokeCounts[position] == 0) {
                store.strokeCounts[position] = count;
                break;
            }
        }
    }
}

NamePreparation PrepareName(JudgementStore& store, std::u16string_view surname,
                            std::u16string_view givenName, bool complement) {
    NamePreparation result = CheckName(surname, givenName);
    if (!result.ready()) {
        return result;
    }

    // Judged as the data files hold it: a typed 〜 is the ～ of a registered entry.
    AssignShortText(store.currentSurname, FoldToReadBack(surname));
    ApplySurnameComplement(store, complement);
    AssignShortText(store.currentGivenName, FoldToReadBack(givenName));
    ApplyGivenNameComplement(store, complement);

    // A "１" that ends or starts the name counts one stroke, whether the complement put it
    // there or the user typed it.
    const int last = store.surnameLength + store.givenNameLength;
    if (store.nameChars[last].size() == 1 && store.nameChars[last][0] == kComplementCharacter) {
        store.strokeCounts[last] = 1;
    }
    if (store.nameChars[1].size() == 1 && store.nameChars[1][0] == kComplementCharacter) {
        store.strokeCounts[1] = 1;
    }

    // Both parts are checked, surname first, so that no character is judged as 0 strokes.
    for (auto& character : store.unregisteredChars) {
        character.clear();
    }
    int found = 0;
    for (int position = 1; position <= last; ++position) {
        if (store.strokeCounts[position] == 0) {
            store.unregisteredChars[++found] = store.nameChars[position];
            result.unregistered.push_back(store.nameChars[position]);
        }
    }
    if (!result.unregistered.empty()) {
        result.problem = NameProblem::Unregistered;
        result.message = u"画数が登録されていない文字があります：";
        for (std::size_t i = 0; i < result.unregistered.size(); ++i) {
            result.message += (i == 0 ? u"" : u"、") + result.unregistered[i];
        }
    }
    return result;
}

}  // namespace namori
