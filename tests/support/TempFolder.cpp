#include "support/TempFolder.h"
#include <sstream>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "data/Cp932.h"

namespace namori::testing {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "namori-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::WriteBytes(std::string_view name, std::string_view bytes) const {
    const std::filesystem::path file = path_ / std::u8string(name.begin(), name.end());
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!stream) {
        throw std::runtime_error("cannot write a test file");
    }
    return file;
}

std::filesystem::path TempFolder::WriteCp932(std::string_view name, std::string_view utf8Text,
                                             bool rawLineEnds) const {
    std::string text;
    for (char c : utf8Text) {
        if (c == '\n' && !rawLineEnds) {
            text += "\r\n";
        } else {
            text += c;
        }
    }
    const auto bytes = EncodeCp932(Utf8ToUtf16(text));
    if (!bytes) {
        throw std::runtime_error("test text is not code page 932");
    }
    return WriteBytes(name, *bytes);
}

std::filesystem::path ShippedDataFolder() {
    return NAMORI_SHIPPED_DATA_DIR;
}

std::u16string U16(std::string_view utf8) {
    return Utf8ToUtf16(utf8);
}

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    std::stringstream bytes;
    bytes << stream.rdbuf();
    return bytes.str();
}

}  // namespace namori::testing
