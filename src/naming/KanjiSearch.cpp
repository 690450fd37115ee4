#include "naming/KanjiSearch.h"

#include <algorithm>
#include <map>
#include <unordered_set>

#include "data/DataFiles.h"

namespace namori {

namespace {

constexpr std::size_t kNamesByKanjiFields = 4;  // kanji,reading,sex,weight
// A search without a reading looks at this many of the kanji's heaviest readings: enough for
// every reading a parent would expect (翔: しょう, かける, はると, ひろと, ゆうと, やまと …)
// at the cost of a few reading searches.
constexpr std::size_t kReadingsSearched = 24;

bool SexFits(SexFilter sex, char given) {
    return sex == SexFilter::Either || given == 'g' || (sex == SexFilter::Male && given == 'm') ||
           (sex == SexFilter::Female && given == 'f');
}

// Whether the rankings list names of reading, all of them for the other sex than the one asked
// for (はると for a girl): a reading the kanji search then leaves out, unless it was asked for.
bool RankedForOtherSexOnly(const NameGuide& guide, std::u16string_view reading, SexFilter sex) {
    if (sex == SexFilter::Either) {
        return false;
    }
    const std::vector<ListedName> ranked = guide.PopularOf(reading);
    const char other = sex == SexFilter::Male ? 'f' : 'm';
    return !ranked.empty() &&
           std::all_of(ranked.begin(), ranked.end(),
                       [other](const ListedName& name) { return name.sex == other; });
}

}  // namespace

NamesByKanjiIndex::NamesByKanjiIndex(SortedTextFile file) : file_(std::move(file)) {
    file_.ExpectFields(kNamesByKanjiFields);
    file_.EndLines();
}

NamesByKanjiIndex NamesByKanjiIndex::Open(const std::vector<std::filesystem::path>& folders) {
    return NamesByKanjiIndex(SortedTextFile::ReadFirstFound(folders, kNamesByKanjiFile));
}

NamesByKanjiIndex NamesByKanjiIndex::FromBytes(std::string bytes) {
    return NamesByKanjiIndex(SortedTextFile::Own(std::move(bytes), kNamesByKanjiFile));
}

std::vector<KanjiReading> NamesByKanjiIndex::ReadingsOf(char16_t kanji) const {
    std::vector<KanjiReading> readings;
    for (auto& record : file_.Find(std::u16string_view(&kanji, 1))) {
        const char sex = record[2] == u"f" ? 'f' : record[2] == u"m" ? 'm' : 'g';
        readings.push_back({std::move(record[1]), sex, SortedTextFile::WholeNumber(record[3])});
    }
    return readings;
}

std::optional<std::u16string> KanjiProblem(std::u16string_view text, const NameGuide& guide) {
    if (text.size() != 1 || !IsKanji(text[0])) {
        return u"使いたい漢字は漢字１字で入力してください";
    }
    if (!UnlawfulKanji(text, guide).empty()) {
        return u"「" + std::u16string(text) +
               u"」は子の名に使えない漢字です（常用漢字・人名用漢字にありません）";
    }
    return std::nullopt;
}

std::vector<NameCandidate> GenerateKanjiCandidates(const NamingIndex& index,
                                                   const NamesByKanjiIndex& byKanji,
                                                   const NameGuide& guide,
                                                   const KanjiQuery& query) {
    std::vector<std::u16string> readings;
    if (!query.reading.empty()) {
        readings.push_back(query.reading);
    } else {
        std::map<std::u16string, int> weights;
        for (const KanjiReading& reading : byKanji.ReadingsOf(query.kanji)) {
            // The name dictionary gives some boys' names to girls only (翔 しょう): a reading
            // of the other sex counts a quarter, and the reading search then applies the sex.
            if (!ReadingProblem(reading.reading)) {
                weights[reading.reading] +=
                    SexFits(query.sex, reading.sex) ? reading.weight : reading.weight / 4;
            }
        }
        std::vector<std::pair<int, std::u16string>> heaviest;
        for (auto& [reading, weight] : weights) {
            heaviest.emplace_back(-weight, reading);
        }
        std::sort(heaviest.begin(), heaviest.end());
        for (std::size_t i = 0; i < heaviest.size() && readings.size() < kReadingsSearched; ++i) {
            if (!RankedForOtherSexOnly(guide, heaviest[i].second, query.sex)) {
                readings.push_back(std::move(heaviest[i].second));
            }
        }
    }
    std::vector<NameCandidate> found;
    for (const std::u16string& reading : readings) {
        for (NameCandidate& candidate :
             GenerateCandidates(index, reading, query.sex, query.rare, &guide)) {
            const bool holds = candidate.spelling.find(query.kanji) != std::u16string::npos;
            const bool length =
                query.characters == 0 ||
                candidate.spelling.size() == static_cast<std::size_t>(query.characters);
            if (holds && length) {
                candidate.reading = reading;
                found.push_back(std::move(candidate));
            }
        }
    }
    return found;
}

void KeepFirstReadingOfEachSpelling(std::vector<NameCandidate>& ranked) {
    std::unordered_set<std::u16string> seen;
    std::erase_if(ranked, [&seen](const NameCandidate& candidate) {
        return !seen.insert(candidate.spelling).second;
    });
}

}  // namespace namori
