#include "reading/ReadingLuckyPatterns.h"

#include <algorithm>
#include <optional>

#include "data/DataFileError.h"
#include "naming/LuckyStrokes.h"
#include "naming/NameGuide.h"
#include "rules/Judgement.h"
#include "rules/Ratings.h"

namespace namori {

namespace {

constexpr std::size_t kExampleKanji = 3;

std::u16string Digits(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// Up to kExampleKanji kanji of kanji not already in used, the ones today's rankings list first;
// a kanji no ranking lists only when no ranked one is left (乙 beside 一 reads as a slip).
std::u16string ExampleKanji(const std::vector<char16_t>& kanji, const NameGuide& guide,
                            std::u16string& used) {
    const auto ranked = [&guide](char16_t c) {
        const NameKanjiUse use = guide.UseOf(c);
        return use.popularity > 0 || use.recentFemale > 0 || use.recentMale > 0;
    };
    std::u16string chosen;
    for (const bool wantRanked : {true, false}) {
        for (char16_t c : kanji) {
            if (chosen.size() >= kExampleKanji || (!wantRanked && !chosen.empty())) {
                break;
            }
            if (ranked(c) == wantRanked && used.find(c) == std::u16string::npos) {
                chosen += c;
                used += c;
            }
        }
    }
    return chosen;
}

}  // namespace

std::vector<std::u16string> ReadingLuckyPatterns(const ReferenceTables& tables,
                                                 const Judgement& judgement, bool complement,
                                                 const std::vector<std::filesystem::path>& folders,
                                                 int limit) {
    const std::array<int, 5> values = LuckValues(judgement.luck);
    const bool unfavourable =
        std::any_of(values.begin() + 1, values.end(),
                    [&](int value) {
                        return tables.spiritTable.spiritMark[SpiritTable::RowOf(value)] ==
                               Mark::Bad;
                    }) ||
        std::find(judgement.faces.begin(), judgement.faces.end(), Rating::Unfavourable) !=
            judgement.faces.end();
    if (!unfavourable) {
        return {};
    }
    std::optional<NameGuide> guide;
    try {
        guide = NameGuide::Open(folders);
    } catch (const DataFileError&) {
        return {};
    }
    // The given name as typed: without the complement the judgement may have added.
    std::u16string surname = judgement.name.currentSurname;
    std::u16string givenName = judgement.name.currentGivenName;
    if (complement && surname.size() == 2 && surname.front() == kComplementCharacter) {
        surname.erase(0, 1);
    }
    if (complement && givenName.size() == 2 && givenName.back() == kComplementCharacter) {
        givenName.pop_back();
    }
    const LuckyPatterns found =
        FindLuckyPatterns(tables, surname, static_cast<int>(givenName.size()), complement, &*guide);
    std::vector<std::u16string> lines;
    if (found.patterns.empty()) {
        constexpr std::u16string_view kWideDigits = u"０１２３";
        const std::size_t length = std::min<std::size_t>(givenName.size(), 3);
        lines.push_back(
            u"名字「" + surname + u"」と" + kWideDigits[length] +
            u"字の名前では、三つの判定がそろって良となる画数の組み合わせは見つかりません"
            u"でした。");
    }
    for (const LuckyPattern& pattern : found.patterns) {
        if (static_cast<int>(lines.size()) >= limit) {
            break;
        }
        std::u16string line = u"名前の画数";
        std::u16string examples;
        // A count that recurs shows other kanji the second time: 実奈佳／実奈佳 says nothing new.
        std::u16string used;
        for (std::size_t i = 0; i < pattern.counts.size(); ++i) {
            line += (i == 0 ? u"　" : u"・") + Digits(pattern.counts[i]);
            examples += (i == 0 ? u"" : u"／") +
                        ExampleKanji(KanjiOfStrokes(tables.dictionary, pattern.counts[i], &*guide),
                                     *guide, used);
        }
        line += u"：";
        for (std::size_t i = 1; i < pattern.luck.size(); ++i) {
            line += (i == 1 ? u"" : u"・") + std::u16string(kLuckFields[i].name) +
                    Digits(pattern.luck[i]) + std::u16string(MarkSymbol(pattern.marks[i]));
        }
        lines.push_back(line + u"（字の例：" + examples + u"）");
    }
    return lines;
}

}  // namespace namori
