#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <filesystem>
#include <string>

#include "data/FileDescriptor.h"

namespace namori {

// No data file of the program comes near this; a larger one (or a link to /dev/zero) is refused
// instead of filling memory.
inline constexpr std::size_t kDataFileSizeLimit = 64u << 20;

// Whether a data file is opened to be read, or to be changed under a lock (made empty when
// missing); a failure to open says "読めません" for the one and "開けません" for the other.
enum class FileAccess { Read, Change };

// A data file open for reading, with its status as it was opened.
struct OpenedFile {
    FileDescriptor descriptor;
    struct stat status {};
};

// Opens a data file without waiting (a named pipe is opened, never read) and checks that it is a
// regular file within kDataFileSizeLimit. Throws DataFileError naming displayName when it is
// missing and access is Read ("ファイルが見つかりません"), cannot be opened (with the system's
// reason), is a folder, a named pipe or a device, or is too large.
OpenedFile OpenDataFile(const std::filesystem::path& path, const std::string& displayName,
                        FileAccess access = FileAccess::Read);

// The bytes of a regular file, opened as OpenDataFile opens it. Throws DataFileError as it does,
// and when reading fails.
std::string ReadRegularFile(const std::filesystem::path& path, const std::string& displayName);

// The same for a file already open, from its start; the size limit holds also when the file
// grows while it is read.
std::string ReadOpenRegularFile(const OpenedFile& file, const std::string& displayName);

// Throws the DataFileError of a failed open, read or lock, with the system's reason for
// errorNumber.
[[noreturn]] void FailAccess(const std::string& displayName, int errorNumber,
                             FileAccess access = FileAccess::Read);

}  // namespace namori
