#include "data/FileWriting.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace namori {

namespace {

std::string Describe(const std::string& displayName, int errorNumber) {
    std::string reason;
    switch (errorNumber) {
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            reason = "ディスクの空きが足りません";
            break;
        case EACCES:
        case EPERM:
        case EROFS:
            reason = "フォルダかファイルに書き込む権限がありません";
            break;
        default:
            reason = std::strerror(errorNumber);
            break;
    }
    return "「" + displayName + "」に書き込めませんでした（" + reason +
           "）。ファイルは変更前のままです。";
}

// Writes all of bytes, going on after partial writes; false with errno set on failure.
bool WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
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

void SyncFolder(const std::filesystem::path& folder) {
    const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

}  // namespace

FileWriteError::FileWriteError(const std::string& displayName, int errorNumber)
    : std::runtime_error(Describe(displayName, errorNumber)) {}

void RewriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                           const std::string& displayName) {
    const std::filesystem::path folder = path.parent_path();
    std::string temporary = (path.string() + ".XXXXXX");
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) {
        throw FileWriteError(displayName, errno);
    }
    // Keep the permissions of the file being replaced, or the usual ones for a new file.
    struct stat old {};
    ::fchmod(descriptor, ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    bool written = WriteAll(descriptor, bytes);
    int error = errno;
    if (written && ::fsync(descriptor) != 0) {
        written = false;
        error = errno;
    }
    if (::close(descriptor) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        throw FileWriteError(displayName, error);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
        ::unlink(temporary.c_str());
        throw FileWriteError(displayName, error);
    }
    SyncFolder(folder);
}

void AppendToFile(const std::filesystem::path& path, std::string_view bytes,
                  const std::string& displayName) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        throw FileWriteError(displayName, errno);
    }
    struct stat before {};
    if (::fstat(descriptor, &before) != 0) {
        const int error = errno;
        ::close(descriptor);
        throw FileWriteError(displayName, error);
    }
    if (!WriteAll(descriptor, bytes) || ::fsync(descriptor) != 0) {
        const int error = errno;
        // Cut off whatever part of the write got through.
        if (::ftruncate(descriptor, before.st_size) == 0) {
            ::fsync(descriptor);
        }
        ::close(descriptor);
        throw FileWriteError(displayName, error);
    }
    if (::close(descriptor) != 0) {
        const int error = errno;
        throw FileWriteError(displayName, error);
    }
}

}  // namespace namori
