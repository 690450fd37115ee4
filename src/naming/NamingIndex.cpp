#include "naming/NamingIndex.h"

#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/FieldReader.h"

namespace namori {

namespace {

int ParseWhole(const std::u16string& text, const FieldReader& reader) {
    int value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9' || value > 100000000) {
            throw DataFileError(reader.fileName(), reader.line(), "数でない項目があります");
        }
        value = value * 10 + (c - u'0');
    }
    return value;
}

}  // namespace

NamingIndex LoadNamingIndex(const std::filesystem::path& folder) {
    NamingIndex index;
    {
        const std::string fileName = kRealNamesFile;
        const std::u16string text = ReadDataFile(ResolveDataFile(folder, fileName), fileName);
        FieldReader reader(text, fileName);
        while (!reader.AtEnd()) {
            std::u16string reading = reader.ReadText();
            RealName name;
            name.spelling = reader.ReadText();
            const std::u16string sex = reader.ReadText();
            name.sex = sex == u"f" ? 'f' : sex == u"m" ? 'm' : 'g';
            name.commonness = ParseWhole(reader.ReadText(), reader);
            index.realNames[reading].push_back(std::move(name));
        }
    }
    {
        const std::string fileName = kKanjiReadingsFile;
        const std::u16string text = ReadDataFile(ResolveDataFile(folder, fileName), fileName);
        FieldReader reader(text, fileName);
        while (!reader.AtEnd()) {
            std::u16string reading = reader.ReadText();
            const std::u16string kanji = reader.ReadText();
            reader.ReadText();  // nanori or kun: both serve
            if (kanji.size() == 1) {
                index.kanjiByReading[reading] += kanji;
            }
        }
    }
    return index;
}

}  // namespace namori
