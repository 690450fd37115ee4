#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/NamePositions.h"
#include "analysis/NamePreparation.h"

namespace namori {

class KanjiDictionary;

enum class NamePart { Surname, GivenName };

// Splits a name of one to three characters a part into positions and looks each up, as the
// judge command does: a typed 〜 is the ～ of a registered entry; with the complement a
// one-character part takes "１"; a "１" that starts or ends the name counts one stroke; then
// the registered strokes fill the positions still without a count. Fills name, which must be
// fresh (a judgement made in place costs no copy).
void LookUpName(const NameInput& input, const KanjiDictionary& dictionary, NamePositions& name);

// The characters of the name without a count, in name order.
std::vector<std::u16string> UnregisteredChars(const NamePositions& name);

// The characters of one part alone (one to three characters) without a count, in name order,
// the complement applied as in a judgement: what to register before the part can be judged.
std::vector<std::u16string> UnregisteredCharsOfPart(NamePart part, std::u16string_view text,
                                                    bool complement,
                                                    const KanjiDictionary& dictionary);

// Whether a surname can be judged with any given name: its characters are ones the data files
// hold, no blank among them, each with a count (the complement applied). Ready when so; else
// the refusal a judgement of the surname would give.
NamePreparation CheckSurname(std::u16string_view surname, bool complement,
                             const KanjiDictionary& dictionary);

}  // namespace namori
