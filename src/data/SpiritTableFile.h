#pragma once

#include <filesystem>

namespace namori {

struct JudgementStore;

// Reads "霊数.txt" from folder into store.spiritTable: 81 records of eleven fields (number,
// phrase, mark, seven texts, closing number) and a trailer of five texts. The table is replaced
// only when the whole file reads; otherwise DataFileError is thrown and it stays as it was.
void LoadSpiritNumbers(JudgementStore& store, const std::filesystem::path& folder = ".");

}  // namespace namori
