#pragma once

#include <filesystem>

namespace namori {

struct JudgementStore;

// Replaces store.spiritTable by "霊数.txt" of folder. On failure the table stays as it was and
// DataFileError is thrown.
void LoadSpiritNumbers(JudgementStore& store, const std::filesystem::path& folder = ".");

// Replaces store.dictionary by "漢字辞書.txt" of folder. On failure the dictionary stays as it was
// and DataFileError is thrown.
void LoadKanjiDictionary(JudgementStore& store, const std::filesystem::path& folder = ".");

}  // namespace namori
