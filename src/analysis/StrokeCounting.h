#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "analysis/ReferenceTables.h"
#include "data/KanjiDictionary.h"

namespace namori {

// The name a command line and JSON use for counting ("modern", "traditional").
std::string_view CountingName(StrokeCounting counting);

// The dictionary's entries with each count replaced by the traditional table's count of the
// same character (the table's last entry of it wins). A character the table lacks keeps its
// count, so a registration counts the same both ways until the table gets a line of its own.
std::vector<DictionaryEntry> TraditionalEntries(const std::vector<DictionaryEntry>& dictionary,
                                                const std::vector<DictionaryEntry>& traditional);

// Switches tables.dictionary (and tables.counting) to the traditional counts of "漢字辞書旧字.txt"
// in the first of folders that holds it. Throws DataFileError when it is missing or malformed;
// tables then stay as they were.
void UseTraditionalCounts(ReferenceTables& tables,
                          const std::vector<std::filesystem::path>& folders);

}  // namespace namori
