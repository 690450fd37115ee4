#include "data/StrokeReference.h"

#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/FieldReader.h"

namespace namori {

StrokeReference ReadStrokeReference(const std::filesystem::path& folder) {
    StrokeReference reference;
    try {
        const std::string fileName(kStrokeReferenceFile);
        const std::u16string text =
            ReadDataFile(ResolveDataFile(folder, kStrokeReferenceFile), fileName);
        FieldReader reader(text, fileName);
        while (!reader.AtEnd()) {
            const std::u16string kanji = reader.ReadText();
            const std::int16_t strokes = reader.ReadCount();
            if (kanji.size() == 1) {
                reference[kanji.front()] = strokes;
            }
        }
    } catch (const DataFileError&) {
        // Whatever was read before the problem still serves.
    }
    return reference;
}

}  // namespace namori
