#include "naming/NameComparison.h"

#include "naming/JudgedNumbers.h"
#include "naming/ReadingGrounds.h"

namespace namori {

std::vector<ComparedName> CompareNames(const std::vector<ShortlistEntry>& entries,
                                       const ReferenceTables& tables) {
    std::vector<ComparedName> compared;
    compared.reserve(entries.size());
    for (const ShortlistEntry& entry : entries) {
        ComparedName row;
        row.entry = entry;
        const Judgement judgement =
            Judge({entry.surname, entry.givenName, entry.complement}, tables);
        if (judgement.ready()) {
            row.judged = true;
            CopyJudgedNumbers(judgement, tables.spiritTable, row);
            row.faces = judgement.faces;
        } else {
            row.preparation = judgement.preparation;
        }
        compared.push_back(std::move(row));
    }
    return compared;
}

void GroundReadings(std::vector<ComparedName>& names, const ReadingGroundsIndex& index) {
    for (ComparedName& name : names) {
        if (!name.entry.reading.empty()) {
            name.grounding =
                GroundsText(GroundReading(index, name.entry.givenName, name.entry.reading));
        }
    }
}

std::u16string StrokesText(const ComparedName& name) {
    std::u16string text;
    for (const std::int16_t count : name.strokes) {
        if (!text.empty()) {
            text += u',';
        }
        for (const char c : std::to_string(count)) {
            text += static_cast<char16_t>(c);
        }
    }
    return text;
}

}  // namespace namori
