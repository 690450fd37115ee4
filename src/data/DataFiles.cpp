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
    if (FileExists(exact)) {
        return exact;
    }
    const std::string wanted = FoldAsciiCase(std::string(name));
    std::vector<std::filesystem::path> matches;
    std::error_code error;
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

bool FileExists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

std::filesystem::path FolderHolding(const std::vector<std::filesystem::path>& folders,
                                    std::string_view name) {
    for (const std::filesystem::path& folder : folders) {
        if (FileExists(ResolveDataFile(folder, name))) {
            return folder;
        }
    }
    return folders.empty() ? std::filesystem::path(".") : folders.front();
}

std::u16string ReadDataFile(const std::filesystem::path& path, const std::string& displayName) {
    return DecodeDataFile(ReadRegularFile(path, displayName), displayName);
}

std::u16string DecodeDataFile(std::string_view bytes, const std::string& displayName) {
    std::optional<DataFileError> error;
    std::u16string text = DecodeDataFileUpToError(bytes, displayName, error);
    if (error) {
        throw *error;
    }
    return text;
}

std::u16string DecodeDataFileUpToError(std::string_view bytes, const std::string& displayName,
                                       std::optional<DataFileError>& error) {
    try {
        return DecodeCp932(bytes);
    } catch (const Cp932DecodeError& decodeError) {
        error.emplace(displayName, LineOfByte(bytes, decodeError.byteOffset()),
                      "シフトJIS（コードページ932）として読めないバイトがあります");
        return DecodeCp932(bytes.substr(0, decodeError.byteOffset()));
    }
}

std::optional<std::string_view> TextBeforeEndOfFileMark(std::string_view bytes) {
    constexpr std::string_view kBlanksAndLineEnds = " \t\r\n";
    const std::size_t mark = bytes.find_last_not_of(kBlanksAndLineEnds);
    if (mark == std::string_view::npos || bytes[mark] != '\x1A') {
        return std::nullopt;
    }
    const std::string_view before = bytes.substr(0, mark);
    // npos + 1 is 0: nothing but blanks before the mark leaves nothing.
    return before.substr(0, before.find_last_not_of(kBlanksAndLineEnds) + 1);
}

std::string LineEndBeforeAppending(std::string_view bytes) {
    return !bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r' ? "\r\n" : "";
}

int LineOfByte(std::string_view bytes, std::size_t offset) {
    const auto before = bytes.substr(0, offset);
    return 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
}

}  // namespace namori
