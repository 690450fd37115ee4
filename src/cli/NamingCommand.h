#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cli/JudgeOptions.h"

namespace namori {

struct ReferenceTables;

// The name-choosing aid on the command line: every given name read as reading, judged beside
// surname and ranked, as a table or as JSON lines. Returns the exit code.
// options.surname, .reading, .sex, .limit, .complement and .json say what to list and how.
int RunNamingCommand(const ReferenceTables& tables,
                     const std::vector<std::filesystem::path>& folders, const JudgeOptions& options,
                     const JudgeStreams& streams);

}  // namespace namori
