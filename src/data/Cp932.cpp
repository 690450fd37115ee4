#include "data/Cp932.h"

#include <iconv.h>

#include <algorithm>
#include <bit>
#include <bitset>
#include <cerrno>
#include <memory>
#include <utility>
#include <vector>

namespace namori {

namespace {

constexpr const char* kUtf16Native =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// One iconv conversion descriptor, closed when it goes out of scope.
class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of input; returns false at the first unconvertible or invalid sequence and
    // sets failedAt to its offset in input.
    bool Convert(std::string_view input, std::string& output, std::size_t& failedAt) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        output.assign(input.size() * 4 + 8, '\0');
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* out = output.data();
        std::size_t outLeft = output.size();
        if (iconv(handle_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
            iconv(handle_, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) {
            failedAt = input.size() - inLeft;
            return false;
        }
        output.resize(output.size() - outLeft);
        return true;
    }

  private:
    iconv_t handle_;
};

std::string_view AsBytes(std::u16string_view text) {
    return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)};
}

// Which code units code page 932 holds, and for the few that it stores as another character
// (〜 U+301C is written as the bytes of ～ U+FF5E), the character that reads back.
struct Cp932Table {
    std::bitset<0x10000> holds;
    std::bitset<0x10000> readsBackAsOther;                // the first of each readBack pair
    std::vector<std::pair<char16_t, char16_t>> readBack;  // sorted by the first
};

// Out of line, so that Table(), called for every name judged, stays a few instructions.
[[gnu::noinline]] Cp932Table BuildCp932Table() {
    Cp932Table table;
    Converter toCp932("CP932", kUtf16Native);
    Converter fromCp932(kUtf16Native, "CP932");
    std::string encoded;
    std::string decoded;
    std::size_t failedAt = 0;
    for (char32_t unit = 0; unit < 0x10000; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            continue;
        }
        const char16_t character = static_cast<char16_t>(unit);
        if (!toCp932.Convert(AsBytes({&character, 1}), encoded, failedAt)) {
            continue;
        }
        table.holds.set(unit);
        if (fromCp932.Convert(encoded, decoded, failedAt) && decoded.size() == sizeof(char16_t)) {
            char16_t back = 0;
            decoded.copy(reinterpret_cast<char*>(&back), sizeof back);
            if (back != character) {
                table.readsBackAsOther.set(unit);
                table.readBack.emplace_back(character, back);
            }
        }
    }
    return table;
}

const Cp932Table& Table() {
    static const Cp932Table kTable = BuildCp932Table();
    return kTable;
}

}  // namespace

Cp932DecodeError::Cp932DecodeError(std::size_t byteOffset)
    : std::runtime_error("invalid code page 932 text at byte " + std::to_string(byteOffset)),
      byteOffset_(byteOffset) {}

std::u16string DecodeCp932(std::string_view bytes) {
    Converter fromCp932(kUtf16Native, "CP932");
    std::string output;
    std::size_t failedAt = 0;
    if (!fromCp932.Convert(bytes, output, failedAt)) {
        throw Cp932DecodeError(failedAt);
    }
    std::u16string text(output.size() / sizeof(char16_t), u'\0');
    output.copy(reinterpret_cast<char*>(text.data()), output.size());
    return text;
}

std::optional<std::string> EncodeCp932(std::u16string_view text) {
    Converter toCp932("CP932", kUtf16Native);
    std::string output;
    std::size_t failedAt = 0;
    if (!toCp932.Convert(AsBytes(text), output, failedAt)) {
        return std::nullopt;
    }
    return output;
}

const std::bitset<0x10000>& Cp932Characters() {
    return Table().holds;
}

std::u16string FoldToReadBack(std::u16string_view text) {
    const Cp932Table& table = Table();
    const auto& readBack = table.readBack;
    std::u16string folded(text);
    for (char16_t& character : folded) {
        if (!table.readsBackAsOther.test(character)) {
            continue;
        }
        const auto found = std::lower_bound(
            readBack.begin(), readBack.end(), character,
            [](const std::pair<char16_t, char16_t>& entry, char16_t c) { return entry.first < c; });
        if (found != readBack.end() && found->first == character) {
            character = found->second;
        }
    }
    return folded;
}

bool IsCp932Character(char16_t character) {
    return Cp932Characters().test(character);
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string result;
    result.reserve(text.size());
    std::size_t i = 0;
    const auto byteAt = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    while (i < text.size()) {
        const unsigned char lead = byteAt(i);
        int length = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            length = 1;
            code = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        }
        bool valid = length > 0 && i + length <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const unsigned char next = byteAt(i + k);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and code points past U+10FFFF are invalid.
        valid = valid && !(length == 3 && code < 0x800) && !(length == 4 && code < 0x10000) &&
                !(code >= 0xD800 && code <= 0xDFFF) && code <= 0x10FFFF;
        if (!valid) {
            result.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            result.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            result.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            result.push_back(static_cast<char16_t>(code));
        }
        i += length;
    }
    return result;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string result;
    result.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            result.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            result.push_back(static_cast<char>(0xC0 | (code >> 6)));
            result.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            result.push_back(static_cast<char>(0xE0 | (code >> 12)));
            result.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            result.push_back(static_cast<char>(0xF0 | (code >> 18)));
            result.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return result;
}

}  // namespace namori
