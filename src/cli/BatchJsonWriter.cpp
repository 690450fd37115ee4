#include "cli/BatchJsonWriter.h"

#include <charconv>
#include <nlohmann/json.hpp>
#include <vector>

#include "cli/JudgementReport.h"
#include "rules/Judgement.h"

namespace namori {

using namespace std::string_view_literals;

namespace {

// Keys from 0 up to this are cached; no real name comes near it.
constexpr int kCacheLimit = 4096;

// The members of a rendered object without its braces, to splice into a larger object.
std::string WithoutBraces(const std::string& object) {
    return object.substr(1, object.size() - 2);
}

// A key for the digits of "d - d - d" (the element members follow from them alone).
int DigitsKey(std::u16string_view digits) {
    int key = 0;
    for (char16_t c : digits) {
        if (c >= u'0' && c <= u'9') {
            key = key * 10 + (c - u'0');
        }
    }
    return key;
}

// A key for a yin-yang pattern of ○ and ●: a leading 1 bit, then one bit per mark.
int PatternKey(std::u16string_view pattern) {
    int key = 1;
    for (char16_t c : pattern) {
        key = key * 2 + (c == u'●' ? 1 : 0);
    }
    return key;
}

}  // namespace

void AppendJsonString(std::u16string_view text, std::string& output) {
    static constexpr char kHex[] = "0123456789abcdef";
    output += '"';
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code < 0x80) {
            switch (code) {
                case u'"':
                    output += "\\\"";
                    continue;
                case u'\\':
                    output += "\\\\";
                    continue;
                case u'\b':
                    output += "\\b";
                    continue;
                case u'\f':
                    output += "\\f";
                    continue;
                case u'\n':
                    output += "\\n";
                    continue;
                case u'\r':
                    output += "\\r";
                    continue;
                case u'\t':
                    output += "\\t";
                    continue;
                default:
                    break;
            }
            if (code < 0x20) {
                const char escaped[] = {'\\', 'u', '0', '0', kHex[code >> 4], kHex[code & 0xF]};
                output.append(escaped, sizeof escaped);
            } else {
                output += static_cast<char>(code);
            }
            continue;
        }
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;  // as Utf16ToUtf8 writes a lone surrogate
        }
        char bytes[4];
        std::size_t length = 0;
        if (code < 0x800) {
            bytes[length++] = static_cast<char>(0xC0 | (code >> 6));
        } else if (code < 0x10000) {
            bytes[length++] = static_cast<char>(0xE0 | (code >> 12));
            bytes[length++] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        } else {
            bytes[length++] = static_cast<char>(0xF0 | (code >> 18));
            bytes[length++] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            bytes[length++] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        }
        bytes[length++] = static_cast<char>(0x80 | (code & 0x3F));
        output.append(bytes, length);
    }
    output += '"';
}

const std::string& BatchJsonWriter::LuckRow(const Judgement& judgement, const SpiritTable& table,
                                            int row, int value) {
    return Cached(luckRows_[row], value, judgement, table, {}, row);
}

const std::string& BatchJsonWriter::Cached(std::vector<std::string>& cache, int key,
                                           const Judgement& judgement, const SpiritTable& table,
                                           std::initializer_list<const char*> members,
                                           int luckRow) {
    if (key < 0 || key >= kCacheLimit) {
        // Far past any real name; rendered each time rather than cached.
        scratch_ = Render(judgement, table, members, luckRow);
        return scratch_;
    }
    if (static_cast<std::size_t>(key) >= cache.size()) {
        cache.resize(static_cast<std::size_t>(key) + 1);
    }
    std::string& cached = cache[static_cast<std::size_t>(key)];
    if (cached.empty()) {
        cached = Render(judgement, table, members, luckRow);
    }
    return cached;
}

std::string BatchJsonWriter::Render(const Judgement& judgement, const SpiritTable& table,
                                    std::initializer_list<const char*> members, int luckRow) {
    const nlohmann::ordered_json all = JudgementAsJson(judgement, table);
    if (luckRow >= 0) {
        return all["luck"][luckRow].dump();
    }
    nlohmann::ordered_json part;
    for (const char* name : members) {
        part[name] = all[name];
    }
    return WithoutBraces(part.dump());
}

void BatchJsonWriter::Append(const Judgement& judgement, const SpiritTable& table,
                             std::string& output) {
    const NamePositions& name = judgement.name;
    const int positions = name.positions();
    output += "{\"surname\":"sv;
    AppendJsonString(name.currentSurname, output);
    output += ",\"givenName\":"sv;
    AppendJsonString(name.currentGivenName, output);
    output += ",\"chars\":["sv;
    for (int position = 0; position < positions; ++position) {
        if (position > 0) {
            output += ',';
        }
        AppendJsonString(name.nameChars[position], output);
    }
    output += "],\"strokes\":["sv;
    for (int position = 0; position < positions; ++position) {
        if (position > 0) {
            output += ',';
        }
        char digits[8];
        const auto end = std::to_chars(digits, digits + sizeof digits, name.strokeCounts[position]);
        output.append(digits, end.ptr);
    }
    output += "],\"luck\":["sv;
    const std::array<int, 5> luck = LuckValues(judgement.luck);
    for (int row = 0; row < 5; ++row) {
        if (row > 0) {
            output += ',';
        }
        output += LuckRow(judgement, table, row, luck[row]);
    }
    output += "],"sv;
    output += Cached(elementMembers_, DigitsKey(judgement.elements.elementDigits), judgement, table,
                     {"elementDigits", "elementTriple", "elementVerdict"});
    output += ',';
    output += Cached(yinYangMembers_, PatternKey(judgement.yinYang.yinYangPattern), judgement,
                     table, {"yinYangPattern", "yinYangVerdict"});
    output += ',';
    const std::array<Rating, 3>& faces = judgement.faces;
    output += Cached(faceMembers_,
                     static_cast<int>(faces[0]) * 9 + static_cast<int>(faces[1]) * 3 +
                         static_cast<int>(faces[2]),
                     judgement, table, {"faces"});
    output += "}\n"sv;
}

}  // namespace namori
