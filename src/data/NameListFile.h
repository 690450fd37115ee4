#pragma once

#include <filesystem>
#include <optional>
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

// Why entry cannot be kept in a list file and read back as typed (a comma, a double quote, a
// blank at either end, a control character, a character outside code page 932, more than three
// characters); nothing when it can.
std::optional<std::u16string> ListEntryProblem(std::u16string_view entry);

// Appends one entry as a line of its own. Throws FileWriteError, leaving the file as it was.
void AppendNameListEntry(const std::filesystem::path& folder, std::string_view fileName,
                         std::u16string_view entry);

// Replaces the list file by entries, one a line (no entries: an empty file), atomically. Throws
// FileWriteError, leaving the file as it was.
void RewriteNameList(const std::filesystem::path& folder, std::string_view fileName,
                     const std::vector<std::u16string>& entries);

}  // namespace namori
