#include "analysis/ReferenceTables.h"

#include "analysis/JudgementStore.h"
#include "data/KanjiDictionaryFile.h"
#include "data/SpiritTableFile.h"

namespace namori {

void LoadSpiritNumbers(JudgementStore& store, const std::filesystem::path& folder) {
    store.spiritTable = ReadSpiritTable(folder);
}

void LoadKanjiDictionary(JudgementStore& store, const std::filesystem::path& folder) {
    store.dictionary.Assign(ReadKanjiDictionary(folder));
}

}  // namespace namori
