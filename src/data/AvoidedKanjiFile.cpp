#include "data/AvoidedKanjiFile.h"

#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/FieldReader.h"

namespace namori {

std::u16string ReadAvoidedKanji(const std::filesystem::path& folder) {
    const std::string fileName(kAvoidedKanjiFile);
    const std::u16string text = ReadDataFile(ResolveDataFile(folder, kAvoidedKanjiFile), fileName);
    FieldReader reader(text, fileName);
    std::u16string avoided;
    while (reader.NextRecord()) {
        const int line = reader.line();
        const std::u16string kanji = reader.ReadText();
        if (kanji.size() != 1) {
            throw DataFileError(fileName, line, "1列目は漢字１文字のはずです");
        }
        // The reason is for the reader of the file; the line ends after it.
        while (!reader.AtEnd() && reader.line() == line) {
            reader.ReadText();
        }
        avoided += kanji;
    }
    return avoided;
}

}  // namespace namori
