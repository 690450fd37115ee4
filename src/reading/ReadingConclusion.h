#pragma once

#include <string>
#include <utility>
#include <vector>

namespace namori {

struct DetailedReading;
class ReadingTexts;

// The 総合鑑定 of a reading whose luck numbers, verdicts and faces are filled: one sentence on
// the four rated numbers, one on 祖運, the strongest and the weakest of the four, the five
// elements, yin-yang and a closing sentence, each from the pieces of "鑑定解説.txt" with the
// name's own numbers, phrases and patterns put in. Names whose numbers differ get different
// paragraphs, since every number appears in it.
std::u16string ConclusionOf(const DetailedReading& reading, const ReadingTexts& texts);

// Every (kind, key) of "鑑定解説.txt" that ConclusionOf may need for some judgement.
std::vector<std::pair<std::u16string, std::u16string>> ConclusionTextKeys();

}  // namespace namori
