#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace namori {

// The reading given with --furigana ("さとう,はると") as the 鑑定書 prints it above the name
// ("さとう　はると"); nothing unless it is exactly two parts of hiragana (ー allowed), split by one
// comma.
std::optional<std::u16string> FuriganaOf(std::string_view option);

}  // namespace namori
