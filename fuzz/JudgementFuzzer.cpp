// A dictionary file and up to two names, judged one after the other, as the window
// judges name after name. Input layout:
//   bytes 0-1   length of the dictionary part (little-endian, taken modulo what is there)
//   then        the dictionary file's bytes
//   then        a flag byte (bit 0: complement for the first name, bit 1: for the second)
//   then        UTF-16LE code units: surname U+FFFF given name [U+FFFF surname U+FFFF given name]
// Checked: a looked-up name fills exactly its positions, listing the characters without a count;
// a judged name has luck numbers of at least 0, complete five-element and yin-yang results and
// the faces of its ratings; and judging a name again, after another or with a copy of the tables,
// gives the same judgement.

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "FuzzSupport.h"
#include "analysis/ReferenceTables.h"
#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/KanjiDictionaryFile.h"
#include "data/SpiritTableFile.h"
#include "rules/FiveElements.h"
#include "rules/Judgement.h"
#include "rules/YinYang.h"

namespace {

using namespace namori;
using fuzzing::Require;

constexpr char16_t kSeparator = u'\xFFFF';
constexpr std::u16string_view kElements = u"木火土金水";

// The tables of the process: reading the spirit table costs more than judging a name.
ReferenceTables& Tables() {
    static ReferenceTables tables;
    return tables;
}

struct Name {
    std::u16string surname;
    std::u16string givenName;
    bool complement = false;
};

// The part as the judgement should hold it: as the files give it back, with "１" added to a
// one-character part when the complement is asked for.
std::u16string WithComplement(const std::u16string& typed, bool complement, bool front) {
    const std::u16string part = FoldToReadBack(typed);
    if (!complement || part.size() != 1) {
        return part;
    }
    return front ? kComplementCharacter + part : part + kComplementCharacter;
}

void CheckLoadedName(const Judgement& judgement, const Name& name) {
    Require(judgement.name.currentSurname == WithComplement(name.surname, name.complement, true),
            "the judged surname is not the one given");
    Require(
        judgement.name.currentGivenName == WithComplement(name.givenName, name.complement, false),
        "the judged given name is not the one given");
    const int total = judgement.name.surnameLength + judgement.name.givenNameLength;
    Require(
        judgement.name.surnameLength == static_cast<int>(judgement.name.currentSurname.size()) &&
            judgement.name.givenNameLength ==
                static_cast<int>(judgement.name.currentGivenName.size()),
        "a part length does not match its text");
    Require(total >= 2 && total <= kNamePositions && judgement.name.totalLength == total,
            "a judged name has more than six positions or a wrong total length");
    std::u16string joined;
    std::vector<std::u16string> unregistered;
    for (int position = 0; position < kNamePositions; ++position) {
        const std::u16string_view character = judgement.name.nameChars[position];
        const std::int16_t strokes = judgement.name.strokeCounts[position];
        Require(strokes >= 0, "a position has a count below 0");
        if (position >= total) {
            Require(character.empty() && strokes == 0, "a position past the name is not empty");
            continue;
        }
        Require(character.size() == 1, "a position of the name does not hold one character");
        joined += character;
        if (strokes == 0) {
            unregistered.emplace_back(character);
        }
    }
    Require(joined == judgement.name.currentSurname + judgement.name.currentGivenName,
            "the positions do not spell the name");
    Require(judgement.preparation.unregistered == unregistered,
            "the characters without a count are not the ones listed");
    Require(judgement.ready() == unregistered.empty(), "a name with uncounted characters is ready");
}

void CheckJudgement(const Judgement& judgement) {
    const std::array<int, 5> luck = LuckValues(judgement.luck);
    for (int number : luck) {
        Require(number >= 0, "a luck number is below 0");
    }
    Require(judgement.elements.elementTriple.size() == 3,
            "the element triple does not have three elements");
    for (char16_t element : judgement.elements.elementTriple) {
        Require(kElements.find(element) != std::u16string_view::npos, "an element is unknown");
    }
    const std::u16string_view digits = judgement.elements.elementDigits;
    Require(digits.size() == 9, "the element digits are not three digits");
    for (int i = 0; i < 3; ++i) {
        Require(digits[i * 4] == u'0' + luck[i] % 10,
                "an element digit is not the last digit of its luck number");
    }
    Require(
        judgement.elements.elementVerdict == FiveElementVerdictOf(judgement.elements.elementTriple),
        "the five-element verdict does not belong to the triple");
    const std::u16string_view pattern = judgement.yinYang.yinYangPattern;
    Require(static_cast<int>(pattern.size()) == judgement.name.totalLength,
            "the yin-yang pattern does not have a mark per position");
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool odd = judgement.name.strokeCounts[i] % 2 != 0;
        Require(pattern[i] == (odd ? kOddMark : kEvenMark),
                "a yin-yang mark does not match its count");
    }
    Require(judgement.yinYang.yinYangVerdict == YinYangVerdictOf(pattern),
            "the yin-yang verdict does not belong to the pattern");
    Require(judgement.faces == RateJudgement(judgement.luck, Tables().spiritTable,
                                             judgement.elements.elementVerdict,
                                             judgement.yinYang.yinYangVerdict),
            "the faces are not the ratings of the judgement");
}

// Judges a name and checks what the judgement holds.
Judgement JudgeAndCheck(const ReferenceTables& tables, const Name& name) {
    Judgement judgement = Judge({name.surname, name.givenName, name.complement}, tables);
    const NamePreparation& prepared = judgement.preparation;
    switch (prepared.problem) {
        case NameProblem::Empty:
        case NameProblem::TooLong:
        case NameProblem::UnsupportedCharacter:
        case NameProblem::Blank:
            Require(!prepared.message.empty(), "a refused name has no message");
            return judgement;
        case NameProblem::Unregistered:
            Require(!prepared.message.empty(), "a name with uncounted characters has no message");
            CheckLoadedName(judgement, name);
            return judgement;
        case NameProblem::None:
            Require(prepared.message.empty(), "a ready name has a message");
            CheckLoadedName(judgement, name);
            CheckJudgement(judgement);
            return judgement;
    }
    fuzzing::Fail("Judge gave an unknown problem");
}

// The texts and numbers of a judgement, to compare two.
auto Summary(const Judgement& j) {
    return std::tuple(j.preparation.problem, j.preparation.message, j.preparation.unregistered,
                      j.name.currentSurname, j.name.currentGivenName, j.name.nameChars,
                      j.name.strokeCounts, LuckValues(j.luck), j.elements.elementDigits.view(),
                      j.elements.elementVerdict, j.yinYang.yinYangPattern.view(),
                      j.yinYang.yinYangVerdict, j.faces);
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
        LoadSpiritNumbers(Tables(), NAMORI_SHIPPED_DATA_DIR);
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

    ReferenceTables& tables = Tables();
    tables.dictionary.Assign(std::move(entries));
    const Judgement first = JudgeAndCheck(tables, names[0]);
    // A judgement depends on nothing but its inputs: not on a name judged before, nor on which
    // copy of the tables it reads.
    const ReferenceTables copy = tables;
    const Judgement again = JudgeAndCheck(copy, names.back());
    Require(Summary(again) == Summary(Judge({names.back().surname, names.back().givenName,
                                             names.back().complement},
                                            tables)),
            "a name is judged differently after another name");
    Require(Summary(first) == Summary(JudgeAndCheck(tables, names[0])),
            "a name is judged differently the second time");
    return 0;
}
