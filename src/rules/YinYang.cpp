#include "rules/YinYang.h"

#include <array>

namespace namori {

namespace {

struct PatternRow {
    YinYangVerdict verdict;
    std::u16string_view patterns;  // separated by blanks
};

// The categorised patterns by number of marks. Every pattern of two to four marks is listed;
// unlisted patterns of five or six marks are neutral.
constexpr std::array<PatternRow, 17> kPatternRows = {{
    {YinYangVerdict::Lucky, u"○● ●○"},
    {YinYangVerdict::Single, u"○○ ●●"},
    {YinYangVerdict::Lucky, u"●○○ ○○● ●●○ ○●●"},
    {YinYangVerdict::Single, u"●●● ○○○"},
    {YinYangVerdict::Sandwiched, u"○●○ ●○●"},
    {YinYangVerdict::Lucky, u"●○●○ ○●○● ●●○● ○○●○ ●○●● ○●○○"},
    {YinYangVerdict::Single, u"○○○○ ●●●●"},
    {YinYangVerdict::Split, u"○○●● ●●○○"},
    {YinYangVerdict::Sandwiched, u"○●●○ ●○○●"},
    {YinYangVerdict::Calamity, u"○○○● ○●●● ●●●○ ●○○○"},
    {YinYangVerdict::Lucky, u"●○○●○ ○●●○● ●○●○● ○●○●○ ○●○●● ●○●○○"},
    {YinYangVerdict::Split, u"○○●●● ●●●○○"},
    {YinYangVerdict::Sandwiched, u"●●○○● ○●●○○ ●○○●●"},
    {YinYangVerdict::Calamity, u"○●●●● ●○○○○ ●●●●○ ○○○○●"},
    {YinYangVerdict::Lucky, u"●○●○●○ ○●○●○● ○○●○●● ●●○●○○ ●○●●○○ ○●○○●●"},
    {YinYangVerdict::Sandwiched, u"○●●●○● ●○○○●○ ○○●●○○ ●●○○●●"},
    {YinYangVerdict::Sinking, u"○○●○○● ●●○●●○"},
}};

constexpr int kMinMarks = 2;
constexpr int kMaxMarks = 6;
// Patterns of n marks occupy slots [2^n - 4, 2^(n+1) - 4) of the table.
constexpr int kTableSize = (1 << (kMaxMarks + 1)) - 4;

// The slot of a pattern of count marks whose even marks are the set bits of evenBits, the first
// mark the highest.
constexpr int SlotOf(int count, int evenBits) {
    return (1 << count) - 4 + evenBits;
}

constexpr int SlotOf(std::u16string_view pattern) {
    int bits = 0;
    for (char16_t mark : pattern) {
        bits = bits * 2 + (mark == kEvenMark ? 1 : 0);
    }
    return SlotOf(static_cast<int>(pattern.size()), bits);
}

constexpr bool IsPattern(std::u16string_view text) {
    if (text.size() < kMinMarks || text.size() > kMaxMarks) {
        return false;
    }
    for (char16_t mark : text) {
        if (mark != kOddMark && mark != kEvenMark) {
            return false;
        }
    }
    return true;
}

constexpr std::array<YinYangVerdict, kTableSize> BuildVerdictTable() {
    std::array<YinYangVerdict, kTableSize> table{};
    table.fill(YinYangVerdict::Neutral);
    for (const PatternRow& row : kPatternRows) {
        std::u16string_view rest = row.patterns;
        while (!rest.empty()) {
            const std::size_t blank = rest.find(u' ');
            table[SlotOf(rest.substr(0, blank))] = row.verdict;
            rest = blank == std::u16string_view::npos ? u"" : rest.substr(blank + 1);
        }
    }
    return table;
}

constexpr std::array<YinYangVerdict, kTableSize> kVerdictOfPattern = BuildVerdictTable();

}  // namespace

YinYangVerdict YinYangVerdictOf(std::u16string_view pattern) {
    return IsPattern(pattern) ? kVerdictOfPattern[SlotOf(pattern)] : YinYangVerdict::Neutral;
}

YinYangResult JudgeYinYang(const NamePositions& name) {
    std::array<char16_t, kMaxMarks> marks{};
    int count = 0;
    int evenBits = 0;  // for SlotOf, without reading the marks again
    for (const int strokes : name.strokeCounts) {
        if (strokes == 0) {
            break;
        }
        const bool even = strokes % 2 == 0;
        marks[count++] = even ? kEvenMark : kOddMark;
        evenBits = evenBits * 2 + (even ? 1 : 0);
    }
    return {
        std::u16string_view(marks.data(), static_cast<std::size_t>(count)),
        count < kMinMarks ? YinYangVerdict::Neutral : kVerdictOfPattern[SlotOf(count, evenBits)]};
}

}  // namespace namori
