#include "analysis/ReferenceTables.h"

#include "data/KanjiDictionaryFile.h"
#include "data/SpiritTableFile.h"

namespace namori {

void LoadSpiritNumbers(ReferenceTables& tables, const std::filesystem::path& folder) {
    tables.spiritTable = ReadSpiritTable(folder);
}

void LoadKanjiDictionary(ReferenceTables& tables, const std::filesystem::path& folder) {
    tables.dictionary.Assign(ReadKanjiDictionary(folder));
}

}  // namespace namori
