#include "naming/NameCandidates.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "analysis/Judgement.h"
#include "analysis/JudgementStore.h"
#include "analysis/NamePreparation.h"
#include "data/Cp932.h"
#include "naming/JudgedNumbers.h"
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
    PieceTable(const NamingIndex& index, std::u16string_view reading, bool rare) {
        for (std::size_t start = 0; start < reading.size(); ++start) {
            for (std::size_t length = 1; start + length <= reading.size(); ++length) {
                std::vector<KanjiPiece>& kanji = pieces_[Key(start, length)];
                kanji = index.KanjiOf(reading.substr(start, length));
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

    const std::vector<KanjiPiece>& Of(std::size_t start, std::size_t length) const {
        return pieces_[Key(start, length)];
    }
    // How many real names write the piece, with any kanji.
    int NamesOf(std::size_t start, std::size_t length) const {
        return pieceNames_[Key(start, length)];
    }

  private:
    static std::size_t Key(std::size_t start, std::size_t length) {
        return start * (kMaxReading + 1) + length;
    }

    std::array<std::vector<KanjiPiece>, (kMaxReading + 1) * (kMaxReading + 1)> pieces_;
    std::array<int, (kMaxReading + 1) * (kMaxReading + 1)> pieceNames_{};
};

struct Composition {
    std::u16string spelling;
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

// Gives the name positions without a count the reference table's count; false when a
// character is in neither.
bool FillFromReference(JudgementStore& store, const StrokeReference& reference) {
    const int positions = store.surnameLength + store.givenNameLength;
    for (int position = 1; position <= positions && position <= kNamePositions; ++position) {
        if (store.strokeCounts[position] != 0) {
            continue;
        }
        const std::u16string& character = store.nameChars[position];
        const auto found = character.size() == 1 ? reference.find(character[0]) : reference.end();
        if (found == reference.end() || found->second <= 0) {
            return false;
        }
        store.strokeCounts[position] = found->second;
    }
    return true;
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
                                              SexFilter sex, bool rare) {
    std::vector<NameCandidate> candidates;
    if (ReadingProblem(reading)) {
        return candidates;
    }
    CandidateList list(candidates);
    const std::vector<RealName> realNames = index.RealNamesOf(reading);
    for (const RealName& name : realNames) {
        const bool wanted = sex == SexFilter::Either || name.sex == 'g' ||
                            (sex == SexFilter::Male && name.sex == 'm') ||
                            (sex == SexFilter::Female && name.sex == 'f');
        if (wanted) {
            NameCandidate candidate;
            candidate.spelling = name.spelling;
            candidate.kind = CandidateKind::RealName;
            candidate.sex = name.sex;
            candidate.commonness = name.commonness;
            list.Add(std::move(candidate));
        }
    }
    // A real name given only to the other sex does not come back as a composition.
    for (const RealName& name : realNames) {
        const bool otherSex = (sex == SexFilter::Male && name.sex == 'f') ||
                              (sex == SexFilter::Female && name.sex == 'm');
        if (otherSex) {
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
    return candidates;
}

std::u16string NaturalnessText(const NameCandidate& candidate) {
    std::string text = "－";
    if (candidate.kind == CandidateKind::RealName) {
        text = std::to_string(candidate.commonness);
    } else if (candidate.kind == CandidateKind::Composition) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.3g", candidate.naturalness * 1e6);
        text = buffer;
    }
    return Utf8ToUtf16(text);
}

std::vector<NameCandidate> JudgeAndRank(JudgementStore& store, std::u16string_view surname,
                                        std::vector<NameCandidate> candidates, bool complement,
                                        const StrokeReference& reference) {
    std::vector<NameCandidate> judged;
    judged.reserve(candidates.size());
    for (NameCandidate& candidate : candidates) {
        const NamePreparation prepared =
            PrepareName(store, surname, candidate.spelling, complement);
        if (prepared.problem == NameProblem::Unregistered) {
            if (!FillFromReference(store, reference)) {
                continue;
            }
            candidate.fromReference = true;
        } else if (!prepared.ready()) {
            continue;
        }
        RunJudgement(store);
        candidate.surname = store.currentSurname;
        candidate.givenName = store.currentGivenName;
        CopyJudgedNumbers(store, candidate);
        candidate.faces = RateJudgement(store);
        candidate.score = 0;
        for (Rating face : candidate.faces) {
            candidate.score += RatingPoints(face);
        }
        judged.push_back(std::move(candidate));
    }
    // Sorted by position, then moved once: a candidate is too large to move at every step.
    std::vector<std::size_t> order(judged.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&judged](std::size_t left, std::size_t right) {
        const NameCandidate& a = judged[left];
        const NameCandidate& b = judged[right];
        if (a.natural != b.natural) {
            return a.natural;
        }
        if (a.score != b.score) {
            return a.score > b.score;
        }
        if (a.markScore != b.markScore) {
            return a.markScore > b.markScore;
        }
        if (a.kind != b.kind) {
            return KindOrder(a.kind) < KindOrder(b.kind);
        }
        if (a.commonness != b.commonness) {
            return a.commonness > b.commonness;
        }
        return a.naturalness > b.naturalness;
    });
    std::vector<NameCandidate> ranked;
    ranked.reserve(judged.size());
    for (std::size_t index : order) {
        ranked.push_back(std::move(judged[index]));
    }
    return ranked;
}

}  // namespace namori
