#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "analysis/StrokeCounting.h"
#include "data/SpiritTable.h"
#include "rules/FiveElements.h"
#include "rules/Ratings.h"
#include "rules/YinYang.h"

namespace namori {

struct Judgement;
class ReadingTexts;

// A text that reads a luck number in its place, under the name of what it reads: one of the
// spirit-number table's aspects (性格, 仕事, …) or the texts of 祖運 and 初運 (家の流れ, 若い時期).
struct ReadingAspect {
    std::u16string name;
    std::u16string text;
};

// One luck number read in full.
struct LuckReading {
    std::u16string name;  // 祖運, 主運, 初運, 助運, 総運
    std::u16string rule;  // how it is counted: 名字の合計, …
    // The characters it counts, as the texts name them: 「藤」と「陽」, 「佐藤」, 霊数 for the
    // complement.
    std::u16string characters;
    int value = 0;
    int spiritNumber = 0;  // the number that grades it: the value, reduced above 81
    std::u16string phrase;
    std::u16string phraseGloss;  // the phrase in plain words
    Mark mark = Mark::None;
    std::u16string meaning;  // what this luck number stands for
    // The aspects this place governs, each read here only: 祖運 the family line, 初運 youth,
    // 主運 性格 and 仕事, 助運 対人 and 家庭, 総運 金運, 健康 and 総評.
    std::vector<ReadingAspect> aspects;
};

struct NameCharacter {
    std::u16string character;
    int strokes = 0;
};

struct ElementReading {
    std::u16string element;  // 木, 火, 土, 金, 水
    std::u16string meaning;
};

struct FaceReading {
    std::u16string title;  // ５運, ５行, 陰陽
    Rating rating = Rating::Favourable;
    std::u16string slotMeaning;  // what the face sums up
    std::u16string text;         // what this rating of it means
};

// The detailed reading of one judgement: everything the judgement found, with the texts that
// explain it. ReadingOf fills what the judgement and the spirit-number table give;
// ExplainReading adds the explanations, so that the texts are read only when a reading is shown.
struct DetailedReading {
    std::u16string surname;    // as judged, complement included
    std::u16string givenName;  // as judged, complement included
    std::vector<NameCharacter> surnameChars;
    std::vector<NameCharacter> givenNameChars;
    std::array<LuckReading, 5> luck;
    std::u16string markLegend;  // what the marks mean, from the spirit-number table
    std::u16string elementDigits;
    std::u16string elementTriple;
    ElementVerdict elementVerdict = ElementVerdict::NoMisfortune;
    std::u16string elementVerdictMeaning;
    std::vector<ElementReading> elements;  // the triple's elements, each once, in its order
    std::u16string elementPairs;  // how 祖運's element stands to 主運's, and 主運's to 初運's
    std::u16string yinYangPattern;
    YinYangVerdict yinYangVerdict = YinYangVerdict::Neutral;
    std::u16string yinYangMeaning;
    std::array<FaceReading, 3> faces;
    std::u16string conclusion;     // the 総合鑑定: a few sentences on the name as a whole
    std::u16string closingNote;    // what a reading is and is not, at the end of every reading
    std::u16string caveat;         // the same in one line, under the title
    std::u16string countingBasis;  // how the characters were counted, the complement included
    std::u16string furigana;       // the name's reading in hiragana, when the front end knows it
    StrokeCounting counting = StrokeCounting::Modern;  // set by the front end that judged
    // For a name with an unfavourable number: stroke counts of the same length beside this
    // surname whose three faces are all favourable, one line each, filled by the front end.
    std::vector<std::u16string> luckyPatterns;
    std::u16string luckyNote;    // what those lines are and are not
    std::u16string readingDate;  // when the reading was made, as the front end shows dates
    // The given name's kanji that may not be registered as a child's name; nothing when that
    // was not checked (the naming data could not be read).
    std::optional<std::u16string> unlawfulKanji;
};

// A date as the reading shows it: "2026年12月7日".
std::u16string ReadingDateText(int year, int month, int day);

// The reading of a judgement, with the texts of table, without explanations.
DetailedReading ReadingOf(const Judgement& judgement, const SpiritTable& table);

// Fills the explanations of reading from texts, the texts of 祖運 and 初運 and the conclusion.
void ExplainReading(DetailedReading& reading, const ReadingTexts& texts);

// Reads "鑑定解説.txt" from the first folder that holds it and checks that it explains everything
// a judgement can show: every luck number in each place, element, verdict, face and piece of the
// conclusion. Throws DataFileError when the file is missing, malformed or lacks a text.
ReadingTexts LoadReadingTexts(const std::vector<std::filesystem::path>& folders);

}  // namespace namori
