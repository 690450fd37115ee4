#include "naming/NameCandidates.h"

#include <algorithm>
#include <unordered_set>

#include "analysis/Judgement.h"
#include "analysis/JudgementStore.h"
#include "analysis/NamePreparation.h"
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

    void Add(std::u16string spelling, CandidateKind kind, char sex = 'g', int commonness = 0) {
        if (seen_.insert(spelling).second) {
            NameCandidate candidate;
            candidate.spelling = std::move(spelling);
            candidate.kind = kind;
            candidate.sex = sex;
            candidate.commonness = commonness;
            out_.push_back(std::move(candidate));
        }
    }

  private:
    std::vector<NameCandidate>& out_;
    std::unordered_set<std::u16string> seen_;
};

// Every way to write reading with one kanji per piece, for each cut into up to kMaxPieces pieces.
void AddCompositions(const NamingIndex& index, std::u16string_view reading, std::u16string& prefix,
                     CandidateList& list) {
    if (reading.empty()) {
        list.Add(prefix, CandidateKind::Composition);
        return;
    }
    if (prefix.size() == kMaxPieces) {
        return;
    }
    for (std::size_t length = 1; length <= reading.size(); ++length) {
        const auto found = index.kanjiByReading.find(std::u16string(reading.substr(0, length)));
        if (found == index.kanjiByReading.end()) {
            continue;
        }
        for (char16_t kanji : found->second) {
            prefix.push_back(kanji);
            AddCompositions(index, reading.substr(length), prefix, list);
            prefix.pop_back();
        }
    }
}

int MarkPoints(std::u16string_view mark) {
    return mark == kGoodMark ? 2 : mark == kMixedMark ? 1 : 0;
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
                                              SexFilter sex) {
    std::vector<NameCandidate> candidates;
    if (ReadingProblem(reading)) {
        return candidates;
    }
    CandidateList list(candidates);
    const auto real = index.realNames.find(std::u16string(reading));
    if (real != index.realNames.end()) {
        for (const RealName& name : real->second) {
            const bool wanted = sex == SexFilter::Either || name.sex == 'g' ||
                                (sex == SexFilter::Male && name.sex == 'm') ||
                                (sex == SexFilter::Female && name.sex == 'f');
            if (wanted) {
                list.Add(name.spelling, CandidateKind::RealName, name.sex, name.commonness);
            }
        }
    }
    std::u16string prefix;
    AddCompositions(index, reading, prefix, list);
    if (reading.size() <= kMaxPieces) {
        list.Add(std::u16string(reading), CandidateKind::Kana);
        list.Add(Katakana(reading), CandidateKind::Kana);
    }
    return candidates;
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
        const int positions = std::min(store.surnameLength + store.givenNameLength, kNamePositions);
        candidate.strokes.assign(store.strokeCounts.begin() + 1,
                                 store.strokeCounts.begin() + 1 + positions);
        candidate.luck = {store.ancestorLuck, store.mainLuck, store.earlyLuck, store.assistLuck,
                          store.totalLuck};
        candidate.markScore = 0;
        for (std::size_t i = 0; i < candidate.luck.size(); ++i) {
            candidate.marks[i] = store.spiritTable.MarkOf(candidate.luck[i]);
            candidate.markScore += MarkPoints(candidate.marks[i]);
        }
        candidate.faces = RateJudgement(store);
        candidate.score = 0;
        for (Rating face : candidate.faces) {
            candidate.score += RatingPoints(face);
        }
        judged.push_back(std::move(candidate));
    }
    std::stable_sort(judged.begin(), judged.end(),
                     [](const NameCandidate& a, const NameCandidate& b) {
                         if (a.score != b.score) {
                             return a.score > b.score;
                         }
                         if (a.markScore != b.markScore) {
                             return a.markScore > b.markScore;
                         }
                         const bool aReal = a.kind == CandidateKind::RealName;
                         const bool bReal = b.kind == CandidateKind::RealName;
                         if (aReal != bReal) {
                             return aReal;
                         }
                         return a.commonness > b.commonness;
                     });
    return judged;
}

}  // namespace namori
