#include "naming/NamingIndex.h"

#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"

namespace namori {

namespace {

constexpr std::size_t kRealNameFields = 4;  // reading,spelling,sex,commonness
// reading,kanji,kind,names and, since the rankings are counted too, recent.
constexpr std::size_t kKanjiPieceFields = 4;
constexpr std::size_t kKanjiPieceFieldsWithRecent = 5;

}  // namespace

NamingIndex::NamingIndex(SortedTextFile realNames, SortedTextFile kanjiReadings)
    : realNames_(std::move(realNames)), kanjiReadings_(std::move(kanjiReadings)) {
    realNames_.ExpectFields(kRealNameFields);
    kanjiReadings_.ExpectFields(kKanjiPieceFields, kKanjiPieceFieldsWithRecent);
    const SortedTextFile::Record header = kanjiReadings_.TakeHeaderLine();
    const int names = header.size() == 2 ? SortedTextFile::WholeNumber(header[1]) : -1;
    if (header[0] != kAlignedNamesLabel || names < 1) {
        throw DataFileError(kanjiReadings_.displayName(), 1, "1行目は「名前数,数」のはずです");
    }
    alignedNames_ = names;
    // A truncated or foreign file shows at its ends; the lines between are checked when read.
    // An empty or unsorted file would silently find nothing.
    realNames_.CheckSorted();
    kanjiReadings_.CheckSorted();
    realNames_.EndLines();
    kanjiReadings_.EndLines();
}

NamingIndex NamingIndex::Open(const std::vector<std::filesystem::path>& folders) {
    // The names index is large and a query needs the lines of one reading: it is read where it
    // lies. The kanji index is small and looked up for every piece of a reading.
    return NamingIndex(SortedTextFile::OpenFirstFoundSampled(folders, kRealNamesFile),
                       SortedTextFile::ReadFirstFound(folders, kKanjiReadingsFile));
}

NamingIndex NamingIndex::FromBytes(std::string realNames, std::string kanjiReadings) {
    return NamingIndex(SortedTextFile::Own(std::move(realNames), kRealNamesFile),
                       SortedTextFile::Own(std::move(kanjiReadings), kKanjiReadingsFile));
}

std::vector<ListedName> ListedNamesOf(const SortedTextFile& file, std::u16string_view reading) {
    std::vector<ListedName> names;
    for (const auto& record : file.Find(reading)) {
        const char sex = record[2] == u"f" ? 'f' : record[2] == u"m" ? 'm' : 'g';
        names.push_back({record[1], sex, SortedTextFile::WholeNumber(record[3])});
    }
    return names;
}

std::vector<ListedName> NamingIndex::RealNamesOf(std::u16string_view reading) const {
    return ListedNamesOf(realNames_, reading);
}

std::vector<KanjiPiece> NamingIndex::KanjiOf(std::u16string_view piece) const {
    std::vector<KanjiPiece> kanji;
    for (const auto& record : kanjiReadings_.Find(piece)) {
        // A spelling of several characters is no piece of a composition.
        if (record[1].size() == 1) {
            const int recent = record.size() == kKanjiPieceFieldsWithRecent
                                   ? SortedTextFile::WholeNumber(record[4])
                                   : 0;
            const int names = SortedTextFile::WholeNumber(record[3]);
            // The file checks the last field of a line only: a five-field line's count is ours.
            if (names < 0) {
                throw DataFileError(
                    kanjiReadings_.displayName(), 0,
                    "読み「" + Utf16ToUtf8(piece) + "」の行の名前の数が数ではありません");
            }
            kanji.push_back({record[1][0], names, recent, record[2] == u"k" || record[2] == u"n"});
        }
    }
    return kanji;
}

}  // namespace namori
