#include "data/SpiritTableFile.h"

#include <optional>

#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/FieldReader.h"
#include "data/FileReading.h"

namespace namori {

namespace {

SpiritTable ParseSpiritTable(FieldReader& reader) {
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
    return table;
}

}  // namespace

SpiritTable ReadSpiritTable(const std::filesystem::path& folder) {
    const std::string fileName(kSpiritTableFile);
    const std::string bytes = ReadRegularFile(ResolveDataFile(folder, kSpiritTableFile), fileName);
    // Whatever follows the trailer is never read, so bytes there that are not code page 932
    // text do not matter: the table is read from the text before the first such byte.
    std::u16string text;
    std::optional<DataFileError> decodeError;
    try {
        text = DecodeCp932(bytes);
    } catch (const Cp932DecodeError& error) {
        text = DecodeCp932(std::string_view(bytes).substr(0, error.byteOffset()));
        decodeError.emplace(fileName, LineOfByte(bytes, error.byteOffset()),
                            "シフトJIS（コードページ932）として読めないバイトがあります");
    }
    FieldReader reader(text, fileName);
    SpiritTable table;
    try {
        table = ParseSpiritTable(reader);
    } catch (const DataFileError&) {
        if (decodeError) {
            throw *decodeError;
        }
        throw;
    }
    // The last field ran up to the bad byte without a separator: that byte may belong to it.
    const bool endedBySeparator =
        !text.empty() && (text.back() == u',' || text.back() == u'\n' || text.back() == u'\r');
    if (decodeError && reader.position() >= text.size() && !endedBySeparator) {
        throw *decodeError;
    }
    return table;
}

}  // namespace namori
