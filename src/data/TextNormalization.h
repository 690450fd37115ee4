#pragma once

#include <string>
#include <string_view>

namespace namori {

// The text in Unicode's composed form (NFC), as a name typed on another system or with some
// input methods arrives decomposed: か followed by the combining voiced mark U+3099 becomes が.
// CJK compatibility ideographs stay as typed: composing would turn 神 (U+FA19) into 神 (U+795E),
// another form of the kanji with its own stroke count. Text ICU cannot compose stays as it is.
std::u16string ComposedText(std::u16string_view text);

}  // namespace namori
