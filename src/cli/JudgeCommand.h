#pragma once

#include <variant>

#include "cli/JudgeOptions.h"
#include "data/DataFolder.h"

namespace namori {

// Exit codes of namori-judge.
enum JudgeExit {
    kJudged = 0,
    kUsage = 1,
    kDataProblem = 2,
    kNameRefused = 3,
    // The output could not be written or the input could not be read.
    kInputOutputFailed = 4,
    // A fault of the program itself (an exception nothing else caught).
    kUnexpectedError = 70,
};

// Reads namori-judge's arguments. Help and usage errors are written to the streams and end the
// run: the result is then the exit code instead of the options.
std::variant<JudgeOptions, int> ParseJudgeArguments(int argc, const char* const* argv,
                                                    const JudgeStreams& streams);

// Judges as options say, on the data folder that settings choose (options.dataFolder, when set,
// is the folder asked for). Flushes the output; returns the exit code.
int RunJudgeCommand(const JudgeOptions& options, DataFolderSettings settings,
                    const JudgeStreams& streams);

// namori-judge as a process: its arguments, standard input and output, the process's data
// folder settings. Ends standard output, so that a failure to write it is in the exit code.
int RunJudgeCommand(int argc, char** argv);

}  // namespace namori
