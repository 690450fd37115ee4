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

// What a change left in a list file.
struct NameListUpdate {
    bool changed = false;                 // false when there was nothing to change
    std::vector<std::u16string> entries;  // the list as its file now holds it
};

// Each change below is one transaction on the list file, safe against other Namori processes
// changing the same file: it locks the file, reads it afresh, applies just this change to what
// it read and writes. A file that cannot be read or decoded throws DataFileError and is left
// alone; a failed write throws FileWriteError and leaves the file as it was.

// Appends entry as a line of its own unless the file holds it already (exact comparison). A last
// line without its line end is ended first.
NameListUpdate AddNameListEntry(const std::filesystem::path& folder, std::string_view fileName,
                                std::u16string_view entry);

// Removes the occurrence-th (from 0) entry equal to entry, rewriting the file atomically;
// nothing changes when the file no longer holds it.
NameListUpdate DeleteNameListEntry(const std::filesystem::path& folder, std::string_view fileName,
                                   std::u16string_view entry, int occurrence = 0);

// Empties the file.
NameListUpdate EmptyNameList(const std::filesystem::path& folder, std::string_view fileName);

}  // namespace namori
