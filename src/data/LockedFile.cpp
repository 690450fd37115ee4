#include "data/LockedFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>

#include "data/DataFileError.h"
#include "data/FileReading.h"
#include "data/SystemReason.h"

namespace namori {

namespace {

[[noreturn]] void FailOpening(const std::string& displayName, int errorNumber) {
    throw DataFileError(displayName, 0,
                        "ファイルを開けません（" + SystemReason(errorNumber) + "）");
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

std::filesystem::path FollowLinks(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path followed = path;
    // A chain of links is followed link by link so that a target that does not exist yet is
    // still where the last link points.
    for (int hop = 0; hop < 40 && std::filesystem::is_symlink(followed, error); ++hop) {
        const std::filesystem::path next = std::filesystem::read_symlink(followed, error);
        if (error) {
            break;
        }
        followed = next.is_absolute() ? next : followed.parent_path() / next;
    }
    return followed;
}

LockedFile::LockedFile(const std::filesystem::path& path, const std::string& displayName)
    : displayName_(displayName) {
    while (true) {
        target_ = FollowLinks(path);
        // O_NONBLOCK: a named pipe in the file's place must not make the program wait.
        FileDescriptor descriptor(::open(target_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (!descriptor.valid() && errno == ENOENT) {
            descriptor = FileDescriptor(
                ::open(target_.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0644));
        }
        if (!descriptor.valid()) {
            FailOpening(displayName, errno);
        }
        struct stat opened {};
        if (::fstat(descriptor.get(), &opened) != 0) {
            FailOpening(displayName, errno);
        }
        if (!S_ISREG(opened.st_mode)) {
            throw DataFileError(displayName, 0,
                                S_ISDIR(opened.st_mode)
                                    ? "ファイルではなくフォルダです"
                                    : "通常のファイルではありません（名前付きパイプやデバイスは"
                                      "読みません）");
        }
        while (::flock(descriptor.get(), LOCK_EX) != 0) {
            if (errno != EINTR) {
                FailOpening(displayName, errno);
            }
        }
        // The previous holder may have renamed a new file over the one locked here.
        struct stat now {};
        if (::stat(target_.c_str(), &now) != 0) {
            if (errno != ENOENT) {
                FailOpening(displayName, errno);
            }
        } else if (SameFile(opened, now)) {
            descriptor_ = std::move(descriptor);
            return;
        }
    }
}

std::string LockedFile::Read() const {
    return ReadOpenRegularFile(descriptor_.get(), displayName_);
}

}  // namespace namori
