#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace namori {

// A given name that real people carry, with the sex it is given to ('f', 'm', or 'g' for
// either) and how common the spelling is (the number of name entries written so).
struct RealName {
    std::u16string spelling;
    char sex = 'g';
    int commonness = 0;
};

// The readings behind the name-choosing aid: real given names by reading, and the kanji that
// can be read as each piece of a reading.
struct NamingIndex {
    std::unordered_map<std::u16string, std::vector<RealName>> realNames;
    std::unordered_map<std::u16string, std::u16string> kanjiByReading;
};

inline constexpr const char* kRealNamesFile = "名前読み.txt";
inline constexpr const char* kKanjiReadingsFile = "漢字読み.txt";

// Reads the two index files of folder. Throws DataFileError when one is missing or malformed.
NamingIndex LoadNamingIndex(const std::filesystem::path& folder);

}  // namespace namori
