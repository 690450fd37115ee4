#pragma once

#include <filesystem>
#include <vector>

#include "cli/JudgeOptions.h"

namespace namori {

struct ReferenceTables;

// Several given names beside one surname, judged and shown side by side: a table (TSV with a
// header line) or one JSON object a line. options.compare holds the surname, then the given
// names, each optionally followed by =reading. Returns the exit code: a name that cannot be
// judged is said on the error stream after the others are shown.
int RunCompareCommand(const ReferenceTables& tables,
                      const std::vector<std::filesystem::path>& namingFolders,
                      const JudgeOptions& options, const JudgeStreams& streams);

}  // namespace namori
