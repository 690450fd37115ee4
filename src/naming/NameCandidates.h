#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/StrokeReference.h"
#include "naming/NamingIndex.h"
#include "rules/Ratings.h"

namespace namori {

struct JudgementStore;

enum class CandidateKind { RealName, Composition, Kana };
enum class SexFilter { Either, Male, Female };

// A composition is natural when every piece is written with a kanji that real given names
// write that piece with: at least kNaturalPairMinimum of them, and at least kNaturalPairShare of
// all the real names' writings of that piece. The count keeps out one-off and misread pairs
// (about half the pairs real names use); the share keeps out kanji that only now and then stand
// for a common piece (玄 for はる, 2.5 % of its writings; 芳 for は, 1 %), which gave lists
// topped by 玄兎 and 芳瑠十 while 春, 晴 and 陽 (8 to 24 %) are what parents write.
inline constexpr int kNaturalPairMinimum = 5;
inline constexpr double kNaturalPairShare = 0.03;

// Whether a kanji used by pairNames real names for a piece that pieceNames real names write (with
// any kanji) is a natural writing of it.
inline bool IsNaturalPair(int pairNames, int pieceNames) {
    return pairNames >= kNaturalPairMinimum && pairNames >= kNaturalPairShare * pieceNames;
}

// A given name read as the wanted reading, with its judgement beside the surname.
struct NameCandidate {
    std::u16string spelling;
    CandidateKind kind = CandidateKind::Composition;
    char sex = 'g';
    int commonness = 0;      // real names: how common the spelling is
    double naturalness = 0;  // compositions: the product of their pairs' shares of real names
    bool natural = true;     // a real name, a kana spelling or a natural composition

    // The judgement: name positions' counts, the five luck numbers and their marks, the faces.
    std::u16string surname;    // as judged, complement included
    std::u16string givenName;  // as judged, complement included
    std::vector<std::int16_t> strokes;
    std::array<int, 5> luck{};
    std::array<std::u16string, 5> marks;
    std::array<Rating, 3> faces{};
    bool fromReference = false;  // a count came from the reference table, not the dictionary
    int score = 0;               // faces, for ranking
    int markScore = 0;           // marks of the five luck numbers, for ranking
};

// Why reading cannot be used: 1 to 8 hiragana (small kana, ー and ゔ included). Nothing when it
// can.
std::optional<std::u16string> ReadingProblem(std::u16string_view reading);

// Every given name of one to three characters read as reading: real names (filtered by sex),
// compositions of one to three kanji each read as a piece of the reading, and the reading in
// hiragana and in katakana. Each spelling once, the first way found (a composition found by
// several cuts keeps its most natural one). Compositions are the natural ones only, unless
// rare is set: then every composition the index's readings allow. Throws DataFileError when
// an index line read is malformed.
std::vector<NameCandidate> GenerateCandidates(const NamingIndex& index, std::u16string_view reading,
                                              SexFilter sex, bool rare = false);

// The naturalness as the windows and the terminal show it: for a real name its commonness, for
// a composition how many of a million real given names would be expected to be spelled so (its
// naturalness times a million, three significant digits), for kana "－".
std::u16string NaturalnessText(const NameCandidate& candidate);

// Judges every candidate beside surname as the judge command would (complement included),
// taking a count the dictionary lacks from reference and marking the candidate; a candidate with
// a character neither knows is dropped. Then ranks them: the natural candidates before the
// rare compositions; within each, by faces (favourable 2, middling 1), then the marks of the
// five luck numbers (◎ 2, ○ 1), then by naturalness: real names (the more common first), then
// compositions (the more natural first), then kana. Uses store for the judgement and leaves the
// last candidate's judgement in it.
std::vector<NameCandidate> JudgeAndRank(JudgementStore& store, std::u16string_view surname,
                                        std::vector<NameCandidate> candidates, bool complement,
                                        const StrokeReference& reference);

}  // namespace namori
