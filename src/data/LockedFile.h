#pragma once

#include <filesystem>
#include <string>

#include "data/FileReading.h"

namespace namori {

// A data file held under an exclusive advisory lock (flock) for one change, so that another
// Namori process changing the same file waits until this change is written. The lock is taken on
// the file that the path names once links are followed, and taken again when that file was
// replaced (renamed over) while this process waited for it.
class LockedFile {
  public:
    // Opens path's target, creating it (empty) when it does not exist, and waits for the lock.
    // Throws DataFileError (naming displayName) as OpenDataFile does for a change.
    LockedFile(const std::filesystem::path& path, const std::string& displayName);

    // The file the change writes to: path with its links followed.
    const std::filesystem::path& target() const { return target_; }

    // The file's bytes as they are now (DataFileError when they cannot be read).
    std::string Read() const;

  private:
    std::filesystem::path target_;
    std::string displayName_;
    OpenedFile file_;
};

// The lock of the file at path, taken without waiting: held by the descriptor returned, which is
// invalid when the file is not there or another process holds the lock.
FileDescriptor LockIfFree(const std::filesystem::path& path);

// path with every symbolic link followed, also when the final target does not exist yet.
std::filesystem::path FollowLinks(const std::filesystem::path& path);

}  // namespace namori
