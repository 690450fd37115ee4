#include "rules/FiveElements.h"

#include <gtest/gtest.h>

#include <map>

#include "data/Cp932.h"

namespace namori {
namespace {

constexpr auto kDisasterLuck = ElementVerdict::Disaster;
constexpr auto kIllnessLuck = ElementVerdict::Illness;
constexpr auto kAccidentLuck = ElementVerdict::Accident;
constexpr auto kNoElementMisfortune = ElementVerdict::NoMisfortune;

TEST(FiveElementVerdictOf, EveryOneOfThe125Triples) {
    const std::map<std::u16string, ElementVerdict> unlucky = {
        {u"木土水", kDisasterLuck}, {u"火土水", kDisasterLuck}, {u"火水火", kDisasterLuck},
        {u"土水土", kDisasterLuck}, {u"土土木", kDisasterLuck}, {u"金水火", kDisasterLuck},
        {u"水土水", kDisasterLuck}, {u"水火水", kDisasterLuck}, {u"木土木", kIllnessLuck},
        {u"木金火", kIllnessLuck},  {u"火金木", kIllnessLuck},  {u"火火水", kIllnessLuck},
        {u"火金火", kIllnessLuck},  {u"金木金", kIllnessLuck},  {u"金火金", kIllnessLuck},
        {u"金金水", kAccidentLuck}, {u"火金水", kAccidentLuck}, {u"金火水", kAccidentLuck},
        {u"金土水", kAccidentLuck}, {u"水水火", kAccidentLuck}, {u"水金水", kAccidentLuck}};
    const std::u16string elements = u"木火土金水";
    int neutral = 0;
    for (char16_t first : elements) {
        for (char16_t second : elements) {
            for (char16_t third : elements) {
                const std::u16string triple = {first, second, third};
                const auto found = unlucky.find(triple);
                const ElementVerdict expected =
                    found == unlucky.end() ? kNoElementMisfortune : found->second;
                EXPECT_EQ(FiveElementVerdictOf(triple), expected) << Utf16ToUtf8(triple);
                neutral += found == unlucky.end() ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(neutral, 104);
    EXPECT_EQ(FiveElementVerdictOf(u"木土"), kNoElementMisfortune);
}

TEST(JudgeFiveElements, UsesTheLastDigitOfEachLuckNumber) {
    const struct {
        int ancestor, main, early;
        std::u16string_view digits, triple;
        ElementVerdict verdict;
    } rows[] = {
        {10, 15, 20, u"0 - 5 - 0", u"水土水", kDisasterLuck},
        {13, 15, 20, u"3 - 5 - 0", u"火土水", kDisasterLuck},
        {23, 15, 20, u"3 - 5 - 0", u"火土水", kDisasterLuck},
        {2, 5, 9, u"2 - 5 - 9", u"木土水", kDisasterLuck},
        {9, 5, 2, u"9 - 5 - 2", u"水土木", kNoElementMisfortune},
        {3, 7, 10, u"3 - 7 - 0", u"火金水", kAccidentLuck},
        {5, 12, 8, u"5 - 2 - 8", u"土木金", kNoElementMisfortune},
        {11, 21, 31, u"1 - 1 - 1", u"木木木", kNoElementMisfortune},
        {103, 87, 0, u"3 - 7 - 0", u"火金水", kAccidentLuck},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
        const FiveElementResult result = JudgeFiveElements({row.ancestor, row.main, row.early});
        EXPECT_EQ(result.elementDigits, row.digits);
        EXPECT_EQ(result.elementTriple, row.triple);
        EXPECT_EQ(result.elementVerdict, row.verdict);
    }
}

}  // namespace
}  // namespace namori
