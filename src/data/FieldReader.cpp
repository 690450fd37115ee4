#include "data/FieldReader.h"

#include "data/Cp932.h"
#include "data/DataFileError.h"

namespace namori {

namespace {

bool IsLineEnd(char16_t c) {
    return c == u'\r' || c == u'\n';
}
// Some old editors end a text file with Ctrl-Z.
bool IsEndOfFileMark(char16_t c) {
    return c == u'\x1A';
}

}  // namespace

FieldReader::FieldReader(std::u16string_view text, std::string fileName)
    : text_(text), fileName_(std::move(fileName)) {}

bool FieldReader::AtEnd() const {
    for (std::size_t i = position_; i < text_.size(); ++i) {
        const char16_t c = text_[i];
        if (!IsFieldBlank(c) && !IsLineEnd(c) && !IsEndOfFileMark(c)) {
            return false;
        }
    }
    return true;
}

void FieldReader::SkipBlankLines() {
    while (true) {
        std::size_t probe = position_;
        while (probe < text_.size() && IsFieldBlank(text_[probe])) {
            ++probe;
        }
        if (probe >= text_.size() || !IsLineEnd(text_[probe])) {
            return;
        }
        position_ = probe;
        SkipLineEnd();
    }
}

void FieldReader::SkipBlanks() {
    while (position_ < text_.size() && IsFieldBlank(text_[position_])) {
        ++position_;
    }
}

bool FieldReader::AtLineEnd() const {
    return position_ < text_.size() && IsLineEnd(text_[position_]);
}

void FieldReader::SkipLineEnd() {
    if (text_[position_] == u'\r' && position_ + 1 < text_.size() &&
        text_[position_ + 1] == u'\n') {
        ++position_;
    }
    ++position_;
    ++line_;
}

void FieldReader::Fail(int line, const std::string& problem) const {
    throw DataFileError(fileName_, line, problem);
}

std::u16string FieldReader::ReadText() {
    SkipBlanks();
    if (position_ >= text_.size() || AtEnd()) {
        // A comma promises one more field: at the end of the file it is an empty one.
        if (!afterComma_) {
            Fail(line_, "ファイルが途中で終わっています（項目が足りません）");
        }
        afterComma_ = false;
        if (AtLineEnd()) {
            SkipLineEnd();
        }
        return {};
    }
    const int startLine = line_;
    std::u16string value;
    if (text_[position_] == u'"') {
        const std::size_t close = text_.find(u'"', position_ + 1);
        if (close == std::u16string_view::npos) {
            Fail(startLine, "「\"」で始まる項目が閉じられていません");
        }
        value.assign(text_.substr(position_ + 1, close - position_ - 1));
        for (char16_t c : value) {
            if (c == u'\n') {
                ++line_;
            }
        }
        position_ = close + 1;
        // Anything between the closing quote and the next separator is not part of the value.
        while (position_ < text_.size() && text_[position_] != u',' && !AtLineEnd()) {
            ++position_;
        }
    } else {
        const std::size_t start = position_;
        while (position_ < text_.size() && text_[position_] != u',' && !AtLineEnd()) {
            ++position_;
        }
        std::size_t end = position_;
        while (end > start && IsFieldBlank(text_[end - 1])) {
            --end;
        }
        value.assign(text_.substr(start, end - start));
    }
    afterComma_ = false;
    if (position_ < text_.size()) {
        if (text_[position_] == u',') {
            ++position_;
            afterComma_ = true;
        } else {
            SkipLineEnd();
        }
    }
    return value;
}

std::int16_t FieldReader::ReadCount() {
    const int startLine = line_;
    const std::u16string text = ReadText();
    std::int16_t count = 0;
    if (!ParseCount(text, count)) {
        Fail(startLine,
             "画数は0から32767までの数でなければなりません（「" + Utf16ToUtf8(text) + "」）");
    }
    return count;
}

bool ParseCount(std::u16string_view text, std::int16_t& count) {
    std::size_t i = 0;
    long whole = 0;
    bool anyDigit = false;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        whole = whole * 10 + (text[i] - u'0');
        anyDigit = true;
        if (whole > 40000) {
            return false;
        }
        ++i;
    }
    if (i < text.size() && text[i] == u'.') {
        ++i;
        // Round half to even: compare the fraction with one half.
        int firstDigit = -1;
        bool restNonZero = false;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
            if (firstDigit < 0) {
                firstDigit = text[i] - u'0';
            } else if (text[i] != u'0') {
                restNonZero = true;
            }
            anyDigit = true;
            ++i;
        }
        if (firstDigit > 5 || (firstDigit == 5 && (restNonZero || whole % 2 == 1))) {
            ++whole;
        }
    }
    if (!anyDigit || i != text.size() || whole > 32767) {
        return false;
    }
    count = static_cast<std::int16_t>(whole);
    return true;
}

}  // namespace namori
