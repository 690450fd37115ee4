#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace namori {

// A regular file mapped read-only into memory, so that a reader touches only the pages it
// looks at. For the large files the program ships and never writes.
class MappedFile {
  public:
    // Maps path. Throws DataFileError naming displayName as ReadRegularFile does: missing,
    // unreadable, not a regular file, or larger than kDataFileSizeLimit.
    MappedFile(const std::filesystem::path& path, const std::string& displayName);
    ~MappedFile();
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::string_view bytes() const { return {static_cast<const char*>(data_), size_}; }

  private:
    void* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace namori
