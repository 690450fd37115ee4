#include "data/SpiritTableFile.h"

#include "analysis/JudgementStore.h"
#include "data/DataFiles.h"
#include "data/FieldReader.h"

namespace namori {

void LoadSpiritNumbers(JudgementStore& store, const std::filesystem::path& folder) {
    const std::string fileName(kSpiritTableFile);
    const std::u16string text = ReadDataFile(ResolveDataFile(folder, kSpiritTableFile), fileName);
    FieldReader reader(text, fileName);
    SpiritTable table;
    for (int number = 1; number <= SpiritTable::kNumbers; ++number) {
        reader.ReadText();  // record number: the position in the file decides
        table.spiritPhrase[number] = reader.ReadText();
        table.spiritMark[number] = reader.ReadText();
        for (auto& further : table.furtherTexts[number]) {
            further = reader.ReadText();
        }
        reader.ReadText();  // closing number
    }
    for (auto& trailerText : table.trailer) {
        trailerText = reader.ReadText();
    }
    store.spiritTable = std::move(table);
}

}  // namespace namori
