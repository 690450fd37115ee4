#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "data/KanjiDictionary.h"

namespace namori {

// A stroke count as the user typed it: the number as it is written to the dictionary file
// (12.5 stays 12.5) and the whole number that the judgement uses (halves to even: 12.5 gives
// 12, 13.5 gives 14).
struct StrokeEntry {
    std::string written;
    std::int16_t rounded = 0;
};

// Reads a typed stroke count: a whole or decimal number from 1 to 99, blanks around it and
// full-width digits allowed. Nothing for anything else.
std::optional<StrokeEntry> ParseStrokeEntry(std::u16string_view text);

// Why kanji cannot be registered: it must be exactly one character that code page 932 holds,
// and not a double quote or a control character. Nothing when it can.
std::optional<std::u16string> KanjiEntryProblem(std::u16string_view kanji);

struct KanjiRegistration {
    std::u16string kanji;
    StrokeEntry strokes;
};

// A registration that would take the dictionary past its 2000 entries; nothing was written.
class KanjiDictionaryFull : public std::runtime_error {
  public:
    explicit KanjiDictionaryFull(int freePlaces);
    int freePlaces() const { return freePlaces_; }

  private:
    int freePlaces_;
};

// Appends the registrations to "漢字辞書.txt" of folder, one line each ("漢",13 CR LF), in one
// write, as one transaction that is safe against other Namori processes registering at the same
// time: the file is locked and read afresh, the limit is checked against what it holds, a last
// line without its line end is ended first. Returns the dictionary as the file now holds it.
// Throws KanjiDictionaryFull or DataFileError (the file cannot be read) before writing
// anything, FileWriteError leaving the file as it was.
std::vector<DictionaryEntry> AppendKanjiEntries(
    const std::filesystem::path& folder, const std::vector<KanjiRegistration>& registrations);

}  // namespace namori
