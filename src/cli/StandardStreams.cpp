#include "cli/StandardStreams.h"

#include <cerrno>
#include <string>

#include "cli/JudgeCommand.h"
#include "data/Cp932.h"
#include "data/SystemReason.h"
#include "data/TextNormalization.h"

namespace namori {

std::u16string TypedText(std::string_view utf8) {
    return ComposedText(Utf8ToUtf16(utf8));
}

bool WriteText(std::FILE* stream, std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

int ReportWriteFailure(std::FILE* errors, int errorNumber) {
    WriteText(errors,
              "namori-judge: 標準出力に書き込めません（" + SystemReason(errorNumber) + "）。\n");
    return kInputOutputFailed;
}

int ReportReadFailure(std::FILE* errors, int errorNumber) {
    WriteText(errors,
              "namori-judge: 標準入力を読めません（" + SystemReason(errorNumber) + "）。\n");
    return kInputOutputFailed;
}

int FinishOutput(std::FILE* output, std::FILE* errors, int status) {
    errno = 0;
    const bool written = std::fflush(output) == 0 && std::ferror(output) == 0;
    if (written || status == kInputOutputFailed) {
        return status;
    }
    return ReportWriteFailure(errors, errno != 0 ? errno : EIO);
}

int FinishStandardOutput(int status) {
    status = FinishOutput(stdout, stderr, status);
    if (std::fclose(stdout) != 0 && status != kInputOutputFailed) {
        return ReportWriteFailure(stderr, errno);
    }
    return status;
}

}  // namespace namori
