#include "data/ShortlistFile.h"

#include <algorithm>
#include <stdexcept>

#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/FieldReader.h"
#include "data/FileWriting.h"
#include "data/LockedFile.h"
#include "data/NameListFile.h"

namespace namori {

namespace {

constexpr std::size_t kLongestReading = 16;

bool IsReadingCharacter(char16_t c) {
    // The hiragana block (small kana, ゔ and the iteration marks included) and the long-vowel mark.
    return (c >= u'\u3041' && c <= u'\u309F') || c == u'ー';
}

std::string Line(const ShortlistEntry& entry) {
    std::u16string line = entry.surname + u',' + entry.givenName + u',' + entry.reading;
    if (entry.complement) {
        line += u',' + std::u16string(kComplementField);
    }
    // Every entry was checked before it was kept, so that it encodes and needs no quotes.
    return EncodeCp932(line).value_or(std::string()) + "\r\n";
}

std::string Lines(const std::vector<ShortlistEntry>& entries) {
    std::string bytes;
    for (const ShortlistEntry& entry : entries) {
        bytes += Line(entry);
    }
    return bytes;
}

std::vector<ShortlistEntry> ParseShortlist(std::u16string_view text, const std::string& name) {
    FieldReader reader(text, name);
    std::vector<ShortlistEntry> entries;
    while (reader.NextRecord()) {
        const int line = reader.line();
        // The reader does not tell a comma from a line end: a record is the fields of one line.
        std::vector<std::u16string> fields;
        do {
            fields.push_back(reader.ReadText());
        } while (!reader.AtEnd() && reader.line() == line);
        if (fields.size() < 2 || fields.size() > 4 ||
            (fields.size() == 4 && fields[3] != kComplementField && !fields[3].empty())) {
            throw DataFileError(name, line, "「名字,名前,読み」の形ではありません");
        }
        ShortlistEntry entry{fields[0], fields[1], fields.size() > 2 ? fields[2] : u"",
                             fields.size() == 4 && fields[3] == kComplementField};
        if (const auto problem = ShortlistEntryProblem(entry)) {
            throw DataFileError(name, line, Utf16ToUtf8(*problem));
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

// The shortlist locked for one change, with what it holds now.
struct OpenShortlist {
    explicit OpenShortlist(const std::filesystem::path& folder)
        : name(kShortlistFile),
          file(ResolveDataFile(folder, kShortlistFile), name),
          bytes(file.Read()),
          entries(ParseShortlist(DecodeDataFile(bytes, name), name)) {}

    void Rewrite() const { RewriteFileAtomically(file.target(), Lines(entries), name); }

    std::string name;
    LockedFile file;
    std::string bytes;
    std::vector<ShortlistEntry> entries;
};

}  // namespace

std::optional<std::u16string> ShortlistEntryProblem(const ShortlistEntry& entry) {
    if (entry.surname.empty() || entry.givenName.empty()) {
        return u"名字と名前の両方が要ります";
    }
    for (const std::u16string* part : {&entry.surname, &entry.givenName}) {
        if (auto problem = ListEntryProblem(*part)) {
            return problem;
        }
    }
    if (entry.reading.size() > kLongestReading ||
        !std::all_of(entry.reading.begin(), entry.reading.end(), IsReadingCharacter)) {
        return u"読み「" + entry.reading + u"」はひらがな（16字まで）で書いてください";
    }
    return std::nullopt;
}

std::vector<ShortlistEntry> ReadShortlist(const std::filesystem::path& folder) {
    const std::filesystem::path path = ResolveDataFile(folder, kShortlistFile);
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error) {
        return {};
    }
    const std::string name(kShortlistFile);
    return ParseShortlist(ReadDataFile(path, name), name);
}

ShortlistUpdate AddToShortlist(const std::filesystem::path& folder, const ShortlistEntry& typed) {
    // Kept as the file will give it back, so that the entry compares as it reads.
    ShortlistEntry entry = typed;
    entry.surname = FoldToReadBack(typed.surname);
    entry.givenName = FoldToReadBack(typed.givenName);
    if (const auto problem = ShortlistEntryProblem(entry)) {
        throw std::invalid_argument(Utf16ToUtf8(*problem));
    }
    OpenShortlist list(folder);
    const auto same =
        std::find_if(list.entries.begin(), list.entries.end(),
                     [&](const ShortlistEntry& kept) { return kept.SameName(entry); });
    if (same != list.entries.end()) {
        if (!same->reading.empty() || entry.reading.empty()) {
            return {false, std::move(list.entries)};
        }
        same->reading = entry.reading;
        list.Rewrite();
        return {true, std::move(list.entries)};
    }
    list.entries.push_back(entry);
    if (TextBeforeEndOfFileMark(list.bytes)) {
        list.Rewrite();
    } else {
        AppendToFile(list.file.target(), LineEndBeforeAppending(list.bytes) + Line(entry),
                     list.name);
    }
    return {true, std::move(list.entries)};
}

ShortlistUpdate RemoveFromShortlist(const std::filesystem::path& folder,
                                    const ShortlistEntry& entry) {
    OpenShortlist list(folder);
    const auto removed =
        std::remove_if(list.entries.begin(), list.entries.end(),
                       [&](const ShortlistEntry& kept) { return kept.SameName(entry); });
    if (removed == list.entries.end()) {
        return {false, std::move(list.entries)};
    }
    list.entries.erase(removed, list.entries.end());
    list.Rewrite();
    return {true, std::move(list.entries)};
}

}  // namespace namori
