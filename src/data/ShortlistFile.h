#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace namori {

// The names a family is choosing among, one a line: surname, given name, its reading in
// hiragana (empty when unknown) and, when the name was judged with the one-character
// complement, a fourth field 補数. Code page 932 with CR LF, like the name lists.
inline constexpr std::string_view kShortlistFile = "候補.txt";
inline constexpr std::u16string_view kComplementField = u"補数";

struct ShortlistEntry {
    std::u16string surname;
    std::u16string givenName;
    std::u16string reading;  // hiragana; empty when unknown
    bool complement = false;

    // One name judged one way: the reading does not make another entry.
    bool SameName(const ShortlistEntry& other) const {
        return surname == other.surname && givenName == other.givenName &&
               complement == other.complement;
    }
};

// Why entry cannot be kept in the shortlist (a name a list could not hold, a reading that is
// not hiragana); nothing when it can.
std::optional<std::u16string> ShortlistEntryProblem(const ShortlistEntry& entry);

// The shortlist of folder; a missing file is an empty list. A file that cannot be read or
// decoded, or a line that is not an entry, throws DataFileError naming the line.
std::vector<ShortlistEntry> ReadShortlist(const std::filesystem::path& folder);

// What a change left in the shortlist.
struct ShortlistUpdate {
    bool changed = false;
    std::vector<ShortlistEntry> entries;  // the list as its file now holds it
};

// Each change is one transaction on the file, safe against other Namori processes changing it:
// lock, read afresh, apply just this change, write. A damaged file throws DataFileError and is
// left as it is; a failed write throws FileWriteError and leaves the file as it was.

// Adds entry at the end unless the list has that name already; a reading learnt since is filled
// into the entry that lacked it. An entry with a problem throws std::invalid_argument.
ShortlistUpdate AddToShortlist(const std::filesystem::path& folder, const ShortlistEntry& entry);

// Removes the entry of that name; nothing changes when the list no longer has it.
ShortlistUpdate RemoveFromShortlist(const std::filesystem::path& folder,
                                    const ShortlistEntry& entry);

}  // namespace namori
