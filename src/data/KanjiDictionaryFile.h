#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "data/KanjiDictionary.h"

namespace namori {

// Reads the entries of a dictionary file: a text field (the kanji) and a count field per entry,
// quoted or not, on one line or two. Blank lines between entries and at the end are skipped.
// Throws DataFileError for a missing or unreadable file, more than 2000 entries, a file that
// ends between a kanji and its count, or a count that is not a number from 0 to 32767.
std::vector<DictionaryEntry> ReadKanjiDictionary(const std::filesystem::path& folder);

// The same for the decoded text of such a file; fileName is for the messages.
std::vector<DictionaryEntry> ParseKanjiDictionary(std::u16string_view text,
                                                  const std::string& fileName);

}  // namespace namori
