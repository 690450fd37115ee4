#pragma once

#include <filesystem>
#include <string>

#include "data/SystemCalls.h"

namespace namori {

// The name template (for mkstemp) of a temporary file that this process writes before it becomes
// target: hidden, beside target, and marked with the program's name and this process's number
// (".名前.txt.namori-1234-XXXXXX"), so that no file of the user's can be taken for one.
std::string TemporaryFileTemplate(const std::filesystem::path& target);

// Removes from folder the temporary files of Namori processes that are gone: regular files named
// as TemporaryFileTemplate names them whose process no longer runs and, for a file that is
// changed under a lock (a list, the dictionary), whose lock no process holds. Nothing else is
// ever touched: no file without the mark, no link, nothing outside folder. What cannot be
// removed stays. Files are removed through calls.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder, const SystemCalls& calls = {});

}  // namespace namori
