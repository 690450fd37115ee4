#include "analysis/NameLookup.h"

#include "analysis/JudgementStore.h"
#include "analysis/ShortText.h"

namespace namori {

namespace {

// Fills positions first.. with the characters of part and looks up the first three of them.
// Positions past the sixth do not exist and are left out. An empty part still compares its
// first position, so only an entry with empty text can give it a count.
void SplitAndLookUp(JudgementStore& store, int first, const std::u16string& part) {
    const int length = static_cast<int>(part.size());
    for (int i = 1; i <= length && first + i - 1 <= kNamePositions; ++i) {
        AssignShortText(store.nameChars[first + i - 1], {&part[i - 1], 1});
    }
    const int lookedUp = (length == 1 || length == 2) ? length : 3;
    for (int i = 1; i <= lookedUp && first + i - 1 <= kNamePositions; ++i) {
        const int position = first + i - 1;
        store.strokeCounts[position] = store.dictionary.StrokesOf(store.nameChars[position]);
    }
}

void ClearPositionsFrom(JudgementStore& store, int first) {
    for (int position = first < 1 ? 1 : first; position <= kNamePositions; ++position) {
        store.strokeCounts[position] = 0;
        store.nameChars[position].clear();
    }
}

}  // namespace

void LookupSurname(JudgementStore& store) {
    store.surnameLength = static_cast<int>(store.currentSurname.size());
    ClearPositionsFrom(store, 1);
    SplitAndLookUp(store, 1, store.currentSurname);
}

void LookupGivenName(JudgementStore& store) {
    const int surnameLength = store.surnameLength;
    store.givenNameLength = static_cast<int>(store.currentGivenName.size());
    ClearPositionsFrom(store, surnameLength + 1);
    SplitAndLookUp(store, surnameLength + 1, store.currentGivenName);
}

void CollectUnregisteredChars(JudgementStore& store, NamePart part) {
    for (auto& character : store.unregisteredChars) {
        character.clear();
    }
    int found = 0;
    const bool surname = part == NamePart::Surname;
    const int length = surname ? store.surnameLength : store.givenNameLength;
    for (int i = 1; i <= length; ++i) {
        const int position = surname ? i : store.surnameLength + i;
        if (position > kNamePositions || found == kNamePositions) {
            break;
        }
        if (store.strokeCounts[position] == 0) {
            store.unregisteredChars[++found] = store.nameChars[position];
        }
    }
}

}  // namespace namori
