#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "naming/NamingIndex.h"

namespace namori {

inline constexpr std::size_t kMaxReadingLength = 8;

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

// A natural writing that real names choose for its piece at least this often is a main writing
// of it, as is one a popular name of the reading uses (翔 for と in 陽翔: 2 % of the name
// dictionary's と, but the most used today). A spelling of main writings only is as natural as
// spellings come; one of other natural writings (巳 for み, 十 for と) is listed after them.
inline constexpr double kMainWritingShare = 0.1;

// How natural the kanji of a spelling are for their pieces.
enum class WritingFit { Unusual, Natural, Main };

// Each katakana stands this far above its hiragana.
inline constexpr char16_t kKatakanaOffset = u'ァ' - u'ぁ';

// The hiragana of a katakana; any other character as it is.
char16_t Hiragana(char16_t c);

// Whether c reads as itself in a name: hiragana, katakana or ー.
bool IsKana(char16_t c);

// The kanji of every piece of one reading, each piece looked up once. Without rare, a piece
// keeps only its natural writings and those of ranked spellings for compositions; the split and
// the counts see them all.
class PieceTable {
  public:
    PieceTable(const NamingIndex& index, std::u16string_view reading, bool rare);

    std::u16string_view Piece(std::size_t start, std::size_t length) const {
        return reading_.substr(start, length);
    }
    // The kanji a composition may write the piece with.
    const std::vector<KanjiPiece>& Of(std::size_t start, std::size_t length) const {
        return offered_[Key(start, length)];
    }
    // How many real names write the piece, with any kanji.
    int NamesOf(std::size_t start, std::size_t length) const {
        return pieceNames_[Key(start, length)];
    }
    // How many real names write the piece with kanji; -1 when it is no reading of kanji.
    int NamesOf(std::size_t start, std::size_t length, char16_t kanji) const;
    // In how many ranked spellings kanji stands for the piece (0 also when it is no reading).
    int RecentOf(std::size_t start, std::size_t length, char16_t kanji) const;
    // Whether KANJIDIC gives the piece as a kun reading or nanori of kanji.
    bool IsDictionaryReading(std::size_t start, std::size_t length, char16_t kanji) const;

    // Takes the writings of a popular name, split into pieces, as natural and main writings of
    // their pieces; a kanji's piece that is no reading of it stays out.
    void AddPopularWritings(std::u16string_view spelling,
                            const std::vector<std::u16string>& pieces);
    // Whether a popular name of the reading writes the piece with kanji.
    bool IsPopularWriting(std::size_t start, std::size_t length, char16_t kanji) const;
    // How well kanji fits the piece (see kMainWritingShare); a writing of a ranked spelling is a
    // main one.
    WritingFit Fit(std::size_t start, std::size_t length, char16_t kanji) const;

  private:
    static constexpr std::size_t kKeys = (kMaxReadingLength + 1) * (kMaxReadingLength + 1);
    static std::size_t Key(std::size_t start, std::size_t length) {
        return start * (kMaxReadingLength + 1) + length;
    }

    std::array<std::vector<KanjiPiece>, kKeys> offered_;
    std::array<std::vector<KanjiPiece>, kKeys> all_;
    std::array<int, kKeys> pieceNames_{};
    std::vector<std::pair<std::size_t, char16_t>> popularWritings_;  // (key, kanji)
    std::u16string_view reading_;
};

// A cut of a reading into one piece per character of a spelling, and how natural it is: the
// product of the pieces' shares of real names (a kana piece counts 1).
struct ReadingSplit {
    std::vector<std::u16string> pieces;
    double score = -1;  // below 0: no cut fits
};

// The most natural cut of reading into one piece per character of spelling: a kanji reads a
// piece the index lists for it, a kana reads itself, 々 repeats the kanji before it. When no such
// cut fits, one kanji may read whatever piece the others leave (a popular ateji: 陽葵 ひまり is
// 陽=ひ・葵=まり), at the lowest score.
ReadingSplit SplitReading(std::u16string_view spelling, std::u16string_view reading,
                          const PieceTable& table, double alignedNames);

// How well the kanji of spelling fit their pieces: the worst fit of any of them; Unusual when
// the split is unknown.
WritingFit SplitFit(std::u16string_view spelling, const std::vector<std::u16string>& pieces,
                    const PieceTable& table);

}  // namespace namori
