#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "data/FileDescriptor.h"

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

// Opens a data file for reading without waiting (a named pipe is opened, not read). Throws
// DataFileError as ReadRegularFile does when it is missing or cannot be opened.
FileDescriptor OpenDataFile(const std::filesystem::path& path, const std::string& displayName);

// The size of an open file that is regular and within kDataFileSizeLimit. Throws DataFileError
// as ReadRegularFile does otherwise.
std::size_t RegularFileSize(int descriptor, const std::string& displayName);

// Throws the DataFileError of a failed read, with the system's reason for errorNumber.
[[noreturn]] void FailReading(const std::string& displayName, int errorNumber);

}  // namespace namori
