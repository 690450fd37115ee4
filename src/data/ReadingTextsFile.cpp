#include "data/ReadingTextsFile.h"

#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/FieldReader.h"

namespace namori {

const std::u16string& ReadingTexts::Of(std::u16string_view kind, std::u16string_view key) const {
    static const std::u16string kNone;
    const auto found = texts_.find(std::pair(std::u16string(kind), std::u16string(key)));
    return found == texts_.end() ? kNone : found->second;
}

bool ReadingTexts::Add(std::u16string kind, std::u16string key, std::u16string text) {
    return texts_.try_emplace(std::pair(std::move(kind), std::move(key)), std::move(text)).second;
}

ReadingTexts ReadReadingTexts(const std::filesystem::path& folder) {
    const std::string fileName(kReadingTextsFile);
    const std::u16string text = ReadDataFile(ResolveDataFile(folder, kReadingTextsFile), fileName);
    FieldReader reader(text, fileName);
    ReadingTexts texts;
    while (reader.NextRecord()) {
        const int line = reader.line();
        std::u16string kind = reader.ReadText();
        std::u16string key = reader.ReadText();
        std::u16string explanation = reader.ReadText();
        if (kind.empty() || key.empty()) {
            throw DataFileError(fileName, line, "種類と見出しのない解説があります");
        }
        if (!texts.Add(kind, key, std::move(explanation))) {
            throw DataFileError(
                fileName, line,
                "「" + Utf16ToUtf8(key) + "」（" + Utf16ToUtf8(kind) + "）の解説が二度あります");
        }
    }
    return texts;
}

}  // namespace namori
