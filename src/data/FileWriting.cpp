#include "data/FileWriting.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "data/DataFileError.h"
#include "data/FileDescriptor.h"
#include "data/LockedFile.h"
#include "data/StaleTemporaryFiles.h"
#include "data/SystemReason.h"

namespace namori {

namespace {

std::string Describe(const std::string& displayName, int errorNumber) {
    const std::string reason = errorNumber == EACCES || errorNumber == EPERM
                                   ? "フォルダかファイルに書き込む権限がありません"
                                   : SystemReason(errorNumber);
    return Quoted(displayName) + "に書き込めませんでした（" + reason +
           "）。ファイルは変更前のままです。";
}

// Writes all of bytes, going on after partial writes; false with errno set on failure.
bool WriteAll(const SystemCalls& calls, int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = calls.write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void SyncFolder(const std::filesystem::path& folder, const SystemCalls& calls) {
    const FileDescriptor descriptor(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (descriptor.valid()) {
        calls.fsync(descriptor.get());
    }
}

// Writes bytes to a new temporary file beside target, flushed to disk and with mode's permission
// bits; returns its name. Throws FileWriteError, leaving nothing behind.
std::string WriteTemporaryBeside(const std::filesystem::path& target, std::string_view bytes,
                                 mode_t mode, const std::string& displayName,
                                 const SystemCalls& calls) {
    std::string temporary = TemporaryFileTemplate(target);
    FileDescriptor descriptor(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!descriptor.valid()) {
        throw FileWriteError(displayName, errno);
    }
    ::fchmod(descriptor.get(), mode);
    int error = 0;
    if (!WriteAll(calls, descriptor.get(), bytes) || calls.fsync(descriptor.get()) != 0) {
        error = errno;
    }
    if (calls.close(descriptor.Release()) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        calls.unlink(temporary.c_str());
        throw FileWriteError(displayName, error);
    }
    return temporary;
}

}  // namespace

FileWriteError::FileWriteError(const std::string& displayName, int errorNumber)
    : std::system_error(errorNumber, std::generic_category()),
      message_(Describe(displayName, errorNumber)) {}

void RewriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                           const std::string& displayName, const SystemCalls& calls) {
    // A link stays a link: its target is replaced, by a temporary file beside the target.
    const std::filesystem::path target = FollowLinks(path);
    // Renaming over a file needs only the folder's permission: a file the user may not write
    // is refused here, as an append to it would be.
    if (::access(target.c_str(), W_OK) != 0 && errno != ENOENT) {
        throw FileWriteError(displayName, errno);
    }
    // Keep the permissions of the file being replaced, or the usual ones for a new file.
    struct stat old {};
    const std::string temporary = WriteTemporaryBeside(
        target, bytes, ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644,
        displayName, calls);
    if (calls.rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        calls.unlink(temporary.c_str());
        throw FileWriteError(displayName, error);
    }
    SyncFolder(target.parent_path(), calls);
}

bool CreateFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                          const std::string& displayName, const SystemCalls& calls) {
    // The usual permissions of a new file, as a rewrite gives one.
    const std::string temporary = WriteTemporaryBeside(path, bytes, 0644, displayName, calls);
    // A hard link, unlike a rename, refuses a name that is taken.
    const bool created = calls.link(temporary.c_str(), path.c_str()) == 0;
    const int error = errno;
    calls.unlink(temporary.c_str());
    if (!created && error != EEXIST) {
        throw FileWriteError(displayName, error);
    }
    SyncFolder(path.parent_path(), calls);
    return created;
}

void AppendToFile(const std::filesystem::path& path, std::string_view bytes,
                  const std::string& displayName, const SystemCalls& calls) {
    // O_NONBLOCK: a named pipe in the file's place must not make the program wait.
    FileDescriptor descriptor(
        ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0644));
    if (!descriptor.valid()) {
        throw FileWriteError(displayName, errno);
    }
    struct stat before {};
    if (::fstat(descriptor.get(), &before) != 0) {
        throw FileWriteError(displayName, errno);
    }
    if (!S_ISREG(before.st_mode)) {
        throw FileWriteError(displayName, ESPIPE);  // not a regular file
    }
    int error = 0;
    if (!WriteAll(calls, descriptor.get(), bytes) || calls.fsync(descriptor.get()) != 0) {
        error = errno;
    }
    // A failed close may mean the data never reached the disk: the append is undone as well.
    if (error == 0) {
        if (calls.close(descriptor.Release()) == 0) {
            return;
        }
        error = errno;
        descriptor = FileDescriptor(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    }
    // Cut off whatever part of the write got through.
    if (descriptor.valid() && calls.ftruncate(descriptor.get(), before.st_size) == 0) {
        calls.fsync(descriptor.get());
    }
    throw FileWriteError(displayName, error);
}

bool SetAsideIfUnchanged(const std::filesystem::path& path, const struct stat& read,
                         const std::filesystem::path& aside) {
    // RENAME_NOREPLACE: a file already called aside (the user's, or an earlier one set aside)
    // is never replaced.
    if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) != 0) {
        return false;
    }
    struct stat moved {};
    if (::lstat(aside.c_str(), &moved) == 0 && moved.st_dev == read.st_dev &&
        moved.st_ino == read.st_ino && moved.st_size == read.st_size &&
        moved.st_mtim.tv_sec == read.st_mtim.tv_sec &&
        moved.st_mtim.tv_nsec == read.st_mtim.tv_nsec) {
        return true;
    }
    // Another file was put there meanwhile: it goes back, unless its name was taken again.
    ::renameat2(AT_FDCWD, aside.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE);
    return false;
}

}  // namespace namori
