#pragma once

#include <filesystem>

#include "data/KanjiDictionary.h"
#include "data/SpiritTable.h"

namespace namori {

// How strokes are counted: as the dictionary counts the printed forms of today, or the
// traditional way (the old form, each radical as the character it came from).
enum class StrokeCounting { Modern, Traditional };

// The tables every judgement reads: the spirit numbers and the kanji stroke dictionary, whose
// counts are those of counting.
struct ReferenceTables {
    SpiritTable spiritTable;
    KanjiDictionary dictionary;
    StrokeCounting counting = StrokeCounting::Modern;
};

// Replaces tables.spiritTable by "霊数.txt" of folder. On failure the table stays as it was and
// DataFileError is thrown.
void LoadSpiritNumbers(ReferenceTables& tables, const std::filesystem::path& folder = ".");

// Replaces tables.dictionary by "漢字辞書.txt" of folder. On failure the dictionary stays as it
// was and DataFileError is thrown.
void LoadKanjiDictionary(ReferenceTables& tables, const std::filesystem::path& folder = ".");

}  // namespace namori
