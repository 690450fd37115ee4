#include "naming/NameCandidates.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <tuple>
#include <unordered_map>

#include "analysis/NameLookup.h"
#include "analysis/NamePreparation.h"
#include "data/Cp932.h"
#include "naming/JudgedNumbers.h"
#include "naming/NameGuide.h"
#include "naming/ReadingPieces.h"
#include "naming/SpellingCheck.h"
#include "rules/Ratings.h"

namespace namori {

namespace {

constexpr std::size_t kMaxPieces = 3;

std::u16string Katakana(std::u16string_view hiragana) {
    std::u16string text(hiragana);
    for (char16_t& c : text) {
        if (c >= u'ぁ' && c <= u'ゖ') {
            c = static_cast<char16_t>(c + kKatakanaOffset);
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

    // Makes room for more candidates at once: --all adds tens of thousands.
    void Reserve(std::size_t more) {
        out_.reserve(out_.size() + more);
        seen_.reserve(seen_.size() + more);
    }

    // Keeps spelling out of the list, also as a composition.
    void Exclude(const std::u16string& spelling) { seen_.emplace(spelling, kExcluded); }

  private:
    static constexpr std::size_t kExcluded = static_cast<std::size_t>(-1);

    std::vector<NameCandidate>& out_;
    std::unordered_map<std::u16string, std::size_t> seen_;
};

struct Composition {
    std::u16string spelling;
    std::vector<std::u16string> pieces;
    double naturalness = 1;
    bool natural = true;
};

// How many compositions AddCompositions makes from start when used pieces are taken.
std::size_t CountCompositions(const PieceTable& pieces, std::size_t start, std::size_t end,
                              std::size_t used) {
    if (start == end) {
        return 1;
    }
    std::size_t count = 0;
    for (std::size_t length = 1; used < kMaxPieces && start + length <= end; ++length) {
        count += pieces.Of(start, length).size() *
                 CountCompositions(pieces, start + length, end, used + 1);
    }
    return count;
}

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
        const int pieceNames = pieces.NamesOf(start, length);
        for (const KanjiPiece& piece : pieces.Of(start, length)) {
            const double naturalness = prefix.naturalness;
            const bool natural = prefix.natural;
            prefix.spelling.push_back(piece.kanji);
            prefix.pieces.emplace_back(pieces.Piece(start, length));
            // A damaged index may count more names for a pair than it counted in all.
            prefix.naturalness *= std::min(piece.names / aligned, 1.0);
            prefix.natural =
                natural && (IsNaturalPair(piece.names, pieceNames) || piece.recent > 0 ||
                            pieces.IsPopularWriting(start, length, piece.kanji));
            AddCompositions(pieces, start + length, end, aligned, prefix, list);
            prefix.spelling.pop_back();
            prefix.pieces.pop_back();
            prefix.naturalness = naturalness;
            prefix.natural = natural;
        }
    }
}

// The order a parent sees, smaller keys first: the rare compositions --all adds last; then band
// (unless fortune comes first), faces, marks, band, kind, weight and commonness (more first).
using RankKey = std::tuple<bool, NameBand, SpellingStanding, int, int, NameBand, SpellingStanding,
                           CandidateKind, double, int>;

RankKey RankKeyOf(const NameCandidate& candidate, RankOrder order) {
    const bool fortune = order == RankOrder::Fortune;
    return {!candidate.natural,
            fortune ? NameBand::Popular : candidate.band,
            fortune ? SpellingStanding::Current : candidate.standing,
            -candidate.score,
            -candidate.markScore,
            candidate.band,
            candidate.standing,
            candidate.kind,
            -candidate.weight,
            -candidate.commonness};
}

// Whether every kanji of spelling reads its piece as the kanji index lists it (a reading of the
// kanji, or one real names give it).
bool PiecesKnown(std::u16string_view spelling, const std::vector<std::u16string>& pieces,
                 const PieceTable& table) {
    if (pieces.empty() || pieces.size() != spelling.size()) {
        return false;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const char16_t kanji = spelling[i] == u'々' && i > 0 ? spelling[i - 1] : spelling[i];
        if (IsKanji(kanji) && table.NamesOf(start, pieces[i].size(), kanji) < 0) {
            return false;
        }
        start += pieces[i].size();
    }
    return true;
}

// Whether every kanji of candidate reads its piece in at least share of the real names that write
// the kanji, or as a ranked spelling or a popular name of the reading writes it; a name of one
// kanji read by a kun reading or nanori of it (巧 たくみ, 斎 いつき) reads plainly too, however few
// of the kanji's names the name dictionary shows so. Always so without a guide, which holds the
// counts.
bool ReadsPlainly(const NameCandidate& candidate, const PieceTable& table, SpellingCheck& check,
                  double share = kPlainReadingShare) {
    if (!check.guided()) {
        return true;
    }
    if (candidate.pieces.size() != candidate.spelling.size()) {
        return false;
    }
    if (candidate.spelling.size() == 1 && IsKanji(candidate.spelling[0]) &&
        table.IsDictionaryReading(0, candidate.pieces[0].size(), candidate.spelling[0])) {
        return true;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < candidate.pieces.size(); ++i) {
        const std::size_t length = candidate.pieces[i].size();
        const char16_t c = candidate.spelling[i];
        const char16_t kanji = c == u'々' && i > 0 ? candidate.spelling[i - 1] : c;
        if (IsKanji(kanji)) {
            const int names = table.NamesOf(start, length, kanji);
            const bool plain = table.IsPopularWriting(start, length, kanji) ||
                               table.RecentOf(start, length, kanji) > 0 ||
                               (names > 0 && names >= share * check.NamesWith(kanji));
            if (!plain) {
                return false;
            }
        }
        start += length;
    }
    return true;
}

char SexLetter(SexFilter sex) {
    return sex == SexFilter::Male ? 'm' : sex == SexFilter::Female ? 'f' : 'g';
}

bool AllKanji(std::u16string_view spelling) {
    return std::all_of(spelling.begin(), spelling.end(), [](char16_t c) { return IsKanji(c); });
}

// Whether spelling mixes kanji and kana (こ春, 咲ら): parents write a name in one or the other.
bool MixesKanjiAndKana(std::u16string_view spelling) {
    return std::any_of(spelling.begin(), spelling.end(), [](char16_t c) { return IsKanji(c); }) &&
           std::any_of(spelling.begin(), spelling.end(), [](char16_t c) { return IsKana(c); });
}

// The band of a real name the rankings do not list for the reading: よくある when many bear
// it with kanji read as names read them, or several bear it and its kanji are today's; 自然 when
// its kanji are main writings of their pieces, or several bear it and read them plainly
// (plainForFew); otherwise まれ.
NameBand RealNameBand(const NameCandidate& candidate, const PieceTable& pieces, bool recent,
                      bool mainReadings, bool plainForFew) {
    // One or two of today's kanji, each read as many of its names read it, are main writings,
    // also of a piece that many kanji write (翔 is しょう in half its names: 翔太).
    const WritingFit fit =
        mainReadings ? WritingFit::Main : SplitFit(candidate.spelling, candidate.pieces, pieces);
    if (candidate.commonness >= kWellKnownSpellingMinimum &&
        PiecesKnown(candidate.spelling, candidate.pieces, pieces)) {
        return NameBand::Common;
    }
    if (fit == WritingFit::Unusual) {
        return NameBand::Rare;
    }
    if (candidate.commonness >= kCommonSpellingMinimum && recent) {
        return NameBand::Common;
    }
    // Borne by several, with natural writings of its pieces read plainly: natural, also when a
    // piece has so many writings that none is a main one (こう in 康太, 孝太, 浩太).
    return fit == WritingFit::Main ||
                   (candidate.commonness >= kCommonSpellingMinimum && plainForFew)
               ? NameBand::Natural
               : NameBand::Rare;
}

// Where candidate stands within its band (see SpellingStanding), and the band a real name of
// the other sex's kanji drops to.
void PlaceInBand(NameCandidate& candidate, SpellingCheck& check, char sex, bool recent) {
    if (candidate.band == NameBand::Popular) {
        candidate.standing = SpellingStanding::Current;
        return;
    }
    const bool ateji = candidate.spelling.size() == 3 && AllKanji(candidate.spelling) &&
                       !candidate.ranked &&
                       (candidate.kind == CandidateKind::Composition ||
                        candidate.commonness < kWellKnownSpellingMinimum);
    if (!candidate.ranked && (check.LeansAway(candidate.spelling, sex) || ateji ||
                              MixesKanjiAndKana(candidate.spelling) ||
                              check.BorrowsWord(candidate.spelling, candidate.pieces))) {
        candidate.standing = SpellingStanding::Demoted;
        if (candidate.band == NameBand::Common) {
            candidate.band = NameBand::Natural;
        }
        // A composition so is no better than a rare one: listed with --all only.
        if (candidate.kind == CandidateKind::Composition) {
            candidate.band = NameBand::Rare;
            candidate.natural = false;
        }
        return;
    }
    candidate.standing = recent ? SpellingStanding::Current : SpellingStanding::Plain;
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

// Judges candidate beside surname, taking a count the dictionary lacks from reference; leaves
// it without counts when a character is in neither or the name is refused.
void JudgeCandidate(const ReferenceTables& tables, std::u16string_view surname, bool complement,
                    const StrokeReference& reference, NameCandidate& candidate) {
    NameInput name{surname, candidate.spelling, complement};
    Judgement judgement = Judge(name, tables);
    if (judgement.preparation.problem == NameProblem::Unregistered) {
        const auto counts = CountsFromReference(judgement.preparation.unregistered, reference);
        if (!counts) {
            return;
        }
        name.registeredStrokes = *counts;
        judgement = Judge(name, tables);
        candidate.fromReference = true;
    }
    if (!judgement.ready()) {
        return;
    }
    candidate.surname = judgement.name.currentSurname;
    candidate.givenName = judgement.name.currentGivenName;
    CopyJudgedNumbers(judgement, tables.spiritTable, candidate);
    candidate.faces = judgement.faces;
    candidate.score = 0;
    for (Rating face : candidate.faces) {
        candidate.score += RatingPoints(face);
    }
}

bool SexMatches(SexFilter sex, char given) {
    return sex == SexFilter::Either || given == 'g' || (sex == SexFilter::Male && given == 'm') ||
           (sex == SexFilter::Female && given == 'f');
}

}  // namespace

std::optional<std::u16string> ReadingProblem(std::u16string_view reading) {
    if (reading.empty() || reading.size() > kMaxReadingLength) {
        return u"呼び名はひらがな１～８文字で入力してください";
    }
    for (char16_t c : reading) {
        if (!IsKana(c) || Hiragana(c) != c) {  // hiragana or ー
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
    PieceTable pieces(index, reading, rare);
    const double aligned = index.alignedNames();
    if (guide != nullptr) {
        for (const ListedName& name : guide->PopularOf(reading)) {
            if (SexMatches(sex, name.sex) && check.Offered(name.spelling, true)) {
                // A spelling ranked for another reading, or for this one as a further reading of
                // the report, lists with no points: よくある, not 人気.
                NameCandidate candidate;
                candidate.spelling = name.spelling;
                candidate.kind = CandidateKind::RealName;
                candidate.sex = name.sex;
                candidate.band = name.count > 0 ? NameBand::Popular : NameBand::Common;
                candidate.ranked = true;
                candidate.popularity = name.count;
                ReadingSplit split = SplitReading(name.spelling, reading, pieces, aligned);
                candidate.pieces = std::move(split.pieces);
                candidate.weight = name.count > 0 ? name.count : std::max(split.score, 0.0);
                if (name.count > 0) {
                    pieces.AddPopularWritings(candidate.spelling, candidate.pieces);
                }
                list.Add(std::move(candidate));
            }
        }
    }
    const std::vector<ListedName> realNames = index.RealNamesOf(reading);
    for (const ListedName& name : realNames) {
        if (SexMatches(sex, name.sex)) {
            NameCandidate candidate;
            candidate.spelling = name.spelling;
            candidate.kind = CandidateKind::RealName;
            candidate.sex = name.sex;
            candidate.commonness = name.count;
            candidate.band = NameBand::Common;
            list.Add(std::move(candidate));
        }
    }
    // A real name given only to the other sex does not come back as a composition.
    for (const ListedName& name : realNames) {
        if (!SexMatches(sex, name.sex)) {
            list.Exclude(name.spelling);
        }
    }
    list.Reserve(CountCompositions(pieces, 0, reading.size(), 0) + 2);
    Composition prefix;
    AddCompositions(pieces, 0, reading.size(), aligned, prefix, list);
    if (reading.size() <= kMaxPieces) {
        for (std::u16string spelling : {std::u16string(reading), Katakana(reading)}) {
            NameCandidate candidate;
            candidate.spelling = std::move(spelling);
            candidate.kind = CandidateKind::Kana;
            list.Add(std::move(candidate));
        }
    }
    std::erase_if(candidates, [&check](const NameCandidate& candidate) {
        return !check.Offered(candidate.spelling, candidate.ranked);
    });
    const char sexLetter = SexLetter(sex);
    for (NameCandidate& candidate : candidates) {
        // Kanji of either sex's rankings: a kanji that leans to the other sex is caught apart.
        const bool recent = check.UsedRecently(candidate.spelling, 'g');
        if (candidate.kind == CandidateKind::Composition) {
            // A composition is natural only when all its kanji are main writings (佐久良) that
            // read plainly and that several of today's names use; one with another writing
            // (巳奈斗, 三奈登), a piece its kanji seldom reads (水=みな) or a kanji fewer ranked
            // names have (赤, 庫, 狩 in none, 空 in one) is rare, listed with --all only.
            candidate.natural =
                candidate.natural &&
                SplitFit(candidate.spelling, candidate.pieces, pieces) == WritingFit::Main &&
                ReadsPlainly(candidate, pieces, check) &&
                (!check.guided() ||
                 check.InRankedSpellings(candidate.spelling, kCompositionRankedSpellings));
            candidate.band = candidate.natural ? NameBand::Natural : NameBand::Rare;
            candidate.weight = candidate.naturalness * check.KanjiFactor(candidate.spelling);
        } else if (candidate.band == NameBand::Common && !candidate.ranked) {
            ReadingSplit split = SplitReading(candidate.spelling, reading, pieces, aligned);
            candidate.pieces = std::move(split.pieces);
            candidate.weight = std::max(split.score, 0.0) * check.KanjiFactor(candidate.spelling);
            // A real name borne once (沙紅羅 さくら, 皆十 みなと) is as natural as a composition;
            // one with a kanji that real names seldom write its piece with (玄 for はる, 鎌 for
            // れん) is listed after the natural spellings.
            candidate.band =
                RealNameBand(candidate, pieces, recent,
                             recent && candidate.spelling.size() <= 2 &&
                                 ReadsPlainly(candidate, pieces, check, kMainWritingShare),
                             ReadsPlainly(candidate, pieces, check, kFewBearersPlainShare));
            // A real name whose kanji read another piece than its reading's (明生 as あおい) is
            // read as another name: rare.
            if (!ReadsPlainly(candidate, pieces, check)) {
                candidate.band = NameBand::Rare;
            }
        }
        PlaceInBand(candidate, check, sexLetter, recent);
        // A ranked spelling read so only by few stays よくある, after the others.
        if (candidate.ranked && candidate.band == NameBand::Common &&
            !ReadsPlainly(candidate, pieces, check)) {
            candidate.standing = SpellingStanding::Demoted;
        }
        // With a guide, a real name that is rare, that mixes kanji and kana (こ春) or that has a
        // kanji real names give mostly to the other sex (治 and 義 for a girl) is listed with
        // --all only, as such compositions are: a parent reads it as another name, or as a name
        // for the other sex.
        if (check.guided() && candidate.kind == CandidateKind::RealName && !candidate.ranked &&
            (candidate.band == NameBand::Rare || MixesKanjiAndKana(candidate.spelling) ||
             check.LeansAway(candidate.spelling, sexLetter))) {
            candidate.band = NameBand::Rare;
            candidate.natural = false;
        }
    }
    if (!rare) {
        std::erase_if(candidates,
                      [](const NameCandidate& candidate) { return !candidate.natural; });
    }
    return candidates;
}

std::u16string NaturalnessText(const NameCandidate& candidate) {
    constexpr std::u16string_view kBandWords[] = {u"人気", u"よくある", u"自然", u"まれ"};
    static_assert(std::size(kBandWords) == static_cast<std::size_t>(NameBand::Rare) + 1);
    return std::u16string(kBandWords[static_cast<std::size_t>(candidate.band)]);
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
    for (NameCandidate& candidate : candidates) {
        JudgeCandidate(tables, surname, complement, reference, candidate);
    }
    std::erase_if(candidates,
                  [](const NameCandidate& candidate) { return candidate.strokes.empty(); });
    // The keys are sorted and each candidate then moved once: a candidate is too large to move
    // at every step of the sort.
    std::vector<std::pair<RankKey, std::size_t>> keys;
    keys.reserve(candidates.size());
    for (std::size_t at = 0; at < candidates.size(); ++at) {
        keys.emplace_back(RankKeyOf(candidates[at], order), at);
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<NameCandidate> ranked;
    ranked.reserve(candidates.size());
    for (const auto& [key, at] : keys) {
        ranked.push_back(std::move(candidates[at]));
    }
    return ranked;
}

}  // namespace namori
