#pragma once

#include <bitset>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace namori {

// Bytes that are not valid code page 932 text.
class Cp932DecodeError : public std::runtime_error {
  public:
    explicit Cp932DecodeError(std::size_t byteOffset);
    std::size_t byteOffset() const { return byteOffset_; }

  private:
    std::size_t byteOffset_;
};

// Converts code page 932 bytes to UTF-16. Throws Cp932DecodeError at the first invalid byte.
std::u16string DecodeCp932(std::string_view bytes);

// Converts UTF-16 text to code page 932 bytes; nothing when a character has no code there.
std::optional<std::string> EncodeCp932(std::u16string_view text);

// Whether code page 932 can hold this UTF-16 code unit (surrogates never).
bool IsCp932Character(char16_t character);

// The same answer for every code unit at once, for checks of many characters.
const std::bitset<0x10000>& Cp932Characters();

// The text as a code page 932 file gives it back: the few characters that code page 932 stores
// as another character (〜 U+301C as ～ U+FF5E, − U+2212 as － U+FF0D, …) become that character,
// so that what is judged, shown and written is what is read back. Others stay as they are.
std::u16string FoldToReadBack(std::u16string_view text);

// UTF-8 and UTF-16 conversions for the command line and messages. Invalid input is replaced by
// U+FFFD, which no dictionary entry or code page 932 text can hold.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace namori
