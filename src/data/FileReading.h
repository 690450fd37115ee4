#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace namori {

// No data file of the program comes near this; a larger one (or a link to /dev/zero) is refused
// instead of filling memory.
inline constexpr std::size_t kDataFileSizeLimit = 64u << 20;

// The bytes of a regular file. Throws DataFileError naming displayName when the file is missing
// ("ファイルが見つかりません"), cannot be read (with the system's reason), is not a regular file
// (a folder, a named pipe, a device: opened without waiting, never read) or is larger than
// kDataFileSizeLimit.
std::string ReadRegularFile(const std::filesystem::path& path, const std::string& displayName);

// The same for a file already open for reading, from its start.
std::string ReadOpenRegularFile(int descriptor, const std::string& displayName);

}  // namespace namori
