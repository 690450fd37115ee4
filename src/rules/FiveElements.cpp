#include "rules/FiveElements.h"

#include <array>

namespace namori {

namespace {

struct MisfortuneList {
    ElementVerdict verdict;
    std::u16string_view triples;  // separated by blanks
};

// The unlucky triples, 祖運-主運-初運 in that order. No triple stands in two lists.
constexpr std::array<MisfortuneList, 3> kMisfortunes = {{
    {ElementVerdict::Disaster, u"木土水 火土水 火水火 土水土 土土木 金水火 水土水 水火水"},
    {ElementVerdict::Illness, u"木土木 木金火 火金木 火火水 火金火 金木金 金火金"},
    {ElementVerdict::Accident, u"金金水 火金水 金火水 金土水 水水火 水金水"},
}};

// The element of each last digit, as its index in kElementOrder: 1 2 木, 3 4 火, 5 6 土, 7 8 金,
// 9 0 水.
constexpr std::array<std::size_t, 10> kElementOfLastDigit = {4, 0, 0, 1, 1, 2, 2, 3, 3, 4};

// The last decimal digit of a number, negative numbers included.
constexpr std::size_t LastDigit(int number) {
    return static_cast<std::size_t>(((number % 10) + 10) % 10);
}

// Index 0..4 of an element character, or -1.
constexpr int ElementIndex(char16_t element) {
    const auto found = kElementOrder.find(element);
    return found == std::u16string_view::npos ? -1 : static_cast<int>(found);
}

constexpr int TripleIndex(std::u16string_view triple) {
    return ElementIndex(triple[0]) * 25 + ElementIndex(triple[1]) * 5 + ElementIndex(triple[2]);
}

// Verdict of every one of the 125 triples, built from the lists above.
constexpr std::array<ElementVerdict, 125> BuildVerdictTable() {
    std::array<ElementVerdict, 125> table{};
    table.fill(ElementVerdict::NoMisfortune);
    for (const MisfortuneList& list : kMisfortunes) {
        for (std::size_t at = 0; at < list.triples.size(); at += 4) {
            table[TripleIndex(list.triples.substr(at, 3))] = list.verdict;
        }
    }
    return table;
}

constexpr std::array<ElementVerdict, 125> kVerdictOfTriple = BuildVerdictTable();

}  // namespace

ElementVerdict FiveElementVerdictOf(std::u16string_view triple) {
    if (triple.size() != 3 || ElementIndex(triple[0]) < 0 || ElementIndex(triple[1]) < 0 ||
        ElementIndex(triple[2]) < 0) {
        return ElementVerdict::NoMisfortune;
    }
    return kVerdictOfTriple[TripleIndex(triple)];
}

char16_t ElementOfDigit(int digit) {
    return kElementOrder[kElementOfLastDigit[LastDigit(digit)]];
}

FiveElementResult JudgeFiveElements(const LuckNumbers& luck) {
    const std::array<int, 3> numbers = {luck.ancestorLuck, luck.mainLuck, luck.earlyLuck};
    // "d - d - d": the digits stand at 0, 4 and 8.
    std::array<char16_t, 9> digits = {u' ', u' ', u'-', u' ', u' ', u' ', u'-', u' ', u' '};
    std::array<char16_t, 3> triple{};
    int tripleIndex = 0;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::size_t digit = LastDigit(numbers[i]);
        const std::size_t element = kElementOfLastDigit[digit];
        digits[i * 4] = static_cast<char16_t>(u'0' + digit);
        triple[i] = kElementOrder[element];
        tripleIndex = tripleIndex * 5 + static_cast<int>(element);
    }
    return {{{digits.data(), digits.size()}},
            {{triple.data(), triple.size()}},
            kVerdictOfTriple[tripleIndex]};
}

}  // namespace namori
