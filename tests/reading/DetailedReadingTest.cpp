#include "reading/DetailedReading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "analysis/ReferenceTables.h"
#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/ReadingTextsFile.h"
#include "reading/ReadingDocument.h"
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
    // 祖運 and 初運 are read in their place for every spirit number, and 助運 reads 恋愛・結婚 from
    // its own number: no two numbers share that text.
    std::set<std::u16string> romance;
    for (int number = 1; number <= SpiritTable::kNumbers; ++number) {
        judgement.luck.ancestorLuck = judgement.luck.earlyLuck = judgement.luck.assistLuck = number;
        reading = readingOf();
        ExplainReading(reading, texts);
        for (const LuckReading* luck : {&reading.luck[0], &reading.luck[2]}) {
            ASSERT_EQ(luck->aspects.size(), 1u) << number;
            EXPECT_FALSE(luck->aspects[0].text.empty()) << number;
        }
        ASSERT_EQ(reading.luck[3].aspects.back().name, u"恋愛・結婚");
        romance.insert(reading.luck[3].aspects.back().text);
    }
    EXPECT_EQ(romance.size(), std::size_t{SpiritTable::kNumbers});
    // Every rating of every face, explained by its own slot's texts: by slot, the opening words of
    // the shipped slot text, then of the favourable, middling and unfavourable texts.
    const std::u16string_view openings[3][4] = {
        {u"５運の判定は", u"四つの印がそろって◎", u"△はなく", u"四つのどこかに△"},
        {u"５行の判定は", u"凶とされる組み合わせはありません", u"凶とされる組み合わせはないものの",
         u"伝統で凶とされる"},
        {u"陰陽の判定は", u"幸運陰陽に当たります", u"名前の付いた型に当てはまらない",
         u"幸運陰陽以外"}};
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
    // A line added at the end: the one after the shipped file's last.
    const int added = static_cast<int>(std::count(shipped.begin(), shipped.end(), '\n')) + 1;
    const struct {
        const char* name;
        std::string bytes;  // empty: no file at all
        int line;
        const char* problem;
    } cases[] = {
        {"missing", "", 0, "見つかりません"},
        {"a text left out", shipped.substr(firstLine.size()), 0, "の解説がありません"},
        {"a text twice", shipped + firstLine, added, "二度あります"},
        {"an unclosed quote", shipped + "\"luck\",\"祖運\",\"…\r\n", added, ""},
        {"not code page 932", shipped + "\x82\r\n", added, "シフトJIS"},
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

// Every luck number's counting rule, for every shape of name (one to three characters in each
// part, with and without the complement), names terms that are this name's own counts and add
// up to the number printed beside it; the texts name the same characters and leave no placeholder.
TEST(DetailedReading, CountingRulesAddUpForEveryShape) {
    ReferenceTables tables;
    LoadSpiritNumbers(tables, testing::ShippedDataFolder());
    const ReadingTexts texts = LoadReadingTexts({testing::ShippedDataFolder()});
    const std::map<char16_t, int> counts{{u'甲', 2}, {u'乙', 3},  {u'丙', 5},
                                         {u'丁', 7}, {u'戊', 11}, {u'己', 13}};
    for (int shape = 0; shape < 18; ++shape) {
        const std::u16string surname = std::u16string(u"甲乙丙").substr(0, 1 + shape % 3);
        const std::u16string givenName = std::u16string(u"丁戊己").substr(0, 1 + shape / 3 % 3);
        std::vector<std::int16_t> registered;
        for (char16_t c : surname + givenName) {
            registered.push_back(static_cast<std::int16_t>(counts.at(c)));
        }
        const Judgement judgement = Judge({surname, givenName, shape >= 9, registered}, tables);
        ASSERT_TRUE(judgement.ready()) << shape;
        DetailedReading reading = ReadingOf(judgement, tables.spiritTable);
        ExplainReading(reading, texts);
        const std::string page = ReadingPage(ReadingDocumentOf(reading));
        EXPECT_EQ(page.find_first_of("{}", page.find("<body>")), std::string::npos) << page;
        for (const LuckReading& luck : reading.luck) {
            const std::string rule = Utf16ToUtf8(luck.rule);
            std::u16string named = luck.characters;  // "「甲乙」と霊数" read as "甲乙霊"
            std::erase_if(named, [](char16_t c) {
                return std::u16string_view(u"「」と数").find(c) != std::u16string_view::npos;
            });
            std::u16string termed;
            const std::u16string terms = luck.rule.substr(luck.rule.find(u'　') + 1);
            const std::size_t equals = terms.find(u'＝');
            ASSERT_NE(equals, std::u16string::npos) << rule;
            int sum = 0;
            for (std::size_t at = 0; at < equals;) {
                const std::size_t end = std::min(terms.find(u'＋', at), equals);
                const std::u16string term = terms.substr(at, end - at);
                const bool spirit = term.starts_with(u"霊数");
                const std::size_t digits = spirit ? 2 : 3;
                ASSERT_TRUE(spirit || (term.size() > 3 && term[0] == u'「' && term[2] == u'」'))
                    << rule;
                const int count = std::stoi(Utf16ToUtf8(term.substr(digits)));
                EXPECT_EQ(count, spirit ? 1 : counts.at(term[1])) << rule;
                termed += spirit ? u'霊' : term[1];
                sum += count;
                at = end + 1;
            }
            EXPECT_EQ(std::stoi(Utf16ToUtf8(terms.substr(equals + 1))), sum) << rule;
            EXPECT_EQ(named, termed) << rule << " " << Utf16ToUtf8(luck.characters);
            EXPECT_EQ(luck.value, sum)
                << Utf16ToUtf8(surname + u" " + givenName) << " "
                << (shape >= 9 ? "with" : "without") << " the complement: " << rule;
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

// The 総合鑑定 of every combination of marks on the four rated numbers says how many are 凶数 and
// names exactly those, calls no other number 凶数 or 吉数 against its mark, says so when numbers
// repeat, and opens no sentence with a connective that has nothing before it to connect.
TEST(DetailedReading, ConclusionClaimsMatchTheMarks) {
    ReferenceTables tables;
    LoadSpiritNumbers(tables, testing::ShippedDataFolder());
    const ReadingTexts texts = LoadReadingTexts({testing::ShippedDataFolder()});
    std::map<Mark, int> numberOf;  // one number of each mark, the first the table gives it
    for (int number = 81; number >= 1; --number) {
        numberOf[tables.spiritTable.spiritMark[number]] = number;
    }
    const Mark marks[] = {Mark::Good, Mark::Mixed, Mark::Bad};
    const std::u16string_view counted[] = {u"凶数はありません", u"凶数は一つ", u"凶数は二つ",
                                           u"凶数は三つ", u"どれも凶数"};
    const std::u16string_view names[] = {u"主運", u"初運", u"助運", u"総運"};
    for (int combination = 0; combination < 81; ++combination) {
        std::array<int, 4> values{};
        std::array<Mark, 4> chosen{};
        int unfavourable = 0;
        for (int place = 0, rest = combination; place < 4; ++place, rest /= 3) {
            chosen[place] = marks[rest % 3];
            values[place] = numberOf[chosen[place]];
            unfavourable += chosen[place] == Mark::Bad ? 1 : 0;
        }
        Judgement judgement;
        judgement.luck = {80, values[0], values[1], values[2], values[3]};
        DetailedReading reading = ReadingOf(judgement, tables.spiritTable);
        ExplainReading(reading, texts);
        const std::u16string& text = reading.conclusion;
        const std::string shown = Utf16ToUtf8(text);
        const bool allGood =
            unfavourable == 0 && std::count(chosen.begin(), chosen.end(), Mark::Good) == 4;
        for (int count = 0; count <= 4; ++count) {
            const bool claimed = text.find(counted[count]) != std::u16string::npos;
            EXPECT_EQ(claimed, count == unfavourable && !allGood) << shown;
        }
        EXPECT_EQ(allGood, text.find(u"どれも吉数") != std::u16string::npos) << shown;
        const std::vector<std::u16string> sentences = SentencesOf(text);
        for (std::size_t s = 0; s < sentences.size(); ++s) {
            const std::u16string& sentence = sentences[s];
            for (std::u16string_view opening : {u"なかでも", u"とくに", u"一方で", u"ただし"}) {
                EXPECT_FALSE(sentence.starts_with(opening)) << shown;
            }
            for (int place = 0; place < 4; ++place) {
                const std::u16string named =
                    std::u16string(names[place]) + U16(std::to_string(values[place]));
                const std::size_t at = sentence.find(named);
                if (at == std::u16string::npos || s == 0) {
                    continue;  // the opening names all four
                }
                const bool bad = sentence.find(u"凶数", at) != std::u16string::npos;
                const bool good = sentence.find(u"吉数", at) != std::u16string::npos;
                EXPECT_TRUE(!bad || chosen[place] == Mark::Bad) << shown;
                EXPECT_TRUE(!good || chosen[place] == Mark::Good) << shown;
            }
            // The opening names the 凶数 in brackets: exactly the four's △.
            const std::size_t open = sentence.find(u"（");
            if (s == 0 && open != std::u16string::npos) {
                for (int place = 0; place < 4; ++place) {
                    const bool listed = sentence.find(names[place], open) != std::u16string::npos;
                    EXPECT_EQ(listed, chosen[place] == Mark::Bad) << shown;
                }
            }
        }
        const std::set<int> distinct(values.begin(), values.end());
        EXPECT_EQ(distinct.size() < 4, text.find(u"同じ") != std::u16string::npos) << shown;
    }
}

// A 相剋 that the table does not list as 凶 is explained where the five elements rate 良, so that
// 土水火 beside a named 木土木 does not read as a mistake; a triple without a 相剋, or one the
// table names, gets no such line. The 相剋 are the classical ones: 木剋土, 土剋水, 水剋火, 火剋金,
// 金剋木.
TEST(DetailedReading, CheckingPairsTheTableDoesNotNameAreExplained) {
    ReferenceTables tables;
    LoadSpiritNumbers(tables, testing::ShippedDataFolder());
    const ReadingTexts texts = LoadReadingTexts({testing::ShippedDataFolder()});
    const struct {
        std::u16string_view triple;
        ElementVerdict verdict;
        bool explained;
    } rows[] = {{u"土水火", ElementVerdict::NoMisfortune, true},   // 土剋水, 水剋火
                {u"木金木", ElementVerdict::NoMisfortune, true},   // 金剋木 both ways
                {u"金木火", ElementVerdict::NoMisfortune, true},   // 金剋木, then 木生火
                {u"木火土", ElementVerdict::NoMisfortune, false},  // 木生火, 火生土
                {u"水水水", ElementVerdict::NoMisfortune, false},  // 比和
                {u"木土木", ElementVerdict::Illness, false}};
    for (const auto& row : rows) {
        Judgement judgement;
        judgement.elements.elementTriple = row.triple;
        judgement.elements.elementVerdict = row.verdict;
        DetailedReading reading = ReadingOf(judgement, tables.spiritTable);
        ExplainReading(reading, texts);
        EXPECT_EQ(reading.elementVerdictMeaning.find(u"相剋") != std::u16string::npos,
                  row.explained)
            << Utf16ToUtf8(reading.elementVerdictMeaning);
    }
}

// ◎ and △ never look alike on the page: each is drawn in a class of its own, and the two classes
// differ in colour.
TEST(DetailedReading, GoodAndBadMarksLookDifferentOnThePage) {
    DetailedReading reading;
    reading.surname = u"林";
    reading.givenName = u"翔";
    for (std::size_t slot = 0; slot < reading.luck.size(); ++slot) {
        reading.luck[slot].name = std::u16string(kLuckFields[slot].name);
        reading.luck[slot].mark = slot % 2 == 0 ? Mark::Good : Mark::Bad;
    }
    const std::string page = ReadingPage(ReadingDocumentOf(reading));
    const auto colourOf = [&page](const std::string& mark) {
        const std::size_t cell = page.find("\">" + mark + "<");
        const std::size_t open = page.rfind("class=\"", cell);
        EXPECT_TRUE(cell != std::string::npos && open != std::string::npos) << mark;
        const std::string classes = page.substr(open + 7, cell - open - 7);
        const std::string name = classes.substr(classes.rfind(' ') + 1);
        const std::size_t rule = page.find("." + name + " {");
        EXPECT_NE(rule, std::string::npos) << name;
        const std::size_t colour = page.find("color:", rule);
        return page.substr(colour, page.find(';', colour) - colour);
    };
    EXPECT_NE(colourOf("◎"), colourOf("△"));
}

// The counting line says which counting gave the strokes, and that the complement was added only
// when it was.
TEST(DetailedReading, CountingBasisNamesTheCountingUsed) {
    const ReadingTexts texts = LoadReadingTexts({testing::ShippedDataFolder()});
    const struct {
        StrokeCounting counting;
        std::u16string_view surname, givenName, said, unsaid;
        bool complement;
    } rows[] = {{StrokeCounting::Modern, u"佐藤", u"陽翔", u"新字体", u"旧字体", false},
                {StrokeCounting::Traditional, u"佐藤", u"陽翔", u"旧字体", u"新字体", false},
                {StrokeCounting::Modern, u"１林", u"翔１", u"新字体", u"旧字体", true},
                {StrokeCounting::Traditional, u"１林", u"翔１", u"旧字体", u"新字体", true}};
    for (const auto& row : rows) {
        DetailedReading reading;
        reading.surname = row.surname;
        reading.givenName = row.givenName;
        reading.counting = row.counting;
        ExplainReading(reading, texts);
        const std::string basis = Utf16ToUtf8(reading.countingBasis);
        EXPECT_NE(reading.countingBasis.find(row.said), std::u16string::npos) << basis;
        EXPECT_EQ(reading.countingBasis.find(row.unsaid), std::u16string::npos) << basis;
        EXPECT_EQ(reading.countingBasis.find(u"霊数") != std::u16string::npos, row.complement)
            << basis;
    }
}

}  // namespace
}  // namespace namori
