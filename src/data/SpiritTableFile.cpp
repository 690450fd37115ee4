#include "data/SpiritTableFile.h"

#include <algorithm>
#include <optional>

#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/FieldReader.h"
#include "data/FileReading.h"

namespace namori {

namespace {

// The grade of a mark character; None for any other text.
Mark GradeOf(std::u16string_view text) {
    const auto found = std::find(kMarkSymbols.begin() + 1, kMarkSymbols.end(), text);
    return found == kMarkSymbols.end() ? Mark::None
                                       : static_cast<Mark>(found - kMarkSymbols.begin());
}

// A record's closing number is its position: a field too many or too few anywhere before it
// shifts the fields, and the shift shows there (or in the mark) instead of in wrong texts.
SpiritTable ParseSpiritTable(FieldReader& reader) {
    SpiritTable table;
    for (int number = 1; number <= SpiritTable::kNumbers; ++number) {
        // The record number is not used (the position in the file decides) but must be a number:
        // a text there means the fields are out of step.
        const int recordLine = reader.line();
        const std::u16string recordNumber = reader.ReadText();
        std::int16_t unused = 0;
        if (!ParseCount(recordNumber, unused)) {
            throw DataFileError(reader.fileName(), recordLine,
                                std::to_string(number) + "番の記録の番号が「" +
                                    Utf16ToUtf8(recordNumber) + "」です（数のはずです）");
        }
        table.spiritPhrase[number] = reader.ReadText();
        const int markLine = reader.line();
        const std::u16string mark = reader.ReadText();
        table.spiritMark[number] = GradeOf(mark);
        if (table.spiritMark[number] == Mark::None) {
            throw DataFileError(reader.fileName(), markLine,
                                std::to_string(number) + "番の記録の記号が「" + Utf16ToUtf8(mark) +
                                    "」です（◎、○、△のどれかのはずです）");
        }
        for (auto& further : table.furtherTexts[number]) {
            further = reader.ReadText();
        }
        const std::u16string closing = reader.ReadText();
        if (closing != Utf8ToUtf16(std::to_string(number))) {
            throw DataFileError(reader.fileName(), recordLine,
                                std::to_string(number) + "番の記録の最後の項目が「" +
                                    Utf16ToUtf8(closing) + "」です（" + std::to_string(number) +
                                    "のはずです）。項目の数が合いません");
        }
    }
    const int trailerLine = reader.line();
    for (auto& trailerText : table.trailer) {
        trailerText = reader.ReadText();
    }
    std::int16_t number = 0;
    if (ParseCount(table.trailer[0], number)) {
        throw DataFileError(reader.fileName(), trailerLine,
                            "記録が81を超えています（81番の後は表の名前などの5項目のはずです）");
    }
    return table;
}

}  // namespace

SpiritTable ReadSpiritTable(const std::filesystem::path& folder) {
    const std::string fileName(kSpiritTableFile);
    const std::string bytes = ReadRegularFile(ResolveDataFile(folder, kSpiritTableFile), fileName);
    // Whatever follows the trailer is never read, so bytes there that are not code page 932
    // text do not matter: the table is read from the text before the first such byte.
    std::optional<DataFileError> decodeError;
    const std::u16string text = DecodeDataFileUpToError(bytes, fileName, decodeError);
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
