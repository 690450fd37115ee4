#include "reading/DetailedReading.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "analysis/ReferenceTables.h"
#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/ReadingTextsFile.h"
#include "rules/FiveElements.h"
#include "rules/Judgement.h"
#include "rules/YinYang.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::TempFolder;
using testing::U16;

struct Verdicts {
    std::set<ElementVerdict> elements;
    std::set<YinYangVerdict> yinYang;
};

// Every verdict the rules give, found by running them over every input they can see: each
// ordered triple of elements and each pattern of up to seven odd and even marks.
Verdicts ProducedVerdicts() {
    Verdicts verdicts;
    const std::u16string elements = u"木火土金水";
    for (char16_t first : elements) {
        for (char16_t second : elements) {
            for (char16_t third : elements) {
                verdicts.elements.emplace(
                    FiveElementVerdictOf(std::u16string{first, second, third}));
            }
        }
    }
    for (int length = 0; length <= 7; ++length) {
        for (int bits = 0; bits < (1 << length); ++bits) {
            std::u16string pattern;
            for (int mark = 0; mark < length; ++mark) {
                pattern += (bits >> mark) & 1 ? kOddMark : kEvenMark;
            }
            verdicts.yinYang.emplace(YinYangVerdictOf(pattern));
        }
    }
    return verdicts;
}

TEST(DetailedReading, ShippedTextsExplainEverythingTheRulesCanShow) {
    const ReadingTexts texts = LoadReadingTexts({testing::ShippedDataFolder()});
    ReferenceTables tables;
    LoadSpiritNumbers(tables, testing::ShippedDataFolder());
    const Verdicts verdicts = ProducedVerdicts();
    ASSERT_TRUE(verdicts.elements.size() == 4 && verdicts.yinYang.size() == 7);
    Judgement judgement;
    const auto readingOf = [&] { return ReadingOf(judgement, tables.spiritTable); };
    DetailedReading reading;
    for (ElementVerdict verdict : verdicts.elements) {
        judgement.elements.elementVerdict = verdict;
        reading = readingOf();
        ExplainReading(reading, texts);
        EXPECT_FALSE(reading.elementVerdictMeaning.empty());
    }
    for (YinYangVerdict verdict : verdicts.yinYang) {
        judgement.yinYang.yinYangVerdict = verdict;
        reading = readingOf();
        ExplainReading(reading, texts);
        EXPECT_FALSE(reading.yinYangMeaning.empty());
    }
    std::size_t elements = 0;
    for (std::u16string_view triple : {u"木火土", u"金水"}) {
        judgement.elements.elementTriple = triple;
        reading = readingOf();
        ExplainReading(reading, texts);
        elements += reading.elements.size();
        for (const ElementReading& element : reading.elements) {
            EXPECT_FALSE(element.meaning.empty());
        }
    }
    EXPECT_EQ(elements, 5u);
    for (const LuckReading& luck : reading.luck) {
        EXPECT_FALSE(luck.meaning.empty());
    }
    // 祖運 and 初運 are read in their place for every spirit number.
    for (int number = 1; number <= SpiritTable::kNumbers; ++number) {
        judgement.luck.ancestorLuck = judgement.luck.earlyLuck = number;
        reading = readingOf();
        ExplainReading(reading, texts);
        for (const LuckReading* luck : {&reading.luck[0], &reading.luck[2]}) {
            ASSERT_EQ(luck->aspects.size(), 1u) << number;
            EXPECT_FALSE(luck->aspects[0].text.empty()) << number;
        }
    }
    // Every rating of every face, explained by its own slot's texts: by slot, the opening words of
    // the shipped slot text, then of the favourable, middling and unfavourable texts.
    const std::u16string_view openings[3][4] = {
        {u"５運の判定は", u"四つの運の印がそろって◎", u"△はないものの", u"四つの運のどこかに△"},
        {u"５行の判定は", u"五行の並びに凶の組み合わせがなく", u"五行の並びに凶の組み合わせはない",
         u"五行の並びが伝統で凶"},
        {u"陰陽の判定は", u"陰と陽が調和した", u"陰陽の並びが決まった型に", u"単一・分離・挟み"}};
    for (int rating = 0; rating < 3; ++rating) {
        reading = readingOf();
        for (FaceReading& face : reading.faces) {
            face.rating = static_cast<Rating>(rating);
        }
        ExplainReading(reading, texts);
        for (std::size_t slot = 0; slot < 3; ++slot) {
            const FaceReading& face = reading.faces[slot];
            EXPECT_TRUE(face.slotMeaning.starts_with(openings[slot][0]) &&
                        face.text.starts_with(openings[slot][1 + rating]))
                << Utf16ToUtf8(face.text);
        }
    }
    // The seven aspect texts of the numbers are all there and no two numbers share one.
    std::set<std::u16string> aspectTexts;
    for (int number = 1; number <= SpiritTable::kNumbers; ++number) {
        for (const std::u16string& text : tables.spiritTable.furtherTexts[number]) {
            EXPECT_FALSE(text.empty()) << number;
            aspectTexts.insert(text);
        }
    }
    EXPECT_EQ(aspectTexts.size(), std::size_t{SpiritTable::kNumbers * SpiritTable::kFurtherTexts});
}

TEST(DetailedReading, BrokenTextFilesAreRefusedNamingTheFileAndLine) {
    const std::string shipped = testing::FileBytes(testing::ShippedDataFolder() / u8"鑑定解説.txt");
    ASSERT_FALSE(shipped.empty());
    const std::string firstLine = shipped.substr(0, shipped.find("\r\n") + 2);
    const struct {
        const char* name;
        std::string bytes;  // empty: no file at all
        int line;
        const char* problem;
    } cases[] = {
        {"missing", "", 0, "見つかりません"},
        {"a text left out", shipped.substr(firstLine.size()), 0, "の解説がありません"},
        {"a text twice", shipped + firstLine, 234, "二度あります"},
        {"an unclosed quote", shipped + "\"luck\",\"祖運\",\"…\r\n", 234, ""},
        {"not code page 932", shipped + "\x82\r\n", 234, "シフトJIS"},
    };
    for (const auto& broken : cases) {
        TempFolder folder;
        if (!broken.bytes.empty()) {
            folder.WriteBytes("鑑定解説.txt", broken.bytes);
        }
        try {
            LoadReadingTexts({folder.path()});
            ADD_FAILURE() << broken.name << ": accepted";
        } catch (const DataFileError& error) {
            EXPECT_EQ(error.fileName(), "鑑定解説.txt") << broken.name;
            EXPECT_EQ(error.line(), broken.line) << broken.name;
            EXPECT_NE(std::string(error.what()).find(broken.problem), std::string::npos)
                << broken.name << ": " << error.what();
        }
    }
}

std::vector<std::u16string> SentencesOf(const std::u16string& text) {
    std::vector<std::u16string> sentences;
    for (std::size_t start = 0, end; (end = text.find(u'。', start)) != std::u16string::npos;
         start = end + 1) {
        sentences.push_back(text.substr(start, end + 1 - start));
    }
    return sentences;
}

// Every text the reading may show, from both shipped files, is worded as a tendency: no phrase of
// the list of forbidden predictions, and no sentence said twice anywhere.
TEST(DetailedReading, ShippedTextsRepeatNoSentenceAndPredictNothing) {
    ReferenceTables tables;
    LoadSpiritNumbers(tables, testing::ShippedDataFolder());
    std::vector<std::u16string> texts;
    for (const auto& number : tables.spiritTable.furtherTexts) {
        texts.insert(texts.end(), number.begin(), number.end());
    }
    const ReadingTexts explanations = LoadReadingTexts({testing::ShippedDataFolder()});
    for (const auto& [key, text] : explanations.entries()) {
        texts.push_back(text);
    }
    std::ifstream list(std::filesystem::path(NAMORI_SOURCE_DIR) / "tools" /
                       "forbidden_predictions.txt");
    std::vector<std::u16string> forbidden;
    for (std::string line; std::getline(list, line);) {
        if (!line.empty() && line[0] != '#') {
            forbidden.push_back(Utf8ToUtf16(line));
        }
    }
    ASSERT_GT(forbidden.size(), 10u);
    std::map<std::u16string, int> uses;
    for (const std::u16string& text : texts) {
        for (const std::u16string& phrase : forbidden) {
            EXPECT_EQ(text.find(phrase), std::u16string::npos)
                << Utf16ToUtf8(phrase) << " in " << Utf16ToUtf8(text);
        }
        for (const std::u16string& sentence : SentencesOf(text)) {
            EXPECT_EQ(++uses[sentence], 1) << Utf16ToUtf8(sentence);
        }
    }
    EXPECT_GT(uses.size(), 1500u);
}

// The 総合鑑定 of every combination of numbers across the three marks, with each verdict: four
// to eight whole sentences with every placeholder filled, and never the same paragraph for
// different numbers.
TEST(DetailedReading, ConclusionsAreWholeAndDifferWithTheNumbers) {
    ReferenceTables tables;
    LoadSpiritNumbers(tables, testing::ShippedDataFolder());
    const ReadingTexts texts = LoadReadingTexts({testing::ShippedDataFolder()});
    const Verdicts verdicts = ProducedVerdicts();
    Judgement judgement;
    auto element = verdicts.elements.begin();
    auto yinYang = verdicts.yinYang.begin();
    std::map<std::u16string, std::vector<int>> numbersOf;
    const int numbers[] = {1, 2, 51, 81};  // ◎ △ ○ ◎
    for (int combination = 0; combination < 4 * 4 * 4 * 4 * 4; ++combination) {
        std::vector<int> chosen;
        for (int place = 0, rest = combination; place < 5; ++place, rest /= 4) {
            chosen.push_back(numbers[rest % 4]);
        }
        judgement.luck = {chosen[0], chosen[1], chosen[2], chosen[3], chosen[4]};
        judgement.elements.elementVerdict = *element;
        judgement.yinYang.yinYangVerdict = *yinYang;
        element = ++element == verdicts.elements.end() ? verdicts.elements.begin() : element;
        yinYang = ++yinYang == verdicts.yinYang.end() ? verdicts.yinYang.begin() : yinYang;
        DetailedReading reading = ReadingOf(judgement, tables.spiritTable);
        ExplainReading(reading, texts);
        const std::size_t sentences = SentencesOf(reading.conclusion).size();
        EXPECT_TRUE(sentences >= 4 && sentences <= 8) << Utf16ToUtf8(reading.conclusion);
        EXPECT_EQ(reading.conclusion.find_first_of(u"{}"), std::u16string::npos)
            << Utf16ToUtf8(reading.conclusion);
        const auto [found, added] = numbersOf.emplace(reading.conclusion, chosen);
        EXPECT_TRUE(added || found->second == chosen) << Utf16ToUtf8(reading.conclusion);
    }
}

}  // namespace
}  // namespace namori
