#include "data/KanjiDictionary.h"

namespace namori {

namespace {

constexpr std::size_t kCodeUnits = 0x10000;

}  // namespace

KanjiDictionary::KanjiDictionary()
    : byCodeUnit_(std::make_shared<std::vector<std::int16_t>>(kCodeUnits, 0)) {}

void KanjiDictionary::Assign(std::vector<DictionaryEntry> entries) {
    auto index = std::make_shared<std::vector<std::int16_t>>(kCodeUnits, 0);
    std::int16_t emptyText = 0;
    // Later entries overwrite earlier ones, so the last match wins as in a full scan.
    for (const DictionaryEntry& entry : entries) {
        if (entry.kanji.size() == 1) {
            (*index)[entry.kanji[0]] = entry.strokes;
        } else if (entry.kanji.empty()) {
            emptyText = entry.strokes;
        }
    }
    entries_ = std::move(entries);
    byCodeUnit_ = std::move(index);
    emptyTextStrokes_ = emptyText;
}

std::int16_t KanjiDictionary::StrokesByScan(std::u16string_view character) const {
    std::int16_t strokes = 0;
    for (const DictionaryEntry& entry : entries_) {
        if (entry.kanji == character) {
            strokes = entry.strokes;
        }
    }
    return strokes;
}

}  // namespace namori
