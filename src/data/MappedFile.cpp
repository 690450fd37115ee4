#include "data/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>

#include <cerrno>
#include <utility>

#include "data/DataFileError.h"
#include "data/FileDescriptor.h"
#include "data/FileReading.h"
#include "data/SystemReason.h"

namespace namori {

namespace {

[[noreturn]] void FailReading(const std::string& displayName, int errorNumber) {
    throw DataFileError(displayName, 0,
                        "ファイルを読めません（" + SystemReason(errorNumber) + "）");
}

}  // namespace

MappedFile::MappedFile(const std::filesystem::path& path, const std::string& displayName) {
    // O_NONBLOCK: opening a named pipe must not wait for a writer.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.valid()) {
        if (errno == ENOENT) {
            throw DataFileError(displayName, 0, "ファイルが見つかりません");
        }
        FailReading(displayName, errno);
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
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
    size_ = static_cast<std::size_t>(status.st_size);
    if (size_ == 0) {
        return;  // nothing to map; an empty view
    }
    void* data = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, file.get(), 0);
    if (data == MAP_FAILED) {
        size_ = 0;
        FailReading(displayName, errno);
    }
    data_ = data;
}

MappedFile::~MappedFile() {
    if (data_ != nullptr) {
        ::munmap(data_, size_);
    }
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    return *this;
}

}  // namespace namori
