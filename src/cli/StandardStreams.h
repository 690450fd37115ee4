#pragma once

#include <cstdio>
#include <string_view>

namespace namori {

// Writes all of text to stream; false when some of it could not be written (errno says why).
bool WriteText(std::FILE* stream, std::string_view text);

// Say on standard error that standard output could not be written or standard input could not
// be read, with the system's reason; both return the exit code kInputOutputFailed.
int ReportWriteFailure(int errorNumber);
int ReportReadFailure(int errorNumber);

// Flushes and closes standard output, where the last of the output is really written. Returns
// status, or kInputOutputFailed (after saying so) when that fails; a failure already reported
// (status kInputOutputFailed) is not reported again.
int FinishStandardOutput(int status);

}  // namespace namori
