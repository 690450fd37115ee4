#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace namori {

// Reads a name list ("名字.txt" or "名前.txt") of folder: one entry per line, read with the
// field syntax, so a line "山田,太郎" gives two entries and surrounding double quotes are
// dropped. Blank lines are skipped. A missing file is an empty list; a file that cannot be read
// or decoded throws DataFileError.
std::vector<std::u16string> ReadNameList(const std::filesystem::path& folder,
                                         std::string_view fileName);

}  // namespace namori
