#pragma once

namespace namori {

// Exit codes of namori-judge.
enum JudgeExit { kJudged = 0, kUsage = 1, kDataProblem = 2, kNameRefused = 3 };

// Runs namori-judge with its arguments; in batch mode names come from standard input.
int RunJudgeCommand(int argc, char** argv);

}  // namespace namori
