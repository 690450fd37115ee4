#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "data/DataFiles.h"

namespace namori {

// A table Namori ships and never writes, and the kind of shipped folder it is installed in.
struct ShippedTable {
    std::string_view kind;  // "data" or "naming", as ShippedFolders takes it
    std::string_view name;
};

// The tables read where they are installed unless the user put a file of the name in the data
// folder. A new shipped table is one more line here.
// clang-format off
inline constexpr ShippedTable kShippedTables[] = {
    {"data", kSpiritTableFile},
    {"data", kReadingTextsFile},
    {"data", kStrokeReferenceFile},
    {"naming", kRealNamesFile},
    {"naming", kKanjiReadingsFile},
    {"naming", kLawfulKanjiFile},
    {"naming", kPopularNamesFile},
    {"naming", kOrdinaryWordsFile},
    {"data", kAvoidedKanjiFile},
    {"data", kTraditionalStrokesFile},
};
// clang-format on

// One version of a file Namori shipped: its name, size and SHA-256 (lower-case hex).
struct ShippedVersion {
    std::string name;
    std::uint64_t size = 0;
    std::string sha256;
};

// Every version of every file Namori has shipped, this one's included (made at build time).
std::vector<ShippedVersion> KnownShippedVersions();

// The SHA-256 of bytes as lower-case hex.
std::string Sha256Hex(std::string_view bytes);

// Whether bytes are exactly a known version of the file called name.
bool IsShippedVersion(const std::vector<ShippedVersion>& versions, std::string_view name,
                      std::string_view bytes);

}  // namespace namori
