#include "data/StaleTemporaryFiles.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <limits>
#include <optional>
#include <string_view>

#include "data/LockedFile.h"

namespace namori {

namespace {

constexpr std::string_view kMark = ".namori-";
constexpr std::size_t kRandomLength = 6;  // the characters mkstemp chooses

// What a temporary file's name says: the file it was to become and the process that wrote it.
struct TemporaryName {
    std::string_view target;
    long long process = 0;
};

// ".TARGET.namori-PID-XXXXXX", or nothing.
std::optional<TemporaryName> ParseTemporaryName(std::string_view name) {
    if (!name.starts_with('.') || name.size() < kRandomLength + 1) {
        return std::nullopt;
    }
    name.remove_prefix(1);
    const std::string_view random = name.substr(name.size() - kRandomLength);
    for (const char c : random) {
        const bool letterOrDigit =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letterOrDigit) {
            return std::nullopt;
        }
    }
    name.remove_suffix(kRandomLength);
    if (!name.ends_with('-')) {
        return std::nullopt;
    }
    name.remove_suffix(1);
    const std::size_t mark = name.rfind(kMark);
    if (mark == std::string_view::npos || mark == 0) {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(mark + kMark.size());
    TemporaryName parsed{name.substr(0, mark)};
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), parsed.process);
    if (digits.empty() || digits.size() > 18 || error != std::errc() ||
        end != digits.data() + digits.size() || parsed.process <= 0) {
        return std::nullopt;
    }
    return parsed;
}

// No process number is larger than pid_t holds: such a process has ended as far as this program
// can tell. A process of another user answers EPERM, and so still runs.
bool ProcessEnded(long long number) {
    if (number > std::numeric_limits<pid_t>::max()) {
        return true;
    }
    const auto process = static_cast<pid_t>(number);
    return process != ::getpid() && ::kill(process, 0) != 0 && errno == ESRCH;
}

}  // namespace

std::string TemporaryFileTemplate(const std::filesystem::path& target) {
    return (target.parent_path() / ("." + target.filename().string() + std::string(kMark) +
                                    std::to_string(::getpid()) + "-XXXXXX"))
        .string();
}

void RemoveStaleTemporaryFiles(const std::filesystem::path& folder, const SystemCalls& calls) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        if (it->is_symlink(typeError) || !it->is_regular_file(typeError)) {
            continue;
        }
        const std::string name = it->path().filename().string();
        const auto temporary = ParseTemporaryName(name);
        if (!temporary || !ProcessEnded(temporary->process)) {
            continue;
        }
        // A list or the dictionary is rewritten under its lock: while another process holds it,
        // the file may still be that process's (a process of the same number in another
        // namespace), so it stays. The lock is held while the file goes.
        const std::filesystem::path target = folder / temporary->target;
        const bool lockable = std::filesystem::is_regular_file(target, typeError);
        const FileDescriptor lock = lockable ? LockIfFree(target) : FileDescriptor();
        if (!lockable || lock.valid()) {
            calls.unlink(it->path().c_str());
        }
    }
}

}  // namespace namori
