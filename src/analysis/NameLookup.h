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

// Lists in unregisteredChars the characters without a count of the part that checkingSurname
// selects (its partLength characters), in name order.
void CollectUnregisteredChars(JudgementStore& store);

}  // namespace namori
