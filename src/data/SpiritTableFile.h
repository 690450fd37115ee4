#pragma once

#include <filesystem>

#include "data/SpiritTable.h"

namespace namori {

// Reads "霊数.txt" from folder: 81 records of eleven fields (number, phrase, mark, seven texts,
// closing number) and a trailer of five texts. Throws DataFileError when the whole file does not
// read.
SpiritTable ReadSpiritTable(const std::filesystem::path& folder);

}  // namespace namori
