#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/DataFileError.h"

namespace namori {

// The data files, by the names the user sees (UTF-8).
inline constexpr std::string_view kSpiritTableFile = "霊数.txt";
inline constexpr std::string_view kKanjiDictionaryFile = "漢字辞書.txt";
inline constexpr std::string_view kSurnameListFile = "名字.txt";
inline constexpr std::string_view kGivenNameListFile = "名前.txt";
inline constexpr std::string_view kStrokeReferenceFile = "漢字画数参考.txt";
inline constexpr std::string_view kReadingTextsFile = "鑑定解説.txt";
// The traditional counts (old forms, radicals as the characters they came from).
inline constexpr std::string_view kTraditionalStrokesFile = "漢字辞書旧字.txt";
// The indexes of the name-choosing aid.
inline constexpr const char* kRealNamesFile = "名前読み.txt";
inline constexpr const char* kKanjiReadingsFile = "漢字読み.txt";
inline constexpr const char* kLawfulKanjiFile = "名前漢字.txt";
inline constexpr const char* kPopularNamesFile = "人気名前.txt";
inline constexpr const char* kOrdinaryWordsFile = "普通語読み.txt";
inline constexpr const char* kKanjiGroundsFile = "漢字音訓.txt";
inline constexpr const char* kWholeWordsFile = "熟字訓.txt";
inline constexpr const char* kNamesByKanjiFile = "漢字別読み.txt";
// The shipped files a user's data folder gets a copy of, to add to: the dictionary and the lists.
inline constexpr std::string_view kUserDataFiles[] = {kKanjiDictionaryFile, kSurnameListFile,
                                                      kGivenNameListFile};
inline constexpr std::string_view kAvoidedKanjiFile = "避ける漢字.txt";

// The file called name in folder, found without regard to the case of ASCII letters, so that
// "名字.TXT" and "名字.txt" are one file also on a case-sensitive file system. An exact match
// wins; among several others the first in name order. When none exists, folder / name.
std::filesystem::path ResolveDataFile(const std::filesystem::path& folder, std::string_view name);

// Whether anything is at path (a link is followed); false also when that cannot be told.
bool FileExists(const std::filesystem::path& path);

// The first of folders that holds a file called name (found as ResolveDataFile finds it); the
// first folder when none does.
std::filesystem::path FolderHolding(const std::vector<std::filesystem::path>& folders,
                                    std::string_view name);

// Reads a whole code page 932 data file as UTF-16. Throws DataFileError when it is missing,
// unreadable, not a regular file, too large (see ReadRegularFile) or holds bytes that are not
// code page 932 text (naming the line).
std::u16string ReadDataFile(const std::filesystem::path& path, const std::string& displayName);

// Decodes the bytes of a data file; DataFileError naming the line of the first invalid byte.
std::u16string DecodeDataFile(std::string_view bytes, const std::string& displayName);

// The bytes of a data file decoded up to the first byte that is not code page 932 text, and the
// DataFileError that names the line of that byte (nothing when all of them are).
std::u16string DecodeDataFileUpToError(std::string_view bytes, const std::string& displayName,
                                       std::optional<DataFileError>& error);

// Some old editors end a text file with Ctrl-Z, and text appended after it would be read as part
// of a field. When bytes end so (blanks and line ends aside), the text before the mark without
// its trailing blanks and line ends; nothing otherwise.
std::optional<std::string_view> TextBeforeEndOfFileMark(std::string_view bytes);

// The line end that text appended to bytes needs first: none when the last line is ended.
std::string LineEndBeforeAppending(std::string_view bytes);

// The line, counted from 1, that holds the byte at offset.
int LineOfByte(std::string_view bytes, std::size_t offset);

}  // namespace namori
