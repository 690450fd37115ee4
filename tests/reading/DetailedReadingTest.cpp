#include "reading/DetailedReading.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "analysis/JudgementStore.h"
#include "analysis/ReferenceTables.h"
#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/ReadingTextsFile.h"
#include "rules/FiveElements.h"
#include "rules/YinYang.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::TempFolder;
using testing::U16;

struct Verdicts {
    std::set<std::u16string> elements;
    std::set<std::u16string> yinYang;
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
    JudgementStore store;
    LoadSpiritNumbers(store, testing::ShippedDataFolder());
    const Verdicts verdicts = ProducedVerdicts();
    ASSERT_TRUE(verdicts.elements.contains(u"------") && verdicts.yinYang.contains(u"－－－－"));
    store.elementTriple = u"木火土金水";
    for (const auto* kind : {&verdicts.elements, &verdicts.yinYang}) {
        for (const std::u16string& verdict : *kind) {
            store.elementVerdict = verdict;
            store.yinYangVerdict = verdict;
            DetailedReading reading = ReadingOf(store);
            ExplainReading(reading, texts);
            const std::u16string& meaning =
                kind == &verdicts.elements ? reading.elementVerdictMeaning : reading.yinYangMeaning;
            EXPECT_FALSE(meaning.empty()) << Utf16ToUtf8(verdict);
        }
    }
    DetailedReading reading = ReadingOf(store);
    ExplainReading(reading, texts);
    EXPECT_EQ(reading.elements.size(), 5u);
    for (const ElementReading& element : reading.elements) {
        EXPECT_FALSE(element.meaning.empty());
    }
    for (const LuckReading& luck : reading.luck) {
        EXPECT_FALSE(luck.meaning.empty());
    }
    // Every rating of every face, middling five elements included.
    for (Rating rating : {Rating::Favourable, Rating::Middling, Rating::Unfavourable}) {
        reading = ReadingOf(store);
        for (FaceReading& face : reading.faces) {
            face.rating = rating;
        }
        ExplainReading(reading, texts);
        for (const FaceReading& face : reading.faces) {
            EXPECT_FALSE(face.slotMeaning.empty() || face.text.empty());
        }
    }
    // The seven aspect texts of the numbers are all there and no two numbers share one.
    std::set<std::u16string> aspectTexts;
    for (int number = 1; number <= SpiritTable::kNumbers; ++number) {
        for (const std::u16string& text : store.spiritTable.furtherTexts[number]) {
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
        {"a text twice", shipped + firstLine, 34, "二度あります"},
        {"an unclosed quote", shipped + "\"luck\",\"祖運\",\"…\r\n", 34, ""},
        {"not code page 932", shipped + "\x82\r\n", 34, "シフトJIS"},
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

}  // namespace
}  // namespace namori
