#pragma once

#include <cstdint>
#include <filesystem>
#include <unordered_map>

namespace namori {

// Standard stroke counts of many more characters than the dictionary holds, from the reference
// table "漢字画数参考.txt": only ever offered as suggestions.
using StrokeReference = std::unordered_map<char16_t, std::int16_t>;

// Reads the reference table of folder; an empty table when it is missing or unreadable, since
// the suggestions are a convenience.
StrokeReference ReadStrokeReference(const std::filesystem::path& folder);

}  // namespace namori
