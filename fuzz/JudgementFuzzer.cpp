// A dictionary file and up to two names, judged one after the other in one store, as the window
// judges name after name. Input layout:
//   bytes 0-1   length of the dictionary part (little-endian, taken modulo what is there)
//   then        the dictionary file's bytes
//   then        a flag byte (bit 0: complement for the first name, bit 1: for the second)
//   then        UTF-16LE code units: surname U+FFFF given name [U+FFFF surname U+FFFF given name]
// Checked: a refused name leaves the store as it was; a loaded name fills exactly its positions
// with counted characters; a judged name has luck numbers of at least 0 and complete five-element
// and yin-yang results; and the second name gives the same results as in a fresh store, so that
// nothing of the first is left over.

#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "analysis/Judgement.h"
#include "analysis/JudgementStore.h"
#include "analysis/NameLookup.h"
#include "analysis/NamePreparation.h"
#include "analysis/ReferenceTables.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/KanjiDictionaryFile.h"
#include "data/SpiritTableFile.h"
#include "rules/FiveElements.h"
#include "rules/Ratings.h"
#include "rules/YinYang.h"

namespace {

using namespace namori;
using fuzzing::Require;

constexpr char16_t kSeparator = u'\xFFFF';
constexpr std::u16string_view kElements = u"木火土金水";

// Everything a name and its judgement set in the store (the tables aside).
struct JudgementState {
    std::u16string currentSurname;
    std::u16string currentGivenName;
    int surnameLength;
    int givenNameLength;
    std::int16_t totalLength;
    std::array<std::u16string, kNamePositions + 1> nameChars;
    std::array<std::int16_t, kNamePositions + 1> strokeCounts;
    std::array<std::u16string, kNamePositions + 1> unregisteredChars;
    std::array<int, 5> luck;
    std::u16string elementDigits;
    std::u16string elementTriple;
    std::u16string elementVerdict;
    std::u16string yinYangPattern;
    std::u16string yinYangVerdict;

    bool operator==(const JudgementState&) const = default;
};

JudgementState StateOf(const JudgementStore& s) {
    return {s.currentSurname,
            s.currentGivenName,
            s.surnameLength,
            s.givenNameLength,
            s.totalLength,
            s.nameChars,
            s.strokeCounts,
            s.unregisteredChars,
            {s.ancestorLuck, s.mainLuck, s.earlyLuck, s.assistLuck, s.totalLuck},
            s.elementDigits,
            s.elementTriple,
            s.elementVerdict,
            s.yinYangPattern,
            s.yinYangVerdict};
}

// The looked-up part of the state, which a name that is not ready also sets.
bool SameLookup(const JudgementState& a, const JudgementState& b) {
    return a.currentSurname == b.currentSurname && a.currentGivenName == b.currentGivenName &&
           a.surnameLength == b.surnameLength && a.givenNameLength == b.givenNameLength &&
           a.nameChars == b.nameChars && a.strokeCounts == b.strokeCounts &&
           a.unregisteredChars == b.unregisteredChars;
}

// Clears everything a judgement sets while keeping the spirit table read at start-up.
void Reset(JudgementStore& store) {
    SpiritTable table = std::move(store.spiritTable);
    store = JudgementStore{};
    store.spiritTable = std::move(table);
}

JudgementStore& StoreWithTable() {
    static JudgementStore store;
    return store;
}
JudgementStore& FreshStoreWithTable() {
    static JudgementStore store;
    return store;
}

struct Name {
    std::u16string surname;
    std::u16string givenName;
    bool complement = false;
};

// The part as the store should hold it: with "１" added to a one-character part when the
// complement is asked for.
std::u16string WithComplement(const std::u16string& part, bool complement, bool front) {
    if (!complement || part.size() != 1) {
        return part;
    }
    return front ? kComplementCharacter + part : part + kComplementCharacter;
}

void CheckLoadedName(const JudgementStore& store, const Name& name,
                     const NamePreparation& prepared) {
    Require(store.currentSurname == WithComplement(name.surname, name.complement, true),
            "the surname in the store is not the one given");
    Require(store.currentGivenName == WithComplement(name.givenName, name.complement, false),
            "the given name in the store is not the one given");
    const int total = store.surnameLength + store.givenNameLength;
    Require(store.surnameLength == static_cast<int>(store.currentSurname.size()) &&
                store.givenNameLength == static_cast<int>(store.currentGivenName.size()),
            "a part length does not match its text");
    Require(total >= 2 && total <= kNamePositions, "a loaded name has more than six positions");
    std::u16string joined;
    int unregistered = 0;
    for (int position = 1; position <= kNamePositions; ++position) {
        const std::u16string& character = store.nameChars[position];
        const std::int16_t strokes = store.strokeCounts[position];
        Require(strokes >= 0, "a position has a count below 0");
        if (position > total) {
            Require(character.empty() && strokes == 0, "a position past the name is not empty");
            continue;
        }
        Require(character.size() == 1, "a position of the name does not hold one character");
        joined += character;
        if (strokes == 0) {
            ++unregistered;
            Require(static_cast<int>(prepared.unregistered.size()) >= unregistered &&
                        prepared.unregistered[unregistered - 1] == character &&
                        store.unregisteredChars[unregistered] == character,
                    "a character without a count is not listed");
        }
    }
    Require(joined == store.currentSurname + store.currentGivenName,
            "the positions do not spell the name");
    Require(static_cast<int>(prepared.unregistered.size()) == unregistered,
            "a character with a count is listed as unregistered");
    Require(prepared.ready() == (unregistered == 0), "a name with uncounted characters is ready");
}

void CheckJudgement(const JudgementStore& store) {
    const int total = store.surnameLength + store.givenNameLength;
    Require(store.totalLength == total, "totalLength is not the number of positions");
    for (int luck :
         {store.ancestorLuck, store.mainLuck, store.earlyLuck, store.assistLuck, store.totalLuck}) {
        Require(luck >= 0, "a luck number is below 0");
    }
    Require(store.elementTriple.size() == 3, "the element triple does not have three elements");
    for (char16_t element : store.elementTriple) {
        Require(kElements.find(element) != std::u16string_view::npos, "an element is unknown");
    }
    Require(store.elementDigits.size() == 9, "the element digits are not three digits");
    const int numbers[3] = {store.ancestorLuck, store.mainLuck, store.earlyLuck};
    for (int i = 0; i < 3; ++i) {
        Require(store.elementDigits[i * 4] == u'0' + numbers[i] % 10,
                "an element digit is not the last digit of its luck number");
    }
    Require(store.elementVerdict == FiveElementVerdictOf(store.elementTriple),
            "the five-element verdict does not belong to the triple");
    int marks = 0;
    while (marks < kNamePositions && store.strokeCounts[marks + 1] != 0) {
        ++marks;
    }
    Require(static_cast<int>(store.yinYangPattern.size()) == marks,
            "the yin-yang pattern does not have a mark per counted position");
    Require(marks == total, "a judged name has a position without a count");
    for (int i = 0; i < marks; ++i) {
        const bool odd = store.strokeCounts[i + 1] % 2 != 0;
        Require(store.yinYangPattern[i] == (odd ? kOddMark : kEvenMark),
                "a yin-yang mark does not match its count");
    }
    Require(store.yinYangVerdict == YinYangVerdictOf(store.yinYangPattern),
            "the yin-yang verdict does not belong to the pattern");
    RateJudgement(store);
}

// Loads and, when ready, judges a name; returns what PrepareName said.
NamePreparation Judge(JudgementStore& store, const Name& name) {
    const JudgementState before = StateOf(store);
    const NamePreparation prepared =
        PrepareName(store, name.surname, name.givenName, name.complement);
    switch (prepared.problem) {
        case NameProblem::Empty:
        case NameProblem::TooLong:
        case NameProblem::UnsupportedCharacter:
            Require(StateOf(store) == before, "a refused name changed the store");
            Require(!prepared.message.empty(), "a refused name has no message");
            return prepared;
        case NameProblem::Unregistered:
            Require(!prepared.message.empty(), "a name with uncounted characters has no message");
            CheckLoadedName(store, name, prepared);
            return prepared;
        case NameProblem::None:
            Require(prepared.message.empty(), "a ready name has a message");
            CheckLoadedName(store, name, prepared);
            RunJudgement(store);
            CheckJudgement(store);
            return prepared;
    }
    fuzzing::Fail("PrepareName gave an unknown problem");
}

std::vector<Name> NamesOf(std::string_view bytes) {
    std::vector<Name> names;
    if (bytes.empty()) {
        return names;
    }
    const unsigned flags = static_cast<unsigned char>(bytes[0]);
    const std::u16string units = fuzzing::Utf16LeUnits(bytes.substr(1));
    std::vector<std::u16string> parts(1);
    for (char16_t unit : units) {
        if (unit == kSeparator) {
            parts.emplace_back();
        } else {
            parts.back().push_back(unit);
        }
    }
    parts.resize(parts.size() < 3 ? 2 : 4);
    names.push_back({parts[0], parts[1], (flags & 1) != 0});
    if (parts.size() == 4) {
        names.push_back({parts[2], parts[3], (flags & 2) != 0});
    }
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::ScratchFolder();
    try {
        LoadSpiritNumbers(StoreWithTable(), NAMORI_SHIPPED_DATA_DIR);
        LoadSpiritNumbers(FreshStoreWithTable(), NAMORI_SHIPPED_DATA_DIR);
    } catch (const DataFileError& error) {
        fuzzing::Fail(error.what());
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::string_view bytes = fuzzing::BytesOf(data, size);
    const std::size_t split = (data[0] | data[1] << 8) % (size - 2 + 1);
    fuzzing::WriteScratchFile(kKanjiDictionaryFile, bytes.substr(2, split));
    std::vector<DictionaryEntry> entries;
    try {
        entries = ReadKanjiDictionary(fuzzing::ScratchFolder());
    } catch (const DataFileError&) {
        return 0;
    }
    const std::vector<Name> names = NamesOf(bytes.substr(2 + split));
    if (names.empty()) {
        return 0;
    }

    JudgementStore& store = StoreWithTable();
    Reset(store);
    store.dictionary.Assign(std::move(entries));
    Judge(store, names[0]);
    if (names.size() < 2) {
        return 0;
    }
    JudgementStore& fresh = FreshStoreWithTable();
    Reset(fresh);
    fresh.dictionary = store.dictionary;
    const NamePreparation again = Judge(store, names[1]);
    const NamePreparation alone = Judge(fresh, names[1]);
    Require(again.problem == alone.problem && again.message == alone.message &&
                again.unregistered == alone.unregistered,
            "a name is prepared differently after another name");
    if (again.problem == NameProblem::None) {
        Require(StateOf(store) == StateOf(fresh), "a judgement keeps results of the name before");
        Require(RateJudgement(store) == RateJudgement(fresh),
                "a judgement is rated differently after another name");
    } else if (again.problem == NameProblem::Unregistered) {
        Require(SameLookup(StateOf(store), StateOf(fresh)),
                "a lookup keeps characters of the name before");
    }
    return 0;
}
