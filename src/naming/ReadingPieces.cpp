#include "naming/ReadingPieces.h"

#include <algorithm>

#include "naming/NameGuide.h"

namespace namori {

namespace {

// The best cut of reading from start for the characters of spelling from at; freePieces kanji
// may read a piece the index does not list for them.
ReadingSplit BestSplit(std::u16string_view spelling, std::size_t at, std::u16string_view reading,
                       std::size_t start, const PieceTable& table, double alignedNames,
                       int freePieces) {
    ReadingSplit best;
    if (at == spelling.size()) {
        if (start == reading.size()) {
            best.score = 1;
        }
        return best;
    }
    const char16_t kana = Hiragana(spelling[at]);
    const bool isKana = IsKana(spelling[at]);
    const char16_t kanji = spelling[at] == u'々' && at > 0 ? spelling[at - 1] : spelling[at];
    // Leave at least one kana of the reading for each character after this one.
    const std::size_t rest = spelling.size() - at - 1;
    for (std::size_t length = 1; start + length + rest <= reading.size(); ++length) {
        double share = 1;
        bool listed = true;
        if (isKana) {
            if (length != 1 || reading[start] != kana) {
                continue;
            }
        } else {
            const int names = table.NamesOf(start, length, kanji);
            listed = names >= 0;
            if (!listed && freePieces == 0) {
                continue;
            }
            // An unlisted piece scores below every listed one.
            share = listed ? std::min((names + 1) / alignedNames, 1.0) : 0.5 / alignedNames;
        }
        ReadingSplit after = BestSplit(spelling, at + 1, reading, start + length, table,
                                       alignedNames, freePieces - (listed ? 0 : 1));
        if (after.score >= 0 && after.score * share > best.score) {
            after.pieces.insert(after.pieces.begin(),
                                std::u16string(reading.substr(start, length)));
            best = {std::move(after.pieces), after.score * share};
        }
    }
    return best;
}

}  // namespace

char16_t Hiragana(char16_t c) {
    return c >= u'ァ' && c <= u'ヶ' ? static_cast<char16_t>(c - kKatakanaOffset) : c;
}

bool IsKana(char16_t c) {
    const char16_t hiragana = Hiragana(c);
    return (hiragana >= u'ぁ' && hiragana <= u'ゖ') || c == u'ー';
}

PieceTable::PieceTable(const NamingIndex& index, std::u16string_view reading, bool rare)
    : reading_(reading) {
    for (std::size_t start = 0; start < reading.size(); ++start) {
        for (std::size_t length = 1; start + length <= reading.size(); ++length) {
            const std::size_t key = Key(start, length);
            all_[key] = index.KanjiOf(reading.substr(start, length));
            int& names = pieceNames_[key];
            for (const KanjiPiece& piece : all_[key]) {
                names += piece.names;
            }
            for (const KanjiPiece& piece : all_[key]) {
                if (rare || IsNaturalPair(piece.names, names) || piece.recent > 0) {
                    offered_[key].push_back(piece);
                }
            }
        }
    }
}

int PieceTable::NamesOf(std::size_t start, std::size_t length, char16_t kanji) const {
    for (const KanjiPiece& piece : all_[Key(start, length)]) {
        if (piece.kanji == kanji) {
            return piece.names;
        }
    }
    return -1;
}

int PieceTable::RecentOf(std::size_t start, std::size_t length, char16_t kanji) const {
    for (const KanjiPiece& piece : all_[Key(start, length)]) {
        if (piece.kanji == kanji) {
            return piece.recent;
        }
    }
    return 0;
}

bool PieceTable::IsDictionaryReading(std::size_t start, std::size_t length, char16_t kanji) const {
    const std::vector<KanjiPiece>& pieces = all_[Key(start, length)];
    return std::any_of(pieces.begin(), pieces.end(), [kanji](const KanjiPiece& piece) {
        return piece.kanji == kanji && piece.dictionaryReading;
    });
}

void PieceTable::AddPopularWritings(std::u16string_view spelling,
                                    const std::vector<std::u16string>& pieces) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < pieces.size() && i < spelling.size(); ++i) {
        const std::size_t length = pieces[i].size();
        const char16_t kanji = spelling[i];
        if (IsKanji(kanji) && !IsPopularWriting(start, length, kanji)) {
            const std::size_t key = Key(start, length);
            for (const KanjiPiece& piece : all_[key]) {
                if (piece.kanji != kanji) {
                    continue;
                }
                popularWritings_.emplace_back(key, kanji);
                if (std::none_of(offered_[key].begin(), offered_[key].end(),
                                 [kanji](const KanjiPiece& p) { return p.kanji == kanji; })) {
                    offered_[key].push_back(piece);
                }
            }
        }
        start += length;
    }
}

bool PieceTable::IsPopularWriting(std::size_t start, std::size_t length, char16_t kanji) const {
    return std::find(popularWritings_.begin(), popularWritings_.end(),
                     std::pair(Key(start, length), kanji)) != popularWritings_.end();
}

WritingFit PieceTable::Fit(std::size_t start, std::size_t length, char16_t kanji) const {
    if (IsPopularWriting(start, length, kanji) || RecentOf(start, length, kanji) > 0) {
        return WritingFit::Main;
    }
    const int names = NamesOf(start, length, kanji);
    const int pieceNames = NamesOf(start, length);
    if (!IsNaturalPair(names, pieceNames)) {
        return WritingFit::Unusual;
    }
    return names >= kMainWritingShare * pieceNames ? WritingFit::Main : WritingFit::Natural;
}

ReadingSplit SplitReading(std::u16string_view spelling, std::u16string_view reading,
                          const PieceTable& table, double alignedNames) {
    ReadingSplit split = BestSplit(spelling, 0, reading, 0, table, alignedNames, 0);
    return split.score >= 0 ? split : BestSplit(spelling, 0, reading, 0, table, alignedNames, 1);
}

WritingFit SplitFit(std::u16string_view spelling, const std::vector<std::u16string>& pieces,
                    const PieceTable& table) {
    if (pieces.empty() || pieces.size() != spelling.size()) {
        return WritingFit::Unusual;
    }
    WritingFit worst = WritingFit::Main;
    std::size_t start = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::size_t length = pieces[i].size();
        const char16_t kanji = spelling[i] == u'々' && i > 0 ? spelling[i - 1] : spelling[i];
        if (IsKanji(kanji)) {
            worst = std::min(worst, table.Fit(start, length, kanji));
        }
        start += length;
    }
    return worst;
}

}  // namespace namori
