#include "analysis/StrokeCounting.h"

#include <string>
#include <unordered_map>

#include "data/DataFiles.h"
#include "data/KanjiDictionaryFile.h"

namespace namori {

std::string_view CountingName(StrokeCounting counting) {
    return counting == StrokeCounting::Traditional ? "traditional" : "modern";
}

std::vector<DictionaryEntry> TraditionalEntries(const std::vector<DictionaryEntry>& dictionary,
                                                const std::vector<DictionaryEntry>& traditional) {
    std::unordered_map<std::u16string, std::int16_t> counts;
    for (const DictionaryEntry& entry : traditional) {
        counts[entry.kanji] = entry.strokes;
    }
    std::vector<DictionaryEntry> entries = dictionary;
    for (DictionaryEntry& entry : entries) {
        if (const auto found = counts.find(entry.kanji); found != counts.end()) {
            entry.strokes = found->second;
        }
    }
    return entries;
}

void UseTraditionalCounts(ReferenceTables& tables,
                          const std::vector<std::filesystem::path>& folders) {
    const std::string fileName(kTraditionalStrokesFile);
    const std::filesystem::path path =
        ResolveDataFile(FolderHolding(folders, kTraditionalStrokesFile), kTraditionalStrokesFile);
    const std::vector<DictionaryEntry> traditional =
        ParseKanjiDictionary(ReadDataFile(path, fileName), fileName);
    tables.dictionary.Assign(TraditionalEntries(tables.dictionary.entries(), traditional));
    tables.counting = StrokeCounting::Traditional;
}

}  // namespace namori
