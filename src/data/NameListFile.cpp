#include "data/NameListFile.h"

#include "data/DataFiles.h"
#include "data/FieldReader.h"

namespace namori {

std::vector<std::u16string> ReadNameList(const std::filesystem::path& folder,
                                         std::string_view fileName) {
    const std::filesystem::path path = ResolveDataFile(folder, fileName);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return {};
    }
    const std::u16string text = ReadDataFile(path, std::string(fileName));
    FieldReader reader(text, std::string(fileName));
    std::vector<std::u16string> entries;
    while (true) {
        reader.SkipBlankLines();
        if (reader.AtEnd()) {
            return entries;
        }
        entries.push_back(reader.ReadText());
    }
}

}  // namespace namori
