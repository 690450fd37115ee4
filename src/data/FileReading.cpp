#include "data/FileReading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "data/DataFileError.h"
#include "data/FileDescriptor.h"
#include "data/SystemReason.h"

namespace namori {

void FailReading(const std::string& displayName, int errorNumber) {
    throw DataFileError(displayName, 0,
                        "ファイルを読めません（" + SystemReason(errorNumber) + "）");
}

FileDescriptor OpenDataFile(const std::filesystem::path& path, const std::string& displayName) {
    // O_NONBLOCK: opening a named pipe must not wait for a writer.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.valid()) {
        if (errno == ENOENT) {
            throw DataFileError(displayName, 0, "ファイルが見つかりません");
        }
        FailReading(displayName, errno);
    }
    return file;
}

std::size_t RegularFileSize(int descriptor, const std::string& displayName) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        FailReading(displayName, errno);
    }
    if (S_ISDIR(status.st_mode)) {
        throw DataFileError(displayName, 0, "ファイルではなくフォルダです");
    }
    if (!S_ISREG(status.st_mode)) {
        throw DataFileError(displayName, 0,
                            "通常のファイルではありません（名前付きパイプやデバイスは読みません）");
    }
    if (static_cast<std::size_t>(status.st_size) > kDataFileSizeLimit) {
        throw DataFileError(displayName, 0, "ファイルが大きすぎます（64MiBまでです）");
    }
    return static_cast<std::size_t>(status.st_size);
}

std::string ReadRegularFile(const std::filesystem::path& path, const std::string& displayName) {
    const FileDescriptor file = OpenDataFile(path, displayName);
    return ReadOpenRegularFile(file.get(), displayName);
}

std::string ReadOpenRegularFile(int descriptor, const std::string& displayName) {
    std::string bytes;
    // Room for the whole file at once: a large index is then copied once, not regrown.
    bytes.reserve(RegularFileSize(descriptor, displayName));
    char buffer[1 << 16];
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(descriptor, buffer, sizeof buffer, offset);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            FailReading(displayName, errno);
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
        offset += got;
        // The file may grow while it is read; the cap holds all the same.
        if (bytes.size() > kDataFileSizeLimit) {
            throw DataFileError(displayName, 0, "ファイルが大きすぎます（64MiBまでです）");
        }
    }
}

}  // namespace namori
