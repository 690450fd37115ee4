#include "data/NameListFile.h"

#include <algorithm>

#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/FieldReader.h"
#include "data/FileWriting.h"
#include "data/LockedFile.h"

namespace namori {

namespace {

// An entry that the reader would not give back as it is unless quoted: a comma, blanks at either
// end (the reader drops them), a leading double quote, or nothing at all.
bool NeedsQuotes(std::u16string_view entry) {
    return entry.empty() || entry.find(u',') != std::u16string_view::npos ||
           IsFieldBlank(entry.front()) || IsFieldBlank(entry.back()) || entry.front() == u'"';
}

std::string Lines(const std::vector<std::u16string>& entries) {
    std::string bytes;
    for (const std::u16string& entry : entries) {
        const auto encoded = EncodeCp932(entry);
        const bool quoted = NeedsQuotes(entry);
        // Entries were checked when they were added; one that still cannot be written so that it
        // reads back (no code, or a double quote inside quotes) is kept out rather than written
        // wrongly.
        if (!encoded || (quoted && entry.find(u'"') != std::u16string::npos)) {
            continue;
        }
        bytes += quoted ? "\"" + *encoded + "\"\r\n" : *encoded + "\r\n";
    }
    return bytes;
}

std::vector<std::u16string> ParseNameList(std::u16string_view text, const std::string& fileName) {
    FieldReader reader(text, fileName);
    std::vector<std::u16string> entries;
    while (reader.NextRecord()) {
        entries.push_back(reader.ReadText());
    }
    return entries;
}

// A list file locked for one change, with what it holds now.
struct OpenList {
    OpenList(const std::filesystem::path& folder, std::string_view fileName)
        : name(fileName),
          file(ResolveDataFile(folder, fileName), name),
          bytes(file.Read()),
          entries(ParseNameList(DecodeDataFile(bytes, name), name)) {}

    void Rewrite() const { RewriteFileAtomically(file.target(), Lines(entries), name); }

    std::string name;
    LockedFile file;
    std::string bytes;
    std::vector<std::u16string> entries;
};

}  // namespace

std::vector<std::u16string> ReadNameList(const std::filesystem::path& folder,
                                         std::string_view fileName) {
    const std::filesystem::path path = ResolveDataFile(folder, fileName);
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error) {
        return {};
    }
    const std::string name(fileName);
    return ParseNameList(ReadDataFile(path, name), name);
}

std::optional<std::u16string> ListEntryProblem(std::u16string_view entry) {
    if (entry.size() > 3) {
        return u"名字や名前は３文字までです";
    }
    if (!entry.empty() && (IsFieldBlank(entry.front()) || IsFieldBlank(entry.back()))) {
        return u"前後に空白のある名前はリストに保存できません";
    }
    for (char16_t c : entry) {
        if (c == u',' || c == u'"') {
            return u"「,」や「\"」を含む名前はリストに保存できません";
        }
        if (c < 0x20 || c == 0x7F) {
            return u"改行などの制御文字を含む名前はリストに保存できません";
        }
        if (!IsCp932Character(c)) {
            return u"「" + std::u16string(entry) +
                   u"」にはシフトJIS（コードページ932）で表せない文字があります";
        }
    }
    return std::nullopt;
}

NameListUpdate AddNameListEntry(const std::filesystem::path& folder, std::string_view fileName,
                                std::u16string_view typed) {
    // Kept as the file will give it back, so that the list compares and shows one character.
    const std::u16string entry = FoldToReadBack(typed);
    OpenList list(folder, fileName);
    if (std::find(list.entries.begin(), list.entries.end(), entry) != list.entries.end()) {
        return {false, std::move(list.entries)};
    }
    list.entries.emplace_back(entry);
    if (TextBeforeEndOfFileMark(list.bytes)) {
        list.Rewrite();
    } else {
        AppendToFile(list.file.target(), LineEndBeforeAppending(list.bytes) + Lines({entry}),
                     list.name);
    }
    return {true, std::move(list.entries)};
}

NameListUpdate DeleteNameListEntry(const std::filesystem::path& folder, std::string_view fileName,
                                   std::u16string_view entry, int occurrence) {
    OpenList list(folder, fileName);
    for (auto it = list.entries.begin(); it != list.entries.end(); ++it) {
        if (*it == entry && occurrence-- == 0) {
            list.entries.erase(it);
            list.Rewrite();
            return {true, std::move(list.entries)};
        }
    }
    return {false, std::move(list.entries)};
}

NameListUpdate EmptyNameList(const std::filesystem::path& folder, std::string_view fileName) {
    OpenList list(folder, fileName);
    list.entries.clear();
    if (list.bytes.empty()) {
        return {false, {}};
    }
    list.Rewrite();
    return {true, {}};
}

}  // namespace namori
