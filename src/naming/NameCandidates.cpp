#include "naming/NameCandidates.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <unordered_map>

#include "analysis/NameLookup.h"
#include "analysis/NamePreparation.h"
#include "data/Cp932.h"
#include "naming/JudgedNumbers.h"
#include "naming/NameGuide.h"
#include "rules/Ratings.h"

namespace namori {

namespace {

constexpr std::size_t kMaxReading = 8;
constexpr std::size_t kMaxPieces = 3;

bool IsReadingCharacter(char16_t c) {
    return (c >= u'ぁ' && c <= u'ゖ') || c == u'ー';
}

std::u16string Katakana(std::u16string_view hiragana) {
    std::u16string text(hiragana);
    for (char16_t& c : text) {
        if (c >= u'ぁ' && c <= u'ゖ') {
            c = static_cast<char16_t>(c + (u'ァ' - u'ぁ'));
        }
    }
    return text;
}

class CandidateList {
  public:
    explicit CandidateList(std::vector<NameCandidate>& out) : out_(out) {}

    void Add(NameCandidate candidate) {
        const auto [found, added] = seen_.emplace(candidate.spelling, out_.size());
        if (added) {
            out_.push_back(std::move(candidate));
            return;
        }
        if (found->second == kExcluded) {
            return;
        }
        NameCandidate& earlier = out_[found->second];
        if (earlier.kind == CandidateKind::Composition &&
            candidate.naturalness > earlier.naturalness) {
            earlier.naturalness = candidate.naturalness;
            earlier.pieces = std::move(candidate.pieces);
        }
        if (earlier.kind == CandidateKind::Composition) {
            earlier.natural = earlier.natural || candidate.natural;
        }
    }

    // Keeps spelling out of the list, also as a composition.
    void Exclude(const std::u16string& spelling) { seen_.emplace(spelling, kExcluded); }

  private:
    static constexpr std::size_t kExcluded = static_cast<std::size_t>(-1);

    std::vector<NameCandidate>& out_;
    std::unordered_map<std::u16string, std::size_t> seen_;
};

// The kanji of every piece of one reading, each piece looked up once.
class PieceTable {
  public:
    PieceTable(const NamingIndex& index, std::u16string_view reading, bool rare)
        : reading_(reading) {
        for (std::size_t start = 0; start < reading.size(); ++start) {
            for (std::size_t length = 1; start + length <= reading.size(); ++length) {
                std::vector<KanjiPiece>& kanji = pieces_[Key(start, length)];
                kanji = index.KanjiOf(reading.substr(start, length));
                all_[Key(start, length)] = kanji;
                int& names = pieceNames_[Key(start, length)];
                for (const KanjiPiece& piece : kanji) {
                    names += piece.names;
                }
                if (!rare) {
                    std::erase_if(kanji, [names](const KanjiPiece& piece) {
                        return !IsNaturalPair(piece.names, names);
                    });
                }
            }
        }
    }

    std::u16string_view Piece(std::size_t start, std::size_t length) const {
        return reading_.substr(start, length);
    }
    const std::vector<KanjiPiece>& Of(std::size_t start, std::size_t length) const {
        return pieces_[Key(start, length)];
    }
    // How many real names write the piece, with any kanji.
    int NamesOf(std::size_t start, std::size_t length) const {
        return pieceNames_[Key(start, length)];
    }
    // How many real names write the piece with kanji; -1 when it is no reading of kanji.
    int NamesOf(std::size_t start, std::size_t length, char16_t kanji) const {
        for (const KanjiPiece& piece : all_[Key(start, length)]) {
            if (piece.kanji == kanji) {
                return piece.names;
            }
        }
        return -1;
    }

  private:
    static std::size_t Key(std::size_t start, std::size_t length) {
        return start * (kMaxReading + 1) + length;
    }

    std::array<std::vector<KanjiPiece>, (kMaxReading + 1) * (kMaxReading + 1)> pieces_;
    std::array<std::vector<KanjiPiece>, (kMaxReading + 1) * (kMaxReading + 1)> all_;
    std::array<int, (kMaxReading + 1) * (kMaxReading + 1)> pieceNames_{};
    std::u16string_view reading_;
};

struct Composition {
    std::u16string spelling;
    std::vector<std::u16string> pieces;
    double naturalness = 1;
    bool natural = true;
};

// Every way to write the rest of the reading from start with one kanji per piece, for each cut
// into up to kMaxPieces pieces in all.
void AddCompositions(const PieceTable& pieces, std::size_t start, std::size_t end, double aligned,
                     Composition& prefix, CandidateList& list) {
    if (start == end) {
        NameCandidate candidate;
        candidate.spelling = prefix.spelling;
        candidate.kind = CandidateKind::Composition;
        candidate.naturalness = prefix.naturalness;
        candidate.natural = prefix.natural;
        candidate.pieces = prefix.pieces;
        list.Add(std::move(candidate));
        return;
    }
    if (prefix.spelling.size() == kMaxPieces) {
        return;
    }
    for (std::size_t length = 1; start + length <= end; ++length) {
        for (const KanjiPiece& piece : pieces.Of(start, length)) {
            const Composition saved = prefix;
            prefix.spelling.push_back(piece.kanji);
            prefix.pieces.emplace_back(pieces.Piece(start, length));
            // A damaged index may count more names for a pair than it counted in all.
            prefix.naturalness *= std::min(piece.names / aligned, 1.0);
            prefix.natural =
                prefix.natural && IsNaturalPair(piece.names, pieces.NamesOf(start, length));
            AddCompositions(pieces, start + length, end, aligned, prefix, list);
            prefix = saved;
        }
    }
}

int KindOrder(CandidateKind kind) {
    return kind == CandidateKind::RealName ? 0 : kind == CandidateKind::Composition ? 1 : 2;
}

// The reference table's counts of characters in order; nothing when one is in neither.
std::optional<std::vector<std::int16_t>> CountsFromReference(
    const std::vector<std::u16string>& characters, const StrokeReference& reference) {
    std::vector<std::int16_t> counts;
    for (const std::u16string& character : characters) {
        const auto found = character.size() == 1 ? reference.find(character[0]) : reference.end();
        if (found == reference.end() || found->second <= 0) {
            return std::nullopt;
        }
        counts.push_back(found->second);
    }
    return counts;
}

char16_t Hiragana(char16_t c) {
    return c >= u'ァ' && c <= u'ヶ' ? static_cast<char16_t>(c - (u'ァ' - u'ぁ')) : c;
}

bool IsNameMark(char16_t c) {
    return c == u'ー' || c == u'々' || c == u'ゝ' || c == u'ゞ' || c == u'ヽ' || c == u'ヾ';
}

// The most natural cut of reading into one piece per character of spelling: a kanji reads a
// piece the index lists for it, a kana reads itself, 々 repeats the kanji before it. The score
// is the product of the pieces' shares of real names; nothing when no cut fits.
struct ReadingSplit {
    std::vector<std::u16string> pieces;
    double score = -1;
};

ReadingSplit SplitReading(std::u16string_view spelling, std::size_t at, std::u16string_view reading,
                          std::size_t start, const PieceTable& table, double aligned) {
    ReadingSplit best;
    if (at == spelling.size()) {
        if (start == reading.size()) {
            best.score = 1;
        }
        return best;
    }
    const char16_t kana = Hiragana(spelling[at]);
    const bool isKana = (kana >= u'ぁ' && kana <= u'ゖ') || kana == u'ー';
    const char16_t kanji = spelling[at] == u'々' && at > 0 ? spelling[at - 1] : spelling[at];
    for (std::size_t length = 1; start + length <= reading.size(); ++length) {
        double share = 1;
        if (isKana) {
            if (length != 1 || reading[start] != kana) {
                continue;
            }
        } else {
            const int names = table.NamesOf(start, length, kanji);
            if (names < 0) {
                continue;
            }
            share = std::min((names + 1) / aligned, 1.0);
        }
        ReadingSplit rest = SplitReading(spelling, at + 1, reading, start + length, table, aligned);
        if (rest.score >= 0 && rest.score * share > best.score) {
            rest.pieces.insert(rest.pieces.begin(), std::u16string(reading.substr(start, length)));
            best = {std::move(rest.pieces), rest.score * share};
        }
    }
    return best;
}

// Whether every kanji of a split real name writes its piece naturally (see IsNaturalPair).
bool NaturalSplit(const NameCandidate& candidate, const PieceTable& table) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < candidate.pieces.size(); ++i) {
        const std::size_t length = candidate.pieces[i].size();
        const char16_t c = candidate.spelling[i];
        const char16_t kanji = c == u'々' && i > 0 ? candidate.spelling[i - 1] : c;
        if (IsKanji(kanji) &&
            !IsNaturalPair(table.NamesOf(start, length, kanji), table.NamesOf(start, length))) {
            return false;
        }
        start += length;
    }
    return !candidate.pieces.empty();
}

// Decides, with a guide, whether a spelling may be offered, and weighs kanji by popularity;
// each kanji is looked up once.
class SpellingCheck {
  public:
    SpellingCheck(const NameGuide* guide, std::u16string_view reading)
        : guide_(guide), reading_(reading) {}

    bool Offered(std::u16string_view spelling, bool popular) {
        if (guide_ == nullptr) {
            return true;
        }
        for (char16_t c : spelling) {
            const char16_t kana = Hiragana(c);
            if (!(kana >= u'ぁ' && kana <= u'ゖ') && !IsNameMark(c) && !Use(c).lawful) {
                return false;
            }
        }
        if (guide_->Avoided(spelling)) {
            return false;
        }
        return popular || spelling.size() < 2 || !guide_->MisreadWord(spelling, reading_);
    }

    // Popular kanji count for more: each kanji's points in the kanji rankings add a share.
    double KanjiFactor(std::u16string_view spelling) {
        double factor = 1;
        if (guide_ != nullptr) {
            for (char16_t c : spelling) {
                factor *= 1 + Use(c).popularity / 100.0;
            }
        }
        return factor;
    }

  private:
    const NameKanjiUse& Use(char16_t c) {
        const auto [found, added] = uses_.try_emplace(c);
        if (added && IsKanji(c)) {
            found->second = guide_->UseOf(c);
        }
        return found->second;
    }

    const NameGuide* guide_;
    std::u16string_view reading_;
    std::unordered_map<char16_t, NameKanjiUse> uses_;
};

bool SexMatches(SexFilter sex, char given) {
    return sex == SexFilter::Either || given == 'g' || (sex == SexFilter::Male && given == 'm') ||
           (sex == SexFilter::Female && given == 'f');
}

}  // namespace

std::optional<std::u16string> ReadingProblem(std::u16string_view reading) {
    if (reading.empty() || reading.size() > kMaxReading) {
        return u"呼び名はひらがな１～８文字で入力してください";
    }
    for (char16_t c : reading) {
        if (!IsReadingCharacter(c)) {
            return u"呼び名はひらがなで入力してください";
        }
    }
    return std::nullopt;
}

std::vector<NameCandidate> GenerateCandidates(const NamingIndex& index, std::u16string_view reading,
                                              SexFilter sex, bool rare, const NameGuide* guide) {
    std::vector<NameCandidate> candidates;
    if (ReadingProblem(reading)) {
        return candidates;
    }
    CandidateList list(candidates);
    SpellingCheck check(guide, reading);
    if (guide != nullptr) {
        for (const PopularName& name : guide->PopularOf(reading)) {
            if (SexMatches(sex, name.sex) && check.Offered(name.spelling, true)) {
                NameCandidate candidate;
                candidate.spelling = name.spelling;
                candidate.kind = CandidateKind::RealName;
                candidate.sex = name.sex;
                candidate.band = NameBand::Popular;
                candidate.popularity = name.points;
                list.Add(std::move(candidate));
            }
        }
    }
    const std::vector<RealName> realNames = index.RealNamesOf(reading);
    for (const RealName& name : realNames) {
        if (SexMatches(sex, name.sex)) {
            NameCandidate candidate;
            candidate.spelling = name.spelling;
            candidate.kind = CandidateKind::RealName;
            candidate.sex = name.sex;
            candidate.commonness = name.commonness;
            candidate.band = NameBand::Common;
            list.Add(std::move(candidate));
        }
    }
    // A real name given only to the other sex does not come back as a composition.
    for (const RealName& name : realNames) {
        if (!SexMatches(sex, name.sex)) {
            list.Exclude(name.spelling);
        }
    }
    const PieceTable pieces(index, reading, rare);
    Composition prefix;
    AddCompositions(pieces, 0, reading.size(), index.alignedNames(), prefix, list);
    if (reading.size() <= kMaxPieces) {
        for (std::u16string spelling : {std::u16string(reading), Katakana(reading)}) {
            NameCandidate candidate;
            candidate.spelling = std::move(spelling);
            candidate.kind = CandidateKind::Kana;
            list.Add(std::move(candidate));
        }
    }
    std::erase_if(candidates, [&check](const NameCandidate& candidate) {
        return !check.Offered(candidate.spelling, candidate.band == NameBand::Popular);
    });
    const double aligned = index.alignedNames();
    for (NameCandidate& candidate : candidates) {
        if (candidate.kind == CandidateKind::Composition) {
            candidate.band = candidate.natural ? NameBand::Natural : NameBand::Rare;
            candidate.weight = candidate.naturalness * check.KanjiFactor(candidate.spelling);
        } else if (candidate.kind == CandidateKind::RealName) {
            ReadingSplit split = SplitReading(candidate.spelling, 0, reading, 0, pieces, aligned);
            candidate.pieces = std::move(split.pieces);
            // A real name written with kanji that real names seldom use for its pieces (玄 for
            // はる, 鎌 for れん) is listed after the natural spellings.
            if (candidate.band == NameBand::Common && !NaturalSplit(candidate, pieces)) {
                candidate.band = NameBand::Rare;
            }
            candidate.weight =
                candidate.band == NameBand::Popular
                    ? candidate.popularity
                    : std::max(split.score, 0.0) * check.KanjiFactor(candidate.spelling);
        }
    }
    return candidates;
}

std::u16string NaturalnessText(const NameCandidate& candidate) {
    switch (candidate.band) {
        case NameBand::Popular:
            return u"人気";
        case NameBand::Common:
            return u"よくある";
        case NameBand::Natural:
            break;
        case NameBand::Rare:
            return u"まれ";
    }
    return u"自然";
}

std::u16string ReadingSplitText(const NameCandidate& candidate) {
    std::u16string text;
    if (candidate.pieces.size() != candidate.spelling.size()) {
        return text;
    }
    for (std::size_t i = 0; i < candidate.pieces.size(); ++i) {
        text += i > 0 ? u"・" : u"";
        const char16_t c = candidate.spelling[i];
        if (Hiragana(c) == candidate.pieces[i][0] && candidate.pieces[i].size() == 1) {
            text += candidate.pieces[i];
        } else {
            text += std::u16string(1, c) + u"=" + candidate.pieces[i];
        }
    }
    return text;
}

bool AllFacesFavourable(const NameCandidate& candidate) {
    return std::all_of(candidate.faces.begin(), candidate.faces.end(),
                       [](Rating face) { return face == Rating::Favourable; });
}

std::vector<NameCandidate> JudgeAndRank(const ReferenceTables& tables, std::u16string_view surname,
                                        std::vector<NameCandidate> candidates, bool complement,
                                        const StrokeReference& reference, RankOrder order) {
    std::vector<NameCandidate> judged;
    judged.reserve(candidates.size());
    for (NameCandidate& candidate : candidates) {
        NameInput name{surname, candidate.spelling, complement};
        Judgement judgement = Judge(name, tables);
        if (judgement.preparation.problem == NameProblem::Unregistered) {
            const auto counts = CountsFromReference(judgement.preparation.unregistered, reference);
            if (!counts) {
                continue;
            }
            name.registeredStrokes = *counts;
            judgement = Judge(name, tables);
            candidate.fromReference = true;
        }
        if (!judgement.ready()) {
            continue;
        }
        candidate.surname = judgement.currentSurname;
        candidate.givenName = judgement.currentGivenName;
        CopyJudgedNumbers(judgement, tables.spiritTable, candidate);
        candidate.faces = judgement.faces;
        candidate.score = 0;
        for (Rating face : candidate.faces) {
            candidate.score += RatingPoints(face);
        }
        judged.push_back(std::move(candidate));
    }
    // Sorted by position, then moved once: a candidate is too large to move at every step.
    const bool fortuneFirst = order == RankOrder::Fortune;
    std::vector<std::size_t> positions(judged.size());
    for (std::size_t i = 0; i < positions.size(); ++i) {
        positions[i] = i;
    }
    std::stable_sort(positions.begin(), positions.end(),
                     [&judged, fortuneFirst](std::size_t left, std::size_t right) {
                         const NameCandidate& a = judged[left];
                         const NameCandidate& b = judged[right];
                         const auto fortune = [](const NameCandidate& c) {
                             return std::pair(c.score, c.markScore);
                         };
                         // The rare compositions --all adds come after the default list in either
                         // order.
                         if (a.natural != b.natural) {
                             return a.natural;
                         }
                         if (!fortuneFirst && a.band != b.band) {
                             return a.band < b.band;
                         }
                         if (fortune(a) != fortune(b)) {
                             return fortune(a) > fortune(b);
                         }
                         if (a.band != b.band) {
                             return a.band < b.band;
                         }
                         if (a.kind != b.kind) {
                             return KindOrder(a.kind) < KindOrder(b.kind);
                         }
                         if (a.weight != b.weight) {
                             return a.weight > b.weight;
                         }
                         return a.commonness > b.commonness;
                     });
    std::vector<NameCandidate> ranked;
    ranked.reserve(judged.size());
    for (std::size_t index : positions) {
        ranked.push_back(std::move(judged[index]));
    }
    return ranked;
}

}  // namespace namori
