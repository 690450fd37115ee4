#pragma once

#include <string>
#include <string_view>

namespace namori {

// Replaces target by text without the general replace path of std::u16string: the store's
// texts are a few characters long and are rewritten in every judgement.
inline void AssignShortText(std::u16string& target, std::u16string_view text) {
    target.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        target[i] = text[i];
    }
}

}  // namespace namori
