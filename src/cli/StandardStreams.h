#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace namori {

// Text from the command line or standard input (UTF-8) as the core takes it: UTF-16, composed
// (ComposedText), so that a decomposed が is one character.
std::u16string TypedText(std::string_view utf8);

// Writes all of text to stream; false when some of it could not be written (errno says why).
bool WriteText(std::FILE* stream, std::string_view text);

// Say on errors that the output could not be written or the input could not be read, with the
// system's reason; both return the exit code kInputOutputFailed.
int ReportWriteFailure(std::FILE* errors, int errorNumber);
int ReportReadFailure(std::FILE* errors, int errorNumber);

// Flushes output. Returns status, or kInputOutputFailed (after saying so on errors) when the
// output could not be written; a failure already reported is not reported again.
int FinishOutput(std::FILE* output, std::FILE* errors, int status);

// FinishOutput for standard output, which is then closed: the last of it is written only then.
int FinishStandardOutput(int status);

}  // namespace namori
