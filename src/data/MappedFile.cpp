#include "data/MappedFile.h"

#include <sys/mman.h>

#include <cerrno>
#include <utility>

#include "data/FileReading.h"

namespace namori {

MappedFile::MappedFile(const std::filesystem::path& path, const std::string& displayName) {
    const FileDescriptor file = OpenDataFile(path, displayName);
    size_ = RegularFileSize(file.get(), displayName);
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
