// Arbitrary bytes through the code page 932 decoder and the field reader, read in each of the
// ways the data files use it. Every way must end, with an error or at the end of the text, and
// every count read must lie in 0..32767.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/FieldReader.h"

namespace {

using namespace namori;
using fuzzing::Require;

constexpr const char* kFileName = "fuzz.txt";

int LineEndsIn(std::u16string_view text) {
    return static_cast<int>(std::count_if(text.begin(), text.end(),
                                          [](char16_t c) { return c == u'\r' || c == u'\n'; }));
}

// Runs step until it returns false or the reader reports a malformed file. A step that goes on
// reads at least one character, so a text of n characters allows n + 1 steps at most: more
// would mean a loop that does not advance.
template <typename Step>
void ReadAll(std::u16string_view text, Step step) {
    FieldReader reader(text, kFileName);
    const int lastLine = LineEndsIn(text) + 1;
    std::size_t steps = 0;
    int line = reader.line();
    try {
        while (step(reader)) {
            Require(++steps <= text.size() + 1, "the field reader does not advance");
            Require(reader.line() >= line, "the line number went back");
            line = reader.line();
            Require(line <= lastLine, "the line number is past the last line");
        }
    } catch (const DataFileError& error) {
        Require(error.fileName() == kFileName, "the error names another file");
        Require(error.line() >= 1 && error.line() <= lastLine,
                "the error names no line of the file");
    }
}

void RequireCountInRange(std::int16_t count) {
    Require(count >= 0, "a count below 0 was read");
}

// A count is digits with at most one decimal point and at least one digit; its value rounded
// half to even must not exceed 32767. Short texts are checked against the C library's parser
// and rounding, which are exact at that length.
void CheckParseCount(std::u16string_view text) {
    std::int16_t count = -1;
    const bool parsed = ParseCount(text, count);
    if (parsed) {
        RequireCountInRange(count);
    }
    if (text.size() > 12) {
        return;
    }
    std::string ascii;
    int points = 0;
    int digits = 0;
    for (char16_t c : text) {
        if (c >= u'0' && c <= u'9') {
            ++digits;
        } else if (c == u'.') {
            ++points;
        } else {
            Require(!parsed, "a count with a character other than digits and a point was read");
            return;
        }
        ascii.push_back(static_cast<char>(c));
    }
    if (points > 1 || digits == 0) {
        Require(!parsed, "a count that is not a number was read");
        return;
    }
    const double rounded = std::nearbyint(std::strtod(ascii.c_str(), nullptr));
    if (rounded > 32767) {
        Require(!parsed, "a count above 32767 was read");
        return;
    }
    Require(parsed, "a valid count was refused");
    Require(count == static_cast<std::int16_t>(rounded), "a count was rounded wrongly");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Cp932Characters();  // built once, outside the timed runs
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzzing::BytesOf(data, size);
    CheckParseCount(fuzzing::Utf16LeUnits(bytes));

    std::u16string text;
    try {
        text = DecodeCp932(bytes);
    } catch (const Cp932DecodeError& error) {
        Require(error.byteOffset() < size, "a decoding error points past the bytes");
        return 0;
    }
    // Text read from a data file can be written back and reads the same: every character passes
    // the check that guards writes, and the encoding decodes to the same text.
    for (char16_t c : text) {
        Require(IsCp932Character(c), "a decoded character is refused for writing");
    }
    const auto encoded = EncodeCp932(text);
    Require(encoded.has_value(), "decoded text cannot be encoded again");
    Require(DecodeCp932(*encoded) == text, "decoded text does not survive a round trip");

    // Name lists: blank lines skipped, one text field after another.
    ReadAll(text, [](FieldReader& reader) {
        reader.SkipBlankLines();
        if (reader.AtEnd()) {
            return false;
        }
        reader.ReadText();
        return true;
    });
    // The dictionary: a text and a count per entry.
    ReadAll(text, [](FieldReader& reader) {
        reader.SkipBlankLines();
        if (reader.AtEnd()) {
            return false;
        }
        reader.ReadText();
        if (reader.AtEnd()) {
            return false;
        }
        RequireCountInRange(reader.ReadCount());
        return true;
    });
    // Fixed records: fields are read until the file runs out, which must be reported.
    ReadAll(text, [](FieldReader& reader) {
        reader.ReadText();
        return true;
    });
    ReadAll(text, [](FieldReader& reader) {
        RequireCountInRange(reader.ReadCount());
        return true;
    });
    CheckParseCount(text);
    return 0;
}
