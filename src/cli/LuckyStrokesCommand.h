#pragma once

#include <filesystem>
#include <vector>

#include "cli/JudgeOptions.h"

namespace namori {

struct ReferenceTables;

// The lucky stroke patterns (吉数表) on the command line: every pattern of stroke counts for a
// given name of options.characters characters whose faces beside options.surname are all
// favourable and that lawful name kanji can fill, ranked, with example kanji of given names
// (the naming data is looked for in folders); as a table with a header line or as JSON lines.
// Returns the exit code.
int RunLuckyStrokesCommand(const ReferenceTables& tables,
                           const std::vector<std::filesystem::path>& folders,
                           const JudgeOptions& options, const JudgeStreams& streams);

}  // namespace namori
