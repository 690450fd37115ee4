// Speed of the judgement core: a whole judgement through the dictionary index against the same
// judgement with the literal front-to-back scan of every entry, and loading the dictionary.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "analysis/NameLookup.h"
#include "analysis/ReferenceTables.h"
#include "data/Cp932.h"
#include "data/KanjiDictionaryFile.h"
#include "data/SpiritTableFile.h"
#include "naming/LuckyStrokes.h"
#include "naming/NameCandidates.h"
#include "rules/Judgement.h"

namespace namori {
namespace {

const std::filesystem::path kShipped = NAMORI_SHIPPED_DATA_DIR;

struct Name {
    std::u16string surname, givenName;
};

// A spread of real names of every length, all of whose characters the shipped dictionary has.
std::vector<Name> SampleNames() {
    const char* pairs[][2] = {{"白鳥", "杏奈"},   {"佐藤", "陽翔"},   {"鈴木", "結菜"},
                              {"高橋", "大輔"},   {"林", "翔"},       {"田中", "由美子"},
                              {"佐々木", "蓮"},   {"渡辺", "さくら"}, {"山本", "凛"},
                              {"長谷川", "美咲"}, {"伊藤", "健太"},   {"森", "ゆうき"}};
    std::vector<Name> names;
    for (const auto& pair : pairs) {
        names.push_back({Utf8ToUtf16(pair[0]), Utf8ToUtf16(pair[1])});
    }
    return names;
}

// The shipped tables, with the dictionary filled up to its 2000 entries at the front so that
// the names' characters stand at the end, where a scan finds them last.
ReferenceTables FullTables() {
    ReferenceTables tables;
    LoadSpiritNumbers(tables, kShipped);
    LoadKanjiDictionary(tables, kShipped);
    std::vector<DictionaryEntry> entries;
    for (char16_t filler = u'一'; entries.size() + tables.dictionary.dictCount() < 2000; ++filler) {
        if (IsCp932Character(filler) && tables.dictionary.StrokesOf({&filler, 1}) == 0) {
            entries.push_back({std::u16string(1, filler), 1});
        }
    }
    entries.insert(entries.end(), tables.dictionary.entries().begin(),
                   tables.dictionary.entries().end());
    tables.dictionary.Assign(std::move(entries));
    return tables;
}

void BM_JudgementIndexed(benchmark::State& state) {
    const ReferenceTables tables = FullTables();
    const std::vector<Name> names = SampleNames();
    std::size_t next = 0;
    for (auto _ : state) {
        const Name& name = names[next++ % names.size()];
        const Judgement judgement = Judge({name.surname, name.givenName, next % 2 == 0}, tables);
        benchmark::DoNotOptimize(judgement.faces);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_JudgementIndexed);

// The lookup as its rule states it: every entry visited, each compared with the part's
// first three positions.
void LiteralLookUpPart(const KanjiDictionary& dictionary, NamePositions& name, int first,
                       int length) {
    for (int j = 1; j <= dictionary.dictCount(); ++j) {
        const std::u16string& kanji = dictionary.dictKanji(j);
        for (int i = 0; i < 3 && i < length && first + i < kNamePositions; ++i) {
            if (name.nameChars[first + i] == kanji) {
                name.strokeCounts[first + i] = dictionary.dictStrokes(j);
            }
        }
    }
}

void BM_JudgementLiteralScan(benchmark::State& state) {
    const ReferenceTables tables = FullTables();
    const std::vector<Name> names = SampleNames();
    std::size_t next = 0;
    for (auto _ : state) {
        const Name& name = names[next++ % names.size()];
        const NamePreparation check = CheckName(name.surname, name.givenName);
        NamePositions positions;
        positions.currentSurname = name.surname;
        positions.currentGivenName = name.givenName;
        positions.surnameLength = static_cast<int>(name.surname.size());
        positions.givenNameLength = static_cast<int>(name.givenName.size());
        positions.totalLength = positions.surnameLength + positions.givenNameLength;
        for (int index = 0; index < positions.positions(); ++index) {
            const char16_t character = index < positions.surnameLength
                                           ? name.surname[index]
                                           : name.givenName[index - positions.surnameLength];
            positions.nameChars[index] = std::u16string_view(&character, 1);
        }
        LiteralLookUpPart(tables.dictionary, positions, 0, positions.surnameLength);
        LiteralLookUpPart(tables.dictionary, positions, positions.surnameLength,
                          positions.givenNameLength);
        benchmark::DoNotOptimize(check.problem);
        benchmark::DoNotOptimize(JudgePositions(positions, tables.spiritTable).faces);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_JudgementLiteralScan);

void BM_LoadDictionary2000(benchmark::State& state) {
    char pattern[] = "/tmp/namori-bench-XXXXXX";
    const std::filesystem::path folder = mkdtemp(pattern);
    {
        const ReferenceTables tables = FullTables();
        std::string text;
        for (const DictionaryEntry& entry : tables.dictionary.entries()) {
            text +=
                "\"" + Utf16ToUtf8(entry.kanji) + "\"," + std::to_string(entry.strokes) + "\r\n";
        }
        std::ofstream(folder / u8"漢字辞書.txt", std::ios::binary)
            << *EncodeCp932(Utf8ToUtf16(text));
    }
    ReferenceTables tables;
    for (auto _ : state) {
        LoadKanjiDictionary(tables, folder);
        benchmark::DoNotOptimize(tables.dictionary.dictCount());
    }
    state.SetLabel(std::to_string(tables.dictionary.dictCount()) + " entries");
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadDictionary2000)->Unit(benchmark::kMicrosecond);

// The name-choosing aid for 佐藤 / はると: the index opened, every candidate generated, judged
// and ranked; argument 1 adds the rare compositions (--all).
void BM_NamingSatoHaruto(benchmark::State& state) {
    ReferenceTables tables;
    LoadSpiritNumbers(tables, kShipped);
    LoadKanjiDictionary(tables, kShipped);
    const StrokeReference reference = ReadStrokeReference(kShipped);
    const bool rare = state.range(0) != 0;
    std::size_t candidates = 0;
    for (auto _ : state) {
        const NamingIndex index = NamingIndex::Open({kShipped.parent_path() / "naming"});
        const auto ranked = JudgeAndRank(
            tables, u"佐藤", GenerateCandidates(index, u"はると", SexFilter::Either, rare), false,
            reference);
        candidates = ranked.size();
        benchmark::DoNotOptimize(ranked.data());
    }
    state.SetLabel(std::to_string(candidates) + " candidates");
}
BENCHMARK(BM_NamingSatoHaruto)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The lucky stroke patterns (吉数表) of 佐藤 for given names of one, two and three characters.
void BM_LuckyStrokesSato(benchmark::State& state) {
    ReferenceTables tables;
    LoadSpiritNumbers(tables, kShipped);
    LoadKanjiDictionary(tables, kShipped);
    std::size_t patterns = 0;
    for (auto _ : state) {
        const LuckyPatterns found =
            FindLuckyPatterns(tables, u"佐藤", static_cast<int>(state.range(0)), false);
        patterns = found.patterns.size();
        benchmark::DoNotOptimize(found.patterns.data());
    }
    state.SetLabel(std::to_string(patterns) + " patterns");
}
BENCHMARK(BM_LuckyStrokesSato)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace namori

BENCHMARK_MAIN();
