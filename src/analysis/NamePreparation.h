#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace namori {

struct JudgementStore;

inline constexpr int kMaxPartLength = 3;

enum class NameProblem {
    None,
    Empty,                 // a part is empty
    TooLong,               // a part has more than three characters
    UnsupportedCharacter,  // a character outside code page 932, the BMP, or a control character
    Unregistered,          // characters without a stroke count
};

struct NamePreparation {
    NameProblem problem = NameProblem::None;
    std::u16string message;                    // for the user, in Japanese; empty when ready
    std::u16string character;                  // the refused character
    std::vector<std::u16string> unregistered;  // characters without a count, surname's first

    bool ready() const { return problem == NameProblem::None; }
};

// Checks a name without touching the store: both parts of one to three characters, every
// character one that the data files can hold.
NamePreparation CheckName(std::u16string_view surname, std::u16string_view givenName);

// Looks currentSurname up; when complement is set and it has one character, puts "１" in front,
// looks it up again and gives the "１" one stroke.
void ApplySurnameComplement(JudgementStore& store, bool complement);

// Looks currentGivenName up behind the surname; when complement is set and it has one
// character, puts "１" behind it, looks it up again and gives the "１" one stroke.
void ApplyGivenNameComplement(JudgementStore& store, bool complement);

// Gives the counts just registered to the name under judgement: each count, in order, to the
// first name position still without one. Counts beyond the free positions are ignored.
void ApplyRegisteredStrokes(JudgementStore& store, const std::vector<std::int16_t>& counts);

// Loads a name into the store as the judge command does: checks it (a refused name leaves the
// store as it was), looks both parts up, applies the complement "１" to one-character parts
// when complement is set, gives every "１" at either end of the name one stroke, and lists the
// characters of both parts that have no count in unregisteredChars. When the result is ready,
// RunJudgement can follow.
NamePreparation PrepareName(JudgementStore& store, std::u16string_view surname,
                            std::u16string_view givenName, bool complement);

}  // namespace namori
