#pragma once

namespace namori {

// Exit codes of namori-judge.
enum JudgeExit {
    kJudged = 0,
    kUsage = 1,
    kDataProblem = 2,
    kNameRefused = 3,
    // Standard output could not be written or standard input could not be read.
    kInputOutputFailed = 4,
};

// Runs namori-judge with its arguments; in batch mode names come from standard input. Ends
// standard output, so that a failure to write it is reported in the exit code.
int RunJudgeCommand(int argc, char** argv);

}  // namespace namori
