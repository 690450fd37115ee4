#include "naming/LuckyStrokes.h"

#include <algorithm>
#include <tuple>

#include "analysis/NameLookup.h"
#include "naming/JudgedNumbers.h"
#include "naming/NameGuide.h"
#include "rules/Judgement.h"

namespace namori {

namespace {

// A kanji fewer real given names hold is no example a parent would take (鱒 7, 灘 3).
constexpr int kExampleNamesMinimum = 10;

}  // namespace

std::vector<char16_t> KanjiOfStrokes(const KanjiDictionary& dictionary, int strokes,
                                     const NameGuide* guide) {
    std::vector<std::pair<char16_t, NameKanjiUse>> found;
    for (const DictionaryEntry& entry : dictionary.entries()) {
        // The count a lookup gives: a later entry of the same kanji overrides this one.
        if (entry.kanji.size() == 1 && IsKanji(entry.kanji[0]) &&
            dictionary.StrokesOf(entry.kanji) == strokes &&
            std::find_if(found.begin(), found.end(), [&entry](const auto& kanji) {
                return kanji.first == entry.kanji[0];
            }) == found.end()) {
            NameKanjiUse use;
            use.lawful = true;
            if (guide != nullptr) {
                use = guide->UseOf(entry.kanji[0]);
            }
            // The kanji a suggestion would hold: lawful, none that parents avoid, and written
            // in real given names or today's rankings (lawful as they are, 鱒 and 灘 are not).
            const bool inNames = use.names >= kExampleNamesMinimum || use.popularity > 0 ||
                                 use.recentFemale > 0 || use.recentMale > 0;
            if (use.lawful && (guide == nullptr || (!guide->Avoided(entry.kanji) && inNames))) {
                found.emplace_back(entry.kanji[0], use);
            }
        }
    }
    // What parents write today first (the kanji rankings, then the name rankings), then what
    // real given names use most.
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        const auto key = [](const NameKanjiUse& use) {
            return std::tuple(use.popularity, use.recentFemale + use.recentMale, use.names);
        };
        return key(a.second) > key(b.second);
    });
    std::vector<char16_t> kanji;
    for (const auto& [character, use] : found) {
        kanji.push_back(character);
    }
    return kanji;
}

LuckyPatterns FindLuckyPatterns(const ReferenceTables& tables, std::u16string_view surname,
                                int characters, bool complement, const NameGuide* guide) {
    LuckyPatterns result;
    characters = std::clamp(characters, 1, kMaxPartLength);
    // A stand-in given name: its characters' counts are replaced by each pattern's.
    const std::u16string standIn(static_cast<std::size_t>(characters), u'〇');
    // Only the surname's own characters need a count.
    result.surnameProblem = CheckSurname(surname, complement, tables.dictionary);
    if (!result.surnameProblem.ready()) {
        return result;
    }
    NamePositions name;
    LookUpName({surname, standIn, complement}, tables.dictionary, name);
    std::array<long long, kMaxPatternStrokes + 1> kanjiOf{};
    for (int strokes = 1; strokes <= kMaxPatternStrokes; ++strokes) {
        kanjiOf[strokes] =
            static_cast<long long>(KanjiOfStrokes(tables.dictionary, strokes, guide).size());
    }
    const int first = name.surnameLength;
    std::vector<std::int16_t> counts(static_cast<std::size_t>(characters), 1);
    for (;;) {
        for (int i = 0; i < characters; ++i) {
            name.strokeCounts[first + i] = counts[static_cast<std::size_t>(i)];
        }
        long long spellings = 1;
        for (std::int16_t count : counts) {
            spellings *= kanjiOf[count];
        }
        // A pattern no kanji can fill is no help to anyone choosing a name: not judged at all.
        const Judgement judgement =
            spellings > 0 ? JudgePositions(name, tables.spiritTable) : Judgement{};
        const std::array<Rating, 3>& faces = judgement.faces;
        if (spellings > 0 && std::all_of(faces.begin(), faces.end(),
                                         [](Rating face) { return face == Rating::Favourable; })) {
            LuckyPattern pattern;
            pattern.counts = counts;
            CopyJudgedNumbers(judgement, tables.spiritTable, pattern);
            pattern.spellings = spellings;
            result.patterns.push_back(std::move(pattern));
        }
        // The next pattern, the last character's count changing fastest.
        int i = characters - 1;
        while (i >= 0 && counts[static_cast<std::size_t>(i)] == kMaxPatternStrokes) {
            counts[static_cast<std::size_t>(i--)] = 1;
        }
        if (i < 0) {
            break;
        }
        ++counts[static_cast<std::size_t>(i)];
    }
    std::stable_sort(result.patterns.begin(), result.patterns.end(),
                     [](const LuckyPattern& a, const LuckyPattern& b) {
                         if (a.markScore != b.markScore) {
                             return a.markScore > b.markScore;
                         }
                         return a.spellings > b.spellings;
                     });
    return result;
}

}  // namespace namori
