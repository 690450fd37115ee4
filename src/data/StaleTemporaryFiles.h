#pragma once

#include <filesystem>

#include "data/SystemCalls.h"

namespace namori {

// Removes from folder what a killed Namori process left behind: the temporary file of a list
// rewrite ("名前.txt.a1B2c3"), once no process holds the list's lock, and a half-copied bundled
// file (".名前.txt.1234.partial") whose process is gone. Nothing else is touched; what cannot
// be removed stays. Files are removed through calls.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder, const SystemCalls& calls = {});

}  // namespace namori
