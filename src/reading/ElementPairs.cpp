#include "reading/ElementPairs.h"

#include <array>

#include "data/ReadingTextsFile.h"
#include "reading/ReadingTextKinds.h"

namespace namori {

namespace {

// The elements in the order each feeds the next (木生火, 火生土, 土生金, 金生水, 水生木); each
// checks the one two places on (木剋土, 火剋金, 土剋水, 金剋木, 水剋火).
constexpr std::u16string_view kFeedingOrder = u"木火土金水";
constexpr std::array<std::u16string_view, 3> kLuckNames{u"祖運", u"主運", u"初運"};

// The key of kElementRelationKeys for how first stands to second.
std::u16string_view RelationOf(std::size_t first, std::size_t second) {
    const std::size_t step = (second + kFeedingOrder.size() - first) % kFeedingOrder.size();
    constexpr std::array<std::size_t, 5> kByStep{4, 0, 2, 3, 1};  // 同じ, 生む, 抑える, …
    return kElementRelationKeys[kByStep[step]];
}

void Replace(std::u16string& text, std::u16string_view placeholder, std::u16string_view value) {
    for (std::size_t at = text.find(placeholder); at != std::u16string::npos;
         at = text.find(placeholder, at + value.size())) {
        text.replace(at, placeholder.size(), value);
    }
}

std::u16string Digits(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string ElementPairsOf(std::u16string_view triple, const std::array<int, 3>& values,
                              const ReadingTexts& texts) {
    if (triple.size() != kLuckNames.size()) {
        return {};
    }
    std::u16string text;
    for (std::size_t pair = 0; pair + 1 < triple.size(); ++pair) {
        const std::size_t first = kFeedingOrder.find(triple[pair]);
        const std::size_t second = kFeedingOrder.find(triple[pair + 1]);
        if (first == std::u16string_view::npos || second == std::u16string_view::npos) {
            return {};
        }
        std::u16string sentence(texts.Of(kElementPairKind, RelationOf(first, second)));
        Replace(sentence, u"{前}", kLuckNames[pair]);
        Replace(sentence, u"{後}", kLuckNames[pair + 1]);
        Replace(sentence, u"{甲}", triple.substr(pair, 1));
        Replace(sentence, u"{乙}", triple.substr(pair + 1, 1));
        Replace(sentence, u"{前数}", Digits(values[pair]));
        Replace(sentence, u"{後数}", Digits(values[pair + 1]));
        text += sentence;
    }
    return text;
}

bool HasCheckingPair(std::u16string_view triple) {
    for (std::size_t pair = 0; pair + 1 < triple.size(); ++pair) {
        const std::size_t first = kFeedingOrder.find(triple[pair]);
        const std::size_t second = kFeedingOrder.find(triple[pair + 1]);
        if (first != std::u16string_view::npos && second != std::u16string_view::npos) {
            const std::u16string_view relation = RelationOf(first, second);
            if (relation == kElementRelationKeys[2] || relation == kElementRelationKeys[3]) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace namori
