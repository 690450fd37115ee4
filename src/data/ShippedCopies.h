#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "data/ShippedTables.h"
#include "data/SystemCalls.h"

namespace namori {

// Where the shipped files are and which versions of them Namori has shipped.
struct ShippedFiles {
    // The shipped data folder in use (it holds the dictionary).
    std::filesystem::path dataFolder;
    // Every folder a shipped table may be in, by ShippedTable::kind.
    std::function<std::vector<std::filesystem::path>(std::string_view kind)> foldersOf;
    std::vector<ShippedVersion> versions;
};

// Brings the user's data folder up to the installed version so that an update reaches the
// user, and leaves everything the user made alone:
// - a shipped table that is byte-equal to a version Namori shipped is a copy an earlier version
//   made, not the user's: it is renamed "NAME.以前の版" (when the installed table is there to be
//   read instead), never removed;
// - a dictionary that begins with a shipped version gets the installed dictionary in place of
//   that beginning, the user's registrations after it kept, when all fits in 2000 entries;
//   otherwise it stays as it is and note says so once for each installed dictionary.
// A link the user made, and every file when folder is an installed folder, stay as they are.
// Each change is said in one line through note. A file that cannot be read or changed is left as
// it is: the loading names it when it is wrong. Every change goes through calls.
void UpdateShippedCopies(const std::filesystem::path& folder, const ShippedFiles& shipped,
                         const std::function<void(const std::string&)>& note,
                         const SystemCalls& calls = {});

}  // namespace namori
