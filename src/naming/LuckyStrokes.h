#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/NamePreparation.h"
#include "analysis/ReferenceTables.h"

namespace namori {

class NameGuide;

// Stroke counts tried for each character of a given name.
inline constexpr int kMaxPatternStrokes = 30;

// Stroke counts for the characters of a given name whose three faces beside a surname are all
// favourable, with the judgement that says so.
struct LuckyPattern {
    std::vector<std::int16_t> counts;   // one per character of the given name
    std::vector<std::int16_t> strokes;  // every name position as judged, complement included
    std::array<int, 5> luck{};
    std::array<Mark, 5> marks{};
    int markScore = 0;        // ◎ 2, ○ 1
    long long spellings = 0;  // how many spellings the dictionary's kanji of these counts give
};

struct LuckyPatterns {
    NamePreparation surnameProblem;  // why the surname cannot be judged; ready() when it can
    std::vector<LuckyPattern> patterns;
};

// Every pattern of counts 1..kMaxPatternStrokes for a given name of characters characters (1 to
// 3) whose faces beside surname are all favourable, judged as the judge command judges a name
// with those counts (complement included), and that some kanji of the dictionary (with a guide:
// some lawful name kanji) can fill. Ranked by the marks of the five luck numbers, then by the
// number of spellings those kanji give, then by the counts.
LuckyPatterns FindLuckyPatterns(const ReferenceTables& tables, std::u16string_view surname,
                                int characters, bool complement, const NameGuide* guide = nullptr);

// The dictionary's kanji of strokes strokes (kana and other characters left out), in the
// dictionary's order (the shipped one lists the kanji most used in names first). With a guide,
// only the kanji the law allows in a given name, that parents do not avoid and that real given
// names or the rankings use: the most popular in given names first (kanji rankings, then name
// rankings), then those most real given names use.
std::vector<char16_t> KanjiOfStrokes(const KanjiDictionary& dictionary, int strokes,
                                     const NameGuide* guide = nullptr);

}  // namespace namori
