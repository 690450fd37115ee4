#include "data/FileReading.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "data/DataFileError.h"
#include "data/SystemReason.h"

namespace namori {

namespace {

[[noreturn]] void FailTooLarge(const std::string& displayName) {
    throw DataFileError(displayName, 0, "ファイルが大きすぎます（64MiBまでです）");
}

void CheckRegularWithinLimit(const struct stat& status, const std::string& displayName) {
    if (S_ISDIR(status.st_mode)) {
        throw DataFileError(displayName, 0, "ファイルではなくフォルダです");
    }
    if (!S_ISREG(status.st_mode)) {
        throw DataFileError(displayName, 0,
                            "通常のファイルではありません（名前付きパイプやデバイスは読みません）");
    }
    if (static_cast<std::size_t>(status.st_size) > kDataFileSizeLimit) {
        FailTooLarge(displayName);
    }
}

}  // namespace

void FailAccess(const std::string& displayName, int errorNumber, FileAccess access) {
    throw DataFileError(
        displayName, 0,
        (access == FileAccess::Read ? "ファイルを読めません（" : "ファイルを開けません（") +
            SystemReason(errorNumber) + "）");
}

OpenedFile OpenDataFile(const std::filesystem::path& path, const std::string& displayName,
                        FileAccess access) {
    // O_NONBLOCK: opening a named pipe must not wait for a writer.
    OpenedFile file;
    file.descriptor = FileDescriptor(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.descriptor.valid() && errno == ENOENT) {
        if (access == FileAccess::Read) {
            throw DataFileError(displayName, 0, "ファイルが見つかりません");
        }
        file.descriptor =
            FileDescriptor(::open(path.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0644));
    }
    if (!file.descriptor.valid() || ::fstat(file.descriptor.get(), &file.status) != 0) {
        FailAccess(displayName, errno, access);
    }
    CheckRegularWithinLimit(file.status, displayName);
    return file;
}

std::string ReadRegularFile(const std::filesystem::path& path, const std::string& displayName) {
    return ReadOpenRegularFile(OpenDataFile(path, displayName), displayName);
}

std::string ReadOpenRegularFile(const OpenedFile& file, const std::string& displayName) {
    std::string bytes;
    // Room for the whole file at once: a large index is then copied once, not regrown.
    bytes.reserve(static_cast<std::size_t>(file.status.st_size));
    char buffer[1 << 16];
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(file.descriptor.get(), buffer, sizeof buffer, offset);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            FailAccess(displayName, errno);
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
        offset += got;
        // The file may grow while it is read; the cap holds all the same.
        if (bytes.size() > kDataFileSizeLimit) {
            FailTooLarge(displayName);
        }
    }
}

}  // namespace namori
