#include "FuzzSupport.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

namespace namori::fuzzing {

namespace {

// TMPDIR when set; otherwise memory-backed /dev/shm where there is one, since every run
// rewrites a file; otherwise the system's temporary folder.
std::filesystem::path ScratchBase() {
    if (const char* set = std::getenv("TMPDIR"); set != nullptr && *set != '\0') {
        return set;
    }
    if (access("/dev/shm", W_OK | X_OK) == 0) {
        return "/dev/shm";
    }
    return std::filesystem::temp_directory_path();
}

std::filesystem::path CreateScratchFolder() {
    std::string pattern = (ScratchBase() / "namori-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("namori fuzzing: cannot create a temporary folder");
        std::abort();
    }
    return pattern;
}

void RemoveScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(ScratchFolder(), ignored);
}

}  // namespace

const std::filesystem::path& ScratchFolder() {
    // Never destroyed, so that it is still there when the folder is removed at exit.
    static const std::filesystem::path* const folder = [] {
        const auto* created = new std::filesystem::path(CreateScratchFolder());
        std::atexit(RemoveScratchFolder);
        return created;
    }();
    return *folder;
}

void WriteScratchFile(std::string_view name, std::string_view bytes) {
    const std::filesystem::path path =
        ScratchFolder() / std::filesystem::path(std::u8string(name.begin(), name.end()));
    // Written over and then cut to length rather than opened with O_TRUNC: on ext4 a file
    // truncated to nothing is flushed to disk when it is closed, which would dominate each run.
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    bool written = file >= 0;
    for (std::size_t done = 0; written && done < bytes.size();) {
        const ssize_t count = write(file, bytes.data() + done, bytes.size() - done);
        written = count > 0;
        done += written ? static_cast<std::size_t>(count) : 0;
    }
    written = written && ftruncate(file, static_cast<off_t>(bytes.size())) == 0;
    if (file < 0 || close(file) != 0 || !written) {
        std::perror("namori fuzzing: cannot write the data file");
        std::abort();
    }
}

void Fail(const char* what) {
    std::fprintf(stderr, "\n==namori fuzzing== property violated: %s\n", what);
    std::abort();
}

std::u16string Utf16LeUnits(std::string_view bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return units;
}

}  // namespace namori::fuzzing
