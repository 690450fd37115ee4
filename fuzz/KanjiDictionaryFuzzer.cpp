// Arbitrary bytes as the kanji dictionary file. A dictionary that loads has at most 2000
// entries, counts from 0 to 32767, and its indexed lookup gives exactly what a front-to-back scan
// of the entries gives, for the entries' own texts and for others. A load that fails leaves the
// dictionary in memory as it was, and a copy taken before a load keeps its own lookups.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "analysis/ReferenceTables.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/KanjiDictionaryFile.h"

namespace {

using namespace namori;
using fuzzing::Require;

// A lone surrogate, which no file can hold: its count shows which dictionary is in place.
const std::u16string kEarlierKanji(1, u'\xD800');
constexpr std::int16_t kEarlierStrokes = 7;

// Below this many entries the scan is run for every entry; above, a map of the last count per
// text stands in for it, with the scan checked on a sample, to keep large inputs fast.
constexpr int kFullScanEntries = 300;

void CheckLookup(const KanjiDictionary& dictionary,
                 const std::map<std::u16string, std::int16_t>& lastCount, std::u16string_view text,
                 bool scan) {
    const auto found = lastCount.find(std::u16string(text));
    const std::int16_t expected = found == lastCount.end() ? 0 : found->second;
    Require(dictionary.StrokesOf(text) == expected,
            "the index does not give the count of the last matching entry");
    if (scan) {
        Require(dictionary.StrokesByScan(text) == expected,
                "the scan does not give the count of the last matching entry");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::ScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzzing::BytesOf(data, size);
    fuzzing::WriteScratchFile(kKanjiDictionaryFile, bytes);
    // One set of tables and one earlier dictionary for the process: building either costs more than
    // reading a small file. Copies of a dictionary share its index.
    static ReferenceTables tables;
    static const KanjiDictionary kEarlier = [] {
        KanjiDictionary dictionary;
        dictionary.Assign({{kEarlierKanji, kEarlierStrokes}});
        return dictionary;
    }();
    tables.dictionary = kEarlier;
    const KanjiDictionary earlier = tables.dictionary;
    try {
        LoadKanjiDictionary(tables, fuzzing::ScratchFolder());
    } catch (const DataFileError& error) {
        Require(error.fileName() == kKanjiDictionaryFile, "the error names another file");
        Require(tables.dictionary.dictCount() == 1 &&
                    tables.dictionary.dictKanji(1) == kEarlierKanji &&
                    tables.dictionary.StrokesOf(kEarlierKanji) == kEarlierStrokes,
                "a failed load changed the dictionary");
        return 0;
    }
    const KanjiDictionary& dictionary = tables.dictionary;
    Require(dictionary.dictCount() <= KanjiDictionary::kCapacity, "more than 2000 entries loaded");
    Require(earlier.StrokesOf(kEarlierKanji) == kEarlierStrokes && earlier.dictCount() == 1,
            "a load changed a copy of the earlier dictionary");

    std::map<std::u16string, std::int16_t> lastCount;
    for (const DictionaryEntry& entry : dictionary.entries()) {
        Require(entry.strokes >= 0, "a count below 0 was loaded");
        lastCount[entry.kanji] = entry.strokes;
    }
    const int count = dictionary.dictCount();
    const bool scanAll = count <= kFullScanEntries;
    for (int i = 1; i <= count; ++i) {
        const bool sampled = i <= 8 || i > count - 8 || i % 97 == 0;
        CheckLookup(dictionary, lastCount, dictionary.dictKanji(i), scanAll || sampled);
    }

    // Texts that may or may not be entries: the empty text, the complement character, the
    // earlier dictionary's entry, the input's bytes read as characters, and each entry's text
    // with a character added or its first character alone.
    std::vector<std::u16string> others = {u"", u"１", u"山", kEarlierKanji};
    const std::u16string units = fuzzing::Utf16LeUnits(bytes.substr(0, 64));
    for (char16_t unit : units) {
        others.emplace_back(1, unit);
    }
    for (int i = 1; i <= count && i <= 16; ++i) {
        const std::u16string& kanji = dictionary.dictKanji(i);
        others.push_back(kanji + u"x");
        if (!kanji.empty()) {
            others.push_back(kanji.substr(0, 1));
        }
    }
    for (const std::u16string& text : others) {
        CheckLookup(dictionary, lastCount, text, true);
    }
    return 0;
}
