#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace namori {

enum class NameProblem {
    None,
    Empty,                 // a part is empty
    TooLong,               // a part has more than three characters
    UnsupportedCharacter,  // a character outside code page 932, the BMP, or a control character
    Blank,                 // a blank (U+0020 or U+3000) in a part
    Unregistered,          // characters without a stroke count
};

struct NamePreparation {
    NameProblem problem = NameProblem::None;
    std::u16string message;                    // for the user, in Japanese; empty when ready
    std::u16string character;                  // the refused character
    std::vector<std::u16string> unregistered;  // characters without a count, surname's first

    bool ready() const { return problem == NameProblem::None; }
};

// Checks a name: both parts of one to three characters, every character one that the data
// files can hold, and no blank, which no name has and no dictionary counts.
NamePreparation CheckName(std::u16string_view surname, std::u16string_view givenName);

// The refusal of a name whose characters in unregistered have no count; ready when none.
NamePreparation UnregisteredProblem(std::vector<std::u16string> unregistered);

}  // namespace namori
