#pragma once

namespace namori {

struct JudgementStore;

// The complement character: stands for the second character of a one-character part.
inline constexpr char16_t kComplementCharacter = u'１';

// Splits currentSurname into name positions 1.. and looks up the counts of its first three
// characters; clears every other position.
void LookupSurname(JudgementStore& store);

// Puts currentGivenName behind the surname of the last LookupSurname and looks up its first
// three characters; the surname's positions are left as they are.
void LookupGivenName(JudgementStore& store);

enum class NamePart { Surname, GivenName };

// Lists in unregisteredChars the characters of one part of the name (as the last lookup of that
// part placed them) that have no count, in name order.
void CollectUnregisteredChars(JudgementStore& store, NamePart part);

}  // namespace namori
