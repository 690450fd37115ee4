#include "rules/YinYang.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <vector>

#include "data/Cp932.h"

namespace namori {
namespace {

constexpr auto kLuckyYinYang = YinYangVerdict::Lucky;
constexpr auto kSingleYinYang = YinYangVerdict::Single;
constexpr auto kSplitYinYang = YinYangVerdict::Split;
constexpr auto kSandwichedYinYang = YinYangVerdict::Sandwiched;
constexpr auto kSinkingYinYang = YinYangVerdict::Sinking;
constexpr auto kCalamityYinYang = YinYangVerdict::Calamity;
constexpr auto kNeutralYinYang = YinYangVerdict::Neutral;

// Every categorised pattern, written out independently of the program's own table.
const std::map<std::u16string, YinYangVerdict>& Categorised() {
    static const std::map<std::u16string, YinYangVerdict> table = [] {
        std::map<std::u16string, YinYangVerdict> result;
        const std::pair<YinYangVerdict, std::vector<std::u16string_view>> rows[] = {
            {kLuckyYinYang, {u"○●",     u"●○",     u"●○○",    u"○○●",    u"●●○",    u"○●●",
                             u"●○●○",   u"○●○●",   u"●●○●",   u"○○●○",   u"●○●●",   u"○●○○",
                             u"●○○●○",  u"○●●○●",  u"●○●○●",  u"○●○●○",  u"○●○●●",  u"●○●○○",
                             u"●○●○●○", u"○●○●○●", u"○○●○●●", u"●●○●○○", u"●○●●○○", u"○●○○●●"}},
            {kSingleYinYang, {u"○○", u"●●", u"●●●", u"○○○", u"○○○○", u"●●●●"}},
            {kSandwichedYinYang,
             {u"○●○", u"●○●", u"○●●○", u"●○○●", u"●●○○●", u"○●●○○", u"●○○●●", u"○●●●○●", u"●○○○●○",
              u"○○●●○○", u"●●○○●●"}},
            {kSplitYinYang, {u"○○●●", u"●●○○", u"○○●●●", u"●●●○○"}},
            {kCalamityYinYang,
             {u"○○○●", u"○●●●", u"●●●○", u"●○○○", u"○●●●●", u"●○○○○", u"●●●●○", u"○○○○●"}},
            {kSinkingYinYang, {u"○○●○○●", u"●●○●●○"}},
        };
        for (const auto& [verdict, patterns] : rows) {
            for (std::u16string_view pattern : patterns) {
                result.emplace(pattern, verdict);
            }
        }
        return result;
    }();
    return table;
}

TEST(YinYangVerdictOf, EveryPatternOfTwoToSixMarks) {
    int neutralFive = 0;
    int neutralSix = 0;
    for (int marks = 2; marks <= 6; ++marks) {
        for (int bits = 0; bits < (1 << marks); ++bits) {
            std::u16string pattern;
            for (int i = marks - 1; i >= 0; --i) {
                pattern += ((bits >> i) & 1) ? kEvenMark : kOddMark;
            }
            const auto found = Categorised().find(pattern);
            const YinYangVerdict verdict = YinYangVerdictOf(pattern);
            if (found == Categorised().end()) {
                ASSERT_GE(marks, 5) << "every short pattern has a category";
                EXPECT_EQ(verdict, kNeutralYinYang) << Utf16ToUtf8(pattern);
                (marks == 5 ? neutralFive : neutralSix)++;
            } else {
                EXPECT_EQ(verdict, found->second) << Utf16ToUtf8(pattern);
            }
        }
    }
    EXPECT_EQ(neutralFive, 17);
    EXPECT_EQ(neutralSix, 52);
}

TEST(YinYangVerdictOf, PatternsOfOtherLengthsAreNeutral) {
    EXPECT_EQ(YinYangVerdictOf(u""), kNeutralYinYang);
    EXPECT_EQ(YinYangVerdictOf(u"○"), kNeutralYinYang);
    EXPECT_EQ(YinYangVerdictOf(u"○●○●○●○"), kNeutralYinYang);
    EXPECT_EQ(YinYangVerdictOf(u"○x"), kNeutralYinYang);
}

YinYangResult WithCounts(std::initializer_list<int> counts) {
    NamePositions name;
    int position = 0;
    for (int count : counts) {
        name.strokeCounts[position++] = static_cast<std::int16_t>(count);
    }
    return JudgeYinYang(name);
}

TEST(JudgeYinYang, MarksOddAndEvenCountsDownTheName) {
    const struct {
        YinYangResult result;
        std::u16string_view pattern;
        YinYangVerdict verdict;
    } rows[] = {
        {WithCounts({5, 7, 4, 9}), u"○○●○", kLuckyYinYang},
        {WithCounts({7, 8}), u"○●", kLuckyYinYang},
        {WithCounts({1, 7, 8, 1}), u"○○●○", kLuckyYinYang},
        {WithCounts({3, 5, 2, 9, 1, 4}), u"○○●○○●", kSinkingYinYang},
        {WithCounts({1, 3, 5, 7, 9}), u"○○○○○", kNeutralYinYang},
        {WithCounts({1, 3, 5, 7}), u"○○○○", kSingleYinYang},
        {WithCounts({1, 3, 5, 7, 2}), u"○○○○●", kCalamityYinYang},
        {WithCounts({2, 4, 6}), u"●●●", kSingleYinYang},
        {WithCounts({5, 11, 0, 8}), u"○○", kSingleYinYang},  // stops at the first 0
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
        EXPECT_EQ(row.result.yinYangPattern, row.pattern);
        EXPECT_EQ(row.result.yinYangVerdict, row.verdict);
    }
}

}  // namespace
}  // namespace namori
