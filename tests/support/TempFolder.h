#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace namori::testing {

// A fresh, empty folder for one test, removed with everything in it at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes UTF-8 text as a code page 932 file; "\n" becomes CR LF unless rawLineEnds.
    std::filesystem::path WriteCp932(std::string_view name, std::string_view utf8Text,
                                     bool rawLineEnds = false) const;
    // Writes bytes exactly as given.
    std::filesystem::path WriteBytes(std::string_view name, std::string_view bytes) const;

  private:
    std::filesystem::path path_;
};

// The bytes of a file; empty when it cannot be read.
std::string FileBytes(const std::filesystem::path& path);

// The folder of the shipped default data files.
std::filesystem::path ShippedDataFolder();

// UTF-8 to UTF-16 for readable test literals.
std::u16string U16(std::string_view utf8);

}  // namespace namori::testing
