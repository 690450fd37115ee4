#include "cli/StandardStreams.h"

#include <cerrno>
#include <string>

#include "cli/JudgeCommand.h"
#include "data/SystemReason.h"

namespace namori {

bool WriteText(std::FILE* stream, std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

int ReportWriteFailure(int errorNumber) {
    const std::string message =
        "namori-judge: 標準出力に書き込めません（" + SystemReason(errorNumber) + "）。\n";
    WriteText(stderr, message);
    return kInputOutputFailed;
}

int ReportReadFailure(int errorNumber) {
    const std::string message =
        "namori-judge: 標準入力を読めません（" + SystemReason(errorNumber) + "）。\n";
    WriteText(stderr, message);
    return kInputOutputFailed;
}

int FinishStandardOutput(int status) {
    errno = 0;
    const bool written = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    const int flushError = errno;
    if (status == kInputOutputFailed) {
        std::fclose(stdout);
        return status;
    }
    if (!written) {
        std::fclose(stdout);
        return ReportWriteFailure(flushError != 0 ? flushError : EIO);
    }
    if (std::fclose(stdout) != 0) {
        return ReportWriteFailure(errno);
    }
    return status;
}

}  // namespace namori
