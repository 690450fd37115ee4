#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace namori {

// The largest stroke count the dictionary holds, read or registered.
inline constexpr std::int16_t kMaxStrokeCount = 99;

struct DictionaryEntry {
    std::u16string kanji;
    std::int16_t strokes = 0;
};

// The kanji stroke dictionary: entries in file order, at most 2000. A lookup gives the count of
// the last entry whose text equals the character exactly (0 when none does), the same as a scan
// of all entries front to back, but through an index rebuilt whenever the entries change.
class KanjiDictionary {
  public:
    static constexpr int kCapacity = 2000;

    KanjiDictionary();

    // Replaces all entries. The caller keeps to kCapacity.
    void Assign(std::vector<DictionaryEntry> entries);

    int dictCount() const { return static_cast<int>(entries_.size()); }
    // Entry i, counted from 1.
    const std::u16string& dictKanji(int i) const { return entries_[i - 1].kanji; }
    std::int16_t dictStrokes(int i) const { return entries_[i - 1].strokes; }
    const std::vector<DictionaryEntry>& entries() const { return entries_; }

    // Stroke count of one name position's text; 0 when unknown.
    std::int16_t StrokesOf(std::u16string_view character) const {
        if (character.size() == 1) {
            return (*byCodeUnit_)[character[0]];
        }
        // A name position holds one character or none; longer texts only arise in checks.
        return character.empty() ? emptyTextStrokes_ : StrokesByScan(character);
    }

    // The same result by scanning every entry front to back; for checks and comparisons.
    std::int16_t StrokesByScan(std::u16string_view character) const;

  private:
    std::vector<DictionaryEntry> entries_;
    // Count per UTF-16 code unit; shared between copies of the dictionary, rebuilt on Assign.
    std::shared_ptr<std::vector<std::int16_t>> byCodeUnit_;
    std::int16_t emptyTextStrokes_ = 0;
};

}  // namespace namori
