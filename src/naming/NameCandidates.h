#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/ReferenceTables.h"
#include "data/StrokeReference.h"
#include "naming/NamingIndex.h"
#include "naming/ReadingGrounds.h"
#include "naming/ReadingPieces.h"
#include "rules/Ratings.h"

namespace namori {

class NameGuide;

enum class CandidateKind { RealName, Composition, Kana };
enum class SexFilter { Either, Male, Female };

// How natural a spelling is, in the order the default list shows them: a spelling of the
// published rankings (人気), another real given name (よくある), a natural composition or the
// kana (自然), any other composition (まれ, only when asked for).
enum class NameBand { Popular, Common, Natural, Rare };

// The default order puts the band first and fortune within it; Fortune puts the faces and
// marks first and the band within them.
enum class RankOrder { Natural, Fortune };

// A real name is よくある when at least this many entries of the name dictionary bear its
// spelling and its kanji are what parents write today (each in the name rankings); one borne
// once is as natural as a composition.
inline constexpr int kCommonSpellingMinimum = 2;
// A real name borne by this many entries is よくある with older kanji too, as long as each kanji
// reads its piece as the kanji index lists it (小春 こはる: 小 is こ in few names, 旭 あさひ).
inline constexpr int kWellKnownSpellingMinimum = 5;

// A kanji reads its piece plainly when the real names that write the kanji read it so at least
// this often (翔 is と in a fifth of them and なた in none; 穂 is お in a few), or when a spelling
// of the name rankings reads it so (心 for こ in 心春). A reader meets a spelling with another
// piece as a different name (陽翔 as はると, not ひなた; 明生 as あきお, not あおい).
inline constexpr double kPlainReadingShare = 0.02;

// A real name that only two to four entries bear, with no main writing of its pieces, is
// offered by default only when its kanji read their pieces this often (康 is こう in 31 % of its
// names: 康太); read less plainly (李 もも, 愛 め in 優愛 ゆめ, read ゆあ) it is rare.
inline constexpr double kFewBearersPlainShare = 0.05;

// A composition is offered by default only when each of its kanji is in at least this many
// spellings of the name rankings: a kanji of one ranked name only (空, 虎, 朔) is not yet what
// parents write, and compositions with such kanji were mostly not acceptable to a reader.
inline constexpr int kCompositionRankedSpellings = 2;

// Where a spelling stands within its band: what parents write today first (every kanji in the
// name rankings), then the rest, then the spellings that fight the child's sex
// (a kanji real names give mostly to the other one), that borrow an ordinary word read otherwise
// (六 for りく, 子葉 in 子葉瑠), that mix kanji and kana (こ春), or that are three-kanji ateji;
// those come last in their band.
enum class SpellingStanding { Current, Plain, Demoted };

// A given name read as the wanted reading, with its judgement beside the surname.
struct NameCandidate {
    std::u16string spelling;
    CandidateKind kind = CandidateKind::Composition;
    char sex = 'g';
    int commonness = 0;      // real names: how common the spelling is
    double naturalness = 0;  // compositions: the product of their pairs' shares of real names
    bool natural = true;     // a real name, a kana spelling or a natural composition
    NameBand band = NameBand::Natural;
    int popularity = 0;  // points in the published rankings for this reading and sex
    bool ranked = false;  // a spelling of the published rankings (some reading): at least よくある
    SpellingStanding standing = SpellingStanding::Plain;
    // The piece of the reading each character stands for (陽 はる, 翔 と); empty when unknown.
    std::vector<std::u16string> pieces;
    std::u16string reading;                // the reading it was found for
    std::vector<CharacterGround> grounds;  // how each character reads its piece, when asked
    // Ranks names within a band: the popularity, or for other spellings the share of real names
    // writing each piece so, weighted by the kanji's own popularity.
    double weight = 0;

    // The judgement: name positions' counts, the five luck numbers and their marks, the faces.
    std::u16string surname;    // as judged, complement included
    std::u16string givenName;  // as judged, complement included
    std::vector<std::int16_t> strokes;
    std::array<int, 5> luck{};
    std::array<Mark, 5> marks{};
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
//
// With a guide, only what a parent could register and would write: every kanji lawful, none
// that parents avoid, no ordinary word read otherwise (unless popular); the popular spellings of
// the reading come first, marked 人気; and the name dictionary's sex is a hint: a spelling it
// gives the other sex only is still offered when the rankings list it for this sex.
std::vector<NameCandidate> GenerateCandidates(const NamingIndex& index, std::u16string_view reading,
                                              SexFilter sex, bool rare = false,
                                              const NameGuide* guide = nullptr);

// The band as the windows and the terminal show it: 人気, よくある, 自然 or まれ.
std::u16string NaturalnessText(const NameCandidate& candidate);

// The reading split by character, e.g. 陽=はる・翔=と; kana stand for themselves and are shown
// alone. Empty when the split is unknown.
std::u16string ReadingSplitText(const NameCandidate& candidate);

// Whether all three faces are favourable (三つとも良).
bool AllFacesFavourable(const NameCandidate& candidate);

// Judges every candidate beside surname as the judge command would (complement included),
// taking a count the dictionary lacks from reference and marking the candidate; a candidate with
// a character neither knows is dropped. Then ranks them: the rare compositions last; before
// them by band (so a popular spelling is never below an odd composition); within each band, by
// faces (favourable 2, middling 1), then the marks of the five luck numbers (◎ 2, ○ 1), then by
// weight. RankOrder::Fortune ranks by faces and marks before the band.
std::vector<NameCandidate> JudgeAndRank(const ReferenceTables& tables, std::u16string_view surname,
                                        std::vector<NameCandidate> candidates, bool complement,
                                        const StrokeReference& reference,
                                        RankOrder order = RankOrder::Natural);

}  // namespace namori
