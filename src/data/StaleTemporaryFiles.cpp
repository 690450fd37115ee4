#include "data/StaleTemporaryFiles.h"

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <csignal>
#include <limits>
#include <string>
#include <string_view>

#include "data/DataFiles.h"
#include "data/LockedFile.h"

namespace namori {

namespace {

constexpr std::size_t kRewriteSuffix = 7;  // "." and the six characters mkstemp chooses
constexpr std::string_view kPartialSuffix = ".partial";

bool AllOf(std::string_view text, int (*test)(int)) {
    for (const char c : text) {
        if (test(static_cast<unsigned char>(c)) == 0) {
            return false;
        }
    }
    return !text.empty();
}

// The list or dictionary whose rewrite name is the temporary file's, if it is one of ours.
bool IsRewriteOfOurs(const std::filesystem::path& folder, std::string_view name) {
    if (name.size() <= kRewriteSuffix || name[name.size() - kRewriteSuffix] != '.' ||
        !AllOf(name.substr(name.size() - kRewriteSuffix + 1), std::isalnum)) {
        return false;
    }
    const std::string_view target = name.substr(0, name.size() - kRewriteSuffix);
    for (const std::string_view file :
         {kSurnameListFile, kGivenNameListFile, kKanjiDictionaryFile}) {
        if (ResolveDataFile(folder, file).filename() == target) {
            return true;
        }
    }
    return false;
}

// ".NAME.PID.partial" of a process that no longer runs.
bool IsPartialOfEndedProcess(std::string_view name) {
    if (!name.starts_with('.') || !name.ends_with(kPartialSuffix)) {
        return false;
    }
    name.remove_suffix(kPartialSuffix.size());
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot < 2 || !AllOf(name.substr(dot + 1), std::isdigit) ||
        name.size() - dot > 11) {
        return false;
    }
    // No process number is this large: a process that ended, as far as this program can tell.
    const long long number = std::stoll(std::string(name.substr(dot + 1)));
    if (number > std::numeric_limits<pid_t>::max()) {
        return true;
    }
    const auto process = static_cast<pid_t>(number);
    return process != ::getpid() && ::kill(process, 0) != 0 && errno == ESRCH;
}

}  // namespace

void RemoveStaleTemporaryFiles(const std::filesystem::path& folder, const SystemCalls& calls) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError) || it->is_symlink(typeError)) {
            continue;
        }
        const std::string name = it->path().filename().string();
        if (IsPartialOfEndedProcess(name)) {
            calls.unlink(it->path().c_str());
        } else if (IsRewriteOfOurs(folder, name)) {
            // The lock is held while the temporary file goes, so no rewrite can start meanwhile.
            const std::filesystem::path target =
                folder / name.substr(0, name.size() - kRewriteSuffix);
            const FileDescriptor lock = LockIfFree(target);
            if (lock.valid()) {
                calls.unlink(it->path().c_str());
            }
        }
    }
}

}  // namespace namori
