#include "cli/FuriganaOption.h"

#include <algorithm>

#include "data/Cp932.h"

namespace namori {

namespace {

bool IsHiragana(std::u16string_view part) {
    return !part.empty() && std::all_of(part.begin(), part.end(), [](char16_t c) {
        return (c >= u'ぁ' && c <= u'ゖ') || c == u'ー';
    });
}

}  // namespace

std::optional<std::u16string> FuriganaOf(std::string_view option) {
    const std::u16string text = Utf8ToUtf16(option);
    const std::size_t comma = text.find(u',');
    if (comma == std::u16string::npos) {
        return std::nullopt;
    }
    const std::u16string_view surname = std::u16string_view(text).substr(0, comma);
    const std::u16string_view givenName = std::u16string_view(text).substr(comma + 1);
    if (!IsHiragana(surname) || !IsHiragana(givenName)) {
        return std::nullopt;
    }
    return std::u16string(surname) + u"　" + std::u16string(givenName);
}

}  // namespace namori
