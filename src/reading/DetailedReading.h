#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "rules/Ratings.h"

namespace namori {

struct JudgementStore;
class ReadingTexts;

// One of the seven texts the spirit-number table gives a number, under its aspect's name.
struct ReadingAspect {
    std::u16string name;  // 性格, 仕事, …
    std::u16string text;
};

// One luck number read in full.
struct LuckReading {
    std::u16string name;  // 祖運, 主運, 初運, 助運, 総運
    std::u16string rule;  // how it is counted: 名字の合計, …
    int value = 0;
    int spiritNumber = 0;  // the number that grades it: the value, reduced above 81
    std::u16string phrase;
    std::u16string mark;
    std::u16string meaning;  // what this luck number stands for
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
    std::u16string elementVerdict;
    std::u16string elementVerdictMeaning;
    std::vector<ElementReading> elements;  // the triple's elements, each once, in its order
    std::u16string yinYangPattern;
    std::u16string yinYangVerdict;
    std::u16string yinYangMeaning;
    std::array<FaceReading, 3> faces;
    // The given name's kanji that may not be registered as a child's name; nothing when that
    // was not checked (the naming data could not be read).
    std::optional<std::u16string> unlawfulKanji;
};

// The reading of the last judgement in store, without explanations.
DetailedReading ReadingOf(const JudgementStore& store);

// Fills the explanations of reading from texts.
void ExplainReading(DetailedReading& reading, const ReadingTexts& texts);

// Reads "鑑定解説.txt" from the first folder that holds it and checks that it explains everything
// a judgement can show: every luck number, element, verdict and face. Throws DataFileError when
// the file is missing, malformed or lacks a text.
ReadingTexts LoadReadingTexts(const std::vector<std::filesystem::path>& folders);

}  // namespace namori
