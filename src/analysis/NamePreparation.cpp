#include "analysis/NamePreparation.h"

#include <bitset>
#include <cstdio>

#include "analysis/NamePositions.h"
#include "data/Cp932.h"

namespace namori {

namespace {

bool IsControl(char16_t c) {
    return c < 0x20 || c == 0x7F;
}

std::u16string CodePointLabel(char16_t c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
    return Utf8ToUtf16(buffer);
}

// Where the first character of text that cannot be judged stands; npos when all can.
// Surrogates are never code page 932 characters.
std::size_t FirstUnsupported(std::u16string_view text, const std::bitset<0x10000>& cp932) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsControl(text[i]) || !cp932.test(text[i])) {
            return i;
        }
    }
    return std::u16string_view::npos;
}

// The refusal of the character at text[i], which cannot be judged.
void RefuseCharacter(std::u16string_view text, std::size_t i, NamePreparation& result) {
    result.problem = NameProblem::UnsupportedCharacter;
    const char16_t c = text[i];
    if (IsControl(c)) {
        result.character.assign(1, c);
        result.message = u"名前に制御文字（" + CodePointLabel(c) + u"）が含まれています";
        return;
    }
    const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                      text[i + 1] <= 0xDFFF;
    result.character = text.substr(i, pair ? 2 : 1);
    result.message = u"「" + result.character +
                     u"」は使えない文字です。シフトJIS（コードページ932）で表せる文字で"
                     u"入力してください";
}

}  // namespace

NamePreparation CheckName(std::u16string_view surname, std::u16string_view givenName) {
    NamePreparation result;
    if (surname.empty() || givenName.empty()) {
        result.problem = NameProblem::Empty;
        result.message = u"名字と名前を正しく入力してください";
        return result;
    }
    const std::bitset<0x10000>& cp932 = Cp932Characters();
    for (const std::u16string_view part : {surname, givenName}) {
        if (const std::size_t at = FirstUnsupported(part, cp932); at != part.npos) {
            RefuseCharacter(part, at, result);
            return result;
        }
    }
    for (const std::u16string_view part : {surname, givenName}) {
        if (const std::size_t at = part.find_first_of(u" \u3000"); at != part.npos) {
            result.problem = NameProblem::Blank;
            result.character = part.substr(at, 1);
            result.message = u"名前に空白があります。空白を入れずに入力してください";
            return result;
        }
    }
    if (surname.size() > kMaxPartLength || givenName.size() > kMaxPartLength) {
        result.problem = NameProblem::TooLong;
        result.message = u"名字と名前はそれぞれ１～３文字で入力してください";
        return result;
    }
    return result;
}

NamePreparation UnregisteredProblem(std::vector<std::u16string> unregistered) {
    NamePreparation result;
    if (unregistered.empty()) {
        return result;
    }
    result.problem = NameProblem::Unregistered;
    result.message = u"画数が登録されていない文字があります：";
    for (std::size_t i = 0; i < unregistered.size(); ++i) {
        result.message += (i == 0 ? u"" : u"、") + unregistered[i];
    }
    result.unregistered = std::move(unregistered);
    return result;
}

}  // namespace namori
