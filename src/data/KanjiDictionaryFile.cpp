#include "data/KanjiDictionaryFile.h"

#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/FieldReader.h"

namespace namori {

std::vector<DictionaryEntry> ReadKanjiDictionary(const std::filesystem::path& folder) {
    const std::string fileName(kKanjiDictionaryFile);
    return ParseKanjiDictionary(
        ReadDataFile(ResolveDataFile(folder, kKanjiDictionaryFile), fileName), fileName);
}

std::vector<DictionaryEntry> ParseKanjiDictionary(std::u16string_view text,
                                                  const std::string& fileName) {
    FieldReader reader(text, fileName);
    std::vector<DictionaryEntry> entries;
    while (reader.NextRecord()) {
        if (entries.size() >= static_cast<std::size_t>(KanjiDictionary::kCapacity)) {
            throw DataFileError(fileName, reader.line(),
                                "登録できるのは2000件までです（2001件目があります）");
        }
        const int entryLine = reader.line();
        DictionaryEntry entry;
        entry.kanji = reader.ReadText();
        if (reader.AtEnd()) {
            throw DataFileError(fileName, entryLine,
                                "ファイルが途中で終わっています（最後の漢字に画数がありません）");
        }
        const int countLine = reader.line();
        entry.strokes = reader.ReadCount();
        // No character has so many strokes; a larger count is a typing slip, and the window
        // draws counts of two digits.
        if (entry.strokes > kMaxStrokeCount) {
            throw DataFileError(fileName, countLine,
                                "画数は99までです（「" + std::to_string(entry.strokes) + "」）");
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace namori
