#include "data/KanjiRegistration.h"

#include "data/Cp932.h"
#include "data/DataFiles.h"
#include "data/FieldReader.h"
#include "data/FileWriting.h"
#include "data/KanjiDictionaryFile.h"
#include "data/LockedFile.h"

#include <cerrno>

namespace namori {

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'　';
}

}  // namespace

std::optional<StrokeEntry> ParseStrokeEntry(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    std::string whole;
    std::string fraction;
    bool point = false;
    for (char16_t c : text) {
        if (c >= u'０' && c <= u'９') {
            c = static_cast<char16_t>(u'0' + (c - u'０'));
        } else if (c == u'．') {
            c = u'.';
        }
        if (c == u'.' && !point) {
            point = true;
        } else if (c >= u'0' && c <= u'9') {
            (point ? fraction : whole) += static_cast<char>(c);
        } else {
            return std::nullopt;
        }
    }
    // Written without leading zeros, trailing fraction zeros or a bare point.
    while (whole.size() > 1 && whole.front() == '0') {
        whole.erase(whole.begin());
    }
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    if (whole.empty() && fraction.empty()) {
        return std::nullopt;
    }
    if (whole.empty()) {
        whole = "0";
    }
    if (whole.size() > 2 || whole == "0" || (whole == "99" && !fraction.empty())) {
        return std::nullopt;  // outside 1..99
    }
    StrokeEntry entry;
    entry.written = fraction.empty() ? whole : whole + "." + fraction;
    std::u16string written(entry.written.begin(), entry.written.end());
    if (!ParseCount(written, entry.rounded)) {
        return std::nullopt;
    }
    return entry;
}

std::optional<std::u16string> KanjiEntryProblem(std::u16string_view kanji) {
    if (kanji.empty()) {
        return u"漢字の欄が空です";
    }
    if (kanji.size() != 1) {
        return u"漢字の欄には１文字だけを入力してください（「" + std::u16string(kanji) + u"」）";
    }
    const char16_t c = kanji.front();
    if (IsBlank(c)) {
        return u"空白は辞書に登録できません";
    }
    if (c == u'"' || c < 0x20 || c == 0x7F || !IsCp932Character(c)) {
        return u"「" + std::u16string(kanji) + u"」は辞書に登録できない文字です";
    }
    return std::nullopt;
}

KanjiDictionaryFull::KanjiDictionaryFull(int freePlaces)
    : std::runtime_error("漢字辞書は2000件までしか登録できません（残り" +
                         std::to_string(freePlaces) + "件）。登録しませんでした。"),
      freePlaces_(freePlaces) {}

std::vector<DictionaryEntry> AppendKanjiEntries(
    const std::filesystem::path& folder, const std::vector<KanjiRegistration>& registrations) {
    const std::string fileName(kKanjiDictionaryFile);
    std::string lines;
    for (const KanjiRegistration& registration : registrations) {
        const auto kanji = EncodeCp932(FoldToReadBack(registration.kanji));
        if (!kanji) {
            throw FileWriteError(fileName, EILSEQ);
        }
        lines += "\"" + *kanji + "\"," + registration.strokes.written + "\r\n";
    }
    const LockedFile file(ResolveDataFile(folder, kKanjiDictionaryFile), fileName);
    const std::string bytes = file.Read();
    std::vector<DictionaryEntry> entries =
        ParseKanjiDictionary(DecodeDataFile(bytes, fileName), fileName);
    const int freePlaces = KanjiDictionary::kCapacity - static_cast<int>(entries.size());
    if (static_cast<int>(registrations.size()) > freePlaces) {
        throw KanjiDictionaryFull(freePlaces);
    }
    for (const KanjiRegistration& registration : registrations) {
        entries.push_back({FoldToReadBack(registration.kanji), registration.strokes.rounded});
    }
    if (const auto kept = TextBeforeEndOfFileMark(bytes)) {
        // Text after the mark would be read as part of a field: the file is rewritten without it.
        const std::string before = kept->empty() ? "" : std::string(*kept) + "\r\n";
        RewriteFileAtomically(file.target(), before + lines, fileName);
    } else {
        AppendToFile(file.target(), LineEndBeforeAppending(bytes) + lines, fileName);
    }
    return entries;
}

}  // namespace namori
