#pragma once

#include "cli/JudgeOptions.h"

namespace namori {

struct JudgementStore;

// The lucky stroke patterns (吉数表) on the command line: every pattern of stroke counts for a
// given name of options.characters characters whose faces beside options.surname are all
// favourable, ranked, with example kanji from the dictionary; as a table or as JSON lines.
// Returns the exit code.
int RunLuckyStrokesCommand(JudgementStore& store, const JudgeOptions& options,
                           const JudgeStreams& streams);

}  // namespace namori
