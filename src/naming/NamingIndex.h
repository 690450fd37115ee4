#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/DataFiles.h"
#include "naming/SortedTextFile.h"

namespace namori {

// A given name listed for a reading, with the sex it is given to ('f', 'm', or 'g' for either)
// and a count: for a name real people carry, how many name entries are written so; for a name
// of the published baby-name rankings, its points there (each ranking it is in gives 101 minus
// its rank, at least 1).
struct ListedName {
    std::u16string spelling;
    char sex = 'g';
    int count = 0;
};

// The names a file of reading,spelling,sex,count records lists for reading, in its order.
std::vector<ListedName> ListedNamesOf(const SortedTextFile& file, std::u16string_view reading);

// A kanji that can be read as a piece of a reading, how many real given names write that
// piece with it (0: a reading of the kanji that no real name was found to use), and in how many
// spellings of the published name rankings it stands for the piece.
struct KanjiPiece {
    char16_t kanji = 0;
    int names = 0;
    int recent = 0;
    bool dictionaryReading = false;  // KANJIDIC gives the piece as a kun reading or nanori
};

// First field of the kanji index's first line, which gives the number of real given names the
// counts were taken from.
inline constexpr std::u16string_view kAlignedNamesLabel = u"名前数";

// The readings behind the name-choosing aid: real given names by reading, and the kanji that
// can be read as each piece of a reading. Both files are sorted by reading and looked up by
// binary search.
class NamingIndex {
  public:
    // Opens the two index files, each from the first of folders that holds it (a user's edited
    // copy of one wins without the other): the kanji index is read into memory, the large names
    // index is read where it lies, a reading's lines at a time (a lookup in it throws
    // DataFileError once the file was rewritten in place). Throws DataFileError when one is
    // missing, empty or out of order, or when its first or last line, or the kanji index's
    // count line, is malformed.
    static NamingIndex Open(const std::vector<std::filesystem::path>& folders);
    // The same from the files' bytes (code page 932), for tests and tools.
    static NamingIndex FromBytes(std::string realNames, std::string kanjiReadings);

    // Real given names read as reading, most common first. Throws DataFileError when a line
    // read is malformed.
    std::vector<ListedName> RealNamesOf(std::u16string_view reading) const;
    // Kanji read as piece, in the file's order. Throws DataFileError when a line is malformed.
    std::vector<KanjiPiece> KanjiOf(std::u16string_view piece) const;
    // How many real given names the counts of KanjiOf were taken from (at least 1).
    int alignedNames() const { return alignedNames_; }

  private:
    NamingIndex(SortedTextFile realNames, SortedTextFile kanjiReadings);

    SortedTextFile realNames_;
    SortedTextFile kanjiReadings_;
    int alignedNames_ = 1;
};

}  // namespace namori
