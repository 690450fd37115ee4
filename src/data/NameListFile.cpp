#include "data/NameListFile.h"

#include "data/Cp932.h"
#include "data/DataFiles.h"
#include "data/FieldReader.h"
#include "data/FileWriting.h"

namespace namori {

namespace {

std::string Lines(const std::vector<std::u16string>& entries) {
    std::string bytes;
    for (const std::u16string& entry : entries) {
        // Entries were checked when they were added; one that still cannot be encoded is kept
        // out rather than written wrongly.
        if (const auto encoded = EncodeCp932(entry)) {
            bytes += *encoded + "\r\n";
        }
    }
    return bytes;
}

}  // namespace

std::vector<std::u16string> ReadNameList(const std::filesystem::path& folder,
                                         std::string_view fileName) {
    const std::filesystem::path path = ResolveDataFile(folder, fileName);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return {};
    }
    const std::u16string text = ReadDataFile(path, std::string(fileName));
    FieldReader reader(text, std::string(fileName));
    std::vector<std::u16string> entries;
    while (true) {
        reader.SkipBlankLines();
        if (reader.AtEnd()) {
            return entries;
        }
        entries.push_back(reader.ReadText());
    }
}

std::optional<std::u16string> ListEntryProblem(std::u16string_view entry) {
    if (entry.size() > 3) {
        return u"名字や名前は３文字までです";
    }
    if (!entry.empty() && (entry.front() == u' ' || entry.back() == u' ' ||
                           entry.front() == u'\t' || entry.back() == u'\t')) {
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

void AppendNameListEntry(const std::filesystem::path& folder, std::string_view fileName,
                         std::u16string_view entry) {
    AppendToFile(ResolveDataFile(folder, fileName), Lines({std::u16string(entry)}),
                 std::string(fileName));
}

void RewriteNameList(const std::filesystem::path& folder, std::string_view fileName,
                     const std::vector<std::u16string>& entries) {
    RewriteFileAtomically(ResolveDataFile(folder, fileName), Lines(entries), std::string(fileName));
}

}  // namespace namori
