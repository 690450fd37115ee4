#pragma once

#include <filesystem>
#include <string>

namespace namori {

// Reads the kanji parents avoid in a given name ("避ける漢字.txt": one kanji and the reason per
// line, e.g. 死,死) from folder, as one string of those kanji. The user may edit the file.
// Throws DataFileError naming the file and line when it is missing, unreadable, or a line's
// first field is not one character.
std::u16string ReadAvoidedKanji(const std::filesystem::path& folder);

}  // namespace namori
