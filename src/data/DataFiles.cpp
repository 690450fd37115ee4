#include "data/DataFiles.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/FileReading.h"

namespace namori {

namespace {

std::string FoldAsciiCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

std::filesystem::path PathOf(std::string_view utf8Name) {
    return std::filesystem::path(std::u8string(utf8Name.begin(), utf8Name.end()));
}

std::string NameOf(const std::filesystem::path& path) {
    const std::u8string name = path.filename().u8string();
    return std::string(name.begin(), name.end());
}

}  // namespace

std::filesystem::path ResolveDataFile(const std::filesystem::path& folder, std::string_view name) {
    const std::filesystem::path exact = folder / PathOf(name);
    std::error_code error;
    if (std::filesystem::exists(exact, error)) {
        return exact;
    }
    const std::string wanted = FoldAsciiCase(std::string(name));
    std::vector<std::filesystem::path> matches;
    for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error), end;
         !error && it != end; it.increment(error)) {
        if (FoldAsciiCase(NameOf(it->path())) == wanted) {
            matches.push_back(folder / it->path().filename());
        }
    }
    if (matches.empty()) {
        return exact;
    }
    return *std::min_element(matches.begin(), matches.end());
}

std::filesystem::path FolderHolding(const std::vector<std::filesystem::path>& folders,
                                    std::string_view name) {
    for (const std::filesystem::path& folder : folders) {
        std::error_code error;
        if (std::filesystem::exists(ResolveDataFile(folder, name), error)) {
            return folder;
        }
    }
    return folders.empty() ? std::filesystem::path(".") : folders.front();
}

std::u16string ReadDataFile(const std::filesystem::path& path, const std::string& displayName) {
    return DecodeDataFile(ReadRegularFile(path, displayName), displayName);
}

std::u16string DecodeDataFile(std::string_view bytes, const std::string& displayName) {
    try {
        return DecodeCp932(bytes);
    } catch (const Cp932DecodeError& decodeError) {
        throw DataFileError(displayName, LineOfByte(bytes, decodeError.byteOffset()),
                            "シフトJIS（コードページ932）として読めないバイトがあります");
    }
}

int LineOfByte(std::string_view bytes, std::size_t offset) {
    const auto before = bytes.substr(0, offset);
    return 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
}

}  // namespace namori
