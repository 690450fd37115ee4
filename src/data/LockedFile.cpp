#include "data/LockedFile.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

namespace namori {

namespace {

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
        OpenedFile file = OpenDataFile(target_, displayName, FileAccess::Change);
        while (::flock(file.descriptor.get(), LOCK_EX) != 0) {
            if (errno != EINTR) {
                FailAccess(displayName, errno, FileAccess::Change);
            }
        }
        // The previous holder may have renamed a new file over the one locked here.
        struct stat now {};
        if (::stat(target_.c_str(), &now) != 0) {
            if (errno != ENOENT) {
                FailAccess(displayName, errno, FileAccess::Change);
            }
        } else if (SameFile(file.status, now)) {
            file_ = std::move(file);
            return;
        }
    }
}

FileDescriptor LockIfFree(const std::filesystem::path& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.valid() && ::flock(file.get(), LOCK_EX | LOCK_NB) == 0) {
        return file;
    }
    return {};
}

std::string LockedFile::Read() const {
    return ReadOpenRegularFile(file_, displayName_);
}

}  // namespace namori
