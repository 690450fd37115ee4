#include "analysis/NameLookup.h"

#include "data/Cp932.h"
#include "data/KanjiDictionary.h"

namespace namori {

namespace {

// Puts part, with the complement when it applies, at positions first.. of name and looks the
// characters up. A "１" at the part's outer end (the start of a surname, the end of a given
// name) counts one stroke, whether the complement put it there or the user typed it.
void LookUpPart(NamePositions& name, NamePart which, std::u16string_view typed, bool complement,
                const KanjiDictionary& dictionary) {
    const bool surname = which == NamePart::Surname;
    std::u16string& part = surname ? name.currentSurname : name.currentGivenName;
    part = FoldToReadBack(typed);
    if (complement && part.size() == 1) {
        part = surname ? std::u16string{kComplementCharacter, part[0]}
                       : std::u16string{part[0], kComplementCharacter};
    }
    const int length = static_cast<int>(part.size());
    const int first = surname ? 0 : name.surnameLength;
    (surname ? name.surnameLength : name.givenNameLength) = length;
    for (int i = 0; i < length && first + i < kNamePositions; ++i) {
        name.nameChars[first + i] = std::u16string_view(&part[i], 1);
        name.strokeCounts[first + i] = i < kMaxPartLength ? dictionary.StrokesOf({&part[i], 1}) : 0;
    }
    const int outerEnd = surname ? first : first + length - 1;
    if (length > 0 && outerEnd < kNamePositions &&
        (surname ? part.front() : part.back()) == kComplementCharacter) {
        name.strokeCounts[outerEnd] = 1;
    }
}

}  // namespace

void LookUpName(const NameInput& input, const KanjiDictionary& dictionary, NamePositions& name) {
    LookUpPart(name, NamePart::Surname, input.surname, input.complement, dictionary);
    LookUpPart(name, NamePart::GivenName, input.givenName, input.complement, dictionary);
    name.totalLength = name.surnameLength + name.givenNameLength;
    for (const std::int16_t count : input.registeredStrokes) {
        for (int position = 0; position < name.positions(); ++position) {
            if (name.strokeCounts[position] == 0) {
                name.strokeCounts[position] = count;
                break;
            }
        }
    }
}

std::vector<std::u16string> UnregisteredChars(const NamePositions& name) {
    std::vector<std::u16string> found;
    for (int position = 0; position < name.positions(); ++position) {
        if (name.strokeCounts[position] == 0) {
            found.emplace_back(name.nameChars[position]);
        }
    }
    return found;
}

std::vector<std::u16string> UnregisteredCharsOfPart(NamePart part, std::u16string_view text,
                                                    bool complement,
                                                    const KanjiDictionary& dictionary) {
    NamePositions name;
    LookUpPart(name, part, text, complement, dictionary);
    name.totalLength = name.surnameLength + name.givenNameLength;
    return UnregisteredChars(name);
}

NamePreparation CheckSurname(std::u16string_view surname, bool complement,
                             const KanjiDictionary& dictionary) {
    NamePreparation check = CheckName(surname, u"名");
    if (!check.ready()) {
        return check;
    }
    return UnregisteredProblem(
        UnregisteredCharsOfPart(NamePart::Surname, surname, complement, dictionary));
}

}  // namespace namori
