#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace namori {

// Reads the fields of a data file one at a time. A field ends at a comma or a line end (CR LF,
// LF or CR), and the two are not told apart. Blanks before a field are skipped. A field that
// starts with a double quote runs to the next double quote, which may enclose commas and is not
// part of the value; reading then goes on after the next comma or line end. An unquoted field
// loses trailing blanks.
class FieldReader {
  public:
    // fileName is only used in error messages (UTF-8).
    FieldReader(std::u16string_view text, std::string fileName);

    // True when nothing but blanks and line ends is left: trailing blank lines end the file.
    bool AtEnd() const;

    // Skips whole blank lines before the next field.
    void SkipBlankLines();

    // Skips blank lines to the next record; false when the file ends instead.
    bool NextRecord() {
        SkipBlankLines();
        return !AtEnd();
    }

    // The next field as text. A comma at the end of the file ends one last, empty field. Throws
    // DataFileError when the file has no more fields or a quoted field is not closed.
    std::u16string ReadText();

    // The next field as a count: a whole number, or a decimal fraction rounded to the nearest
    // whole number with halves to even. Throws DataFileError for anything else or a value
    // outside 0..32767.
    std::int16_t ReadCount();

    // Offset of the next unread character in the text.
    std::size_t position() const { return position_; }
    // Line of the next unread character, counted from 1.
    int line() const { return line_; }
    const std::string& fileName() const { return fileName_; }

  private:
    void SkipBlanks();
    void SkipLineEnd();
    bool AtLineEnd() const;
    [[noreturn]] void Fail(int line, const std::string& problem) const;

    std::u16string_view text_;
    std::string fileName_;
    std::size_t position_ = 0;
    int line_ = 1;
    bool afterComma_ = false;  // the last field ended at a comma
};

// The blanks skipped before a field and dropped after an unquoted one.
inline bool IsFieldBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// Parses a count as ReadCount does; false when the text is not a number of that form.
bool ParseCount(std::u16string_view text, std::int16_t& count);

}  // namespace namori
