#include "reading/ReadingLuckyPatterns.h"

#include <algorithm>
#include <optional>

#include "data/DataFileError.h"
#include "naming/LuckyStrokes.h"
#include "naming/NameGuide.h"
#include "rules/Judgement.h"

namespace namori {

namespace {

constexpr std::size_t kExampleKanji = 3;

std::u16string Digits(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::vector<std::u16string> ReadingLuckyPatterns(const ReferenceTables& tables,
                                                 const Judgement& judgement, bool complement,
                                                 const std::vector<std::filesystem::path>& folders,
                                                 int limit) {
    const std::array<int, 5> values = LuckValues(judgement.luck);
    const bool unfavourable = std::any_of(values.begin() + 1, values.end(), [&](int value) {
        return tables.spiritTable.spiritMark[SpiritTable::RowOf(value)] == Mark::Bad;
    });
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
    for (const LuckyPattern& pattern : found.patterns) {
        if (static_cast<int>(lines.size()) >= limit) {
            break;
        }
        std::u16string line = u"名前の画数";
        std::u16string examples;
        for (std::size_t i = 0; i < pattern.counts.size(); ++i) {
            line += (i == 0 ? u"　" : u"・") + Digits(pattern.counts[i]);
            const std::vector<char16_t> kanji =
                KanjiOfStrokes(tables.dictionary, pattern.counts[i], &*guide);
            examples += (i == 0 ? u"" : u"／") +
                        std::u16string(kanji.begin(),
                                       kanji.begin() + std::min(kanji.size(), kExampleKanji));
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
