#include "reading/ReadingConclusion.h"

#include <algorithm>
#include <array>
#include <set>
#include <string_view>

#include "analysis/NamePositions.h"
#include "data/ReadingTextsFile.h"
#include "reading/DetailedReading.h"
#include "reading/ReadingTextKinds.h"
#include "rules/Ratings.h"

namespace namori {

namespace {

constexpr std::size_t kAncestor = 0;
// The four rated luck numbers (indexes into DetailedReading::luck) in the order they weigh:
// when two are as strong or as weak, the one that weighs more is named.
constexpr std::array<std::size_t, 4> kRatedByWeight{1, 4, 2, 3};
constexpr std::array<std::size_t, 4> kRatedInOrder{1, 2, 3, 4};
constexpr std::array<Rating, 3> kRatings{Rating::Favourable, Rating::Middling,
                                         Rating::Unfavourable};
// How many of the four rated numbers are unfavourable, as the keys of the opening and closing
// sentences: all four favourable, none unfavourable, one or two, three, all four.
constexpr std::array<std::u16string_view, 5> kShareKeys{u"all-good", u"none", u"some", u"most",
                                                        u"all"};
constexpr std::u16string_view kRepeatKey = u"any";
constexpr std::array<std::u16string_view, 5> kCountWords{u"", u"一つ", u"二つ", u"三つ", u"四つ"};

std::u16string Digits(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

void Replace(std::u16string& text, std::u16string_view placeholder, std::u16string_view value) {
    for (std::size_t at = text.find(placeholder); at != std::u16string::npos;
         at = text.find(placeholder, at + value.size())) {
        text.replace(at, placeholder.size(), value);
    }
}

// A piece about one luck number, with its number, phrase, characters and meaning put in. A
// meaning already given for the same number (祖運 and 主運 both 29) is not said again: its clause
// is left out.
std::u16string NumberPiece(const std::u16string& piece, const LuckReading& luck,
                           const ReadingTexts& texts, std::set<int>& meaningsGiven) {
    std::u16string text = piece;
    Replace(text, u"{数}", Digits(luck.value));
    Replace(text, u"{句}", luck.phrase);
    Replace(text, u"{字}", luck.characters);
    if (luck.spiritNumber > 0 && meaningsGiven.insert(luck.spiritNumber).second) {
        Replace(text, u"{意味}", texts.Of(kGistKind, Digits(luck.spiritNumber)));
    } else {
        Replace(text, u"{意味}とされる", u"");
    }
    return text;
}

std::u16string RatedKey(const LuckReading& luck, Rating rating) {
    return luck.name + u"-" + std::u16string(ByEnum(kRatingKeys, rating));
}

Rating RatingOf(const LuckReading& luck) {
    return RatingOfMark(luck.mark);
}

// The rated numbers of one rating, in order: "主運19・総運27".
std::u16string RatedNumbers(const DetailedReading& reading, Rating rating) {
    std::u16string text;
    for (std::size_t index : kRatedInOrder) {
        const LuckReading& luck = reading.luck[index];
        if (RatingOf(luck) == rating) {
            text += (text.empty() ? u"" : u"・") + luck.name + Digits(luck.value);
        }
    }
    return text;
}

// Fills the placeholders the opening and the closing sentence share: the four rated numbers,
// those of them that are unfavourable or middling, how many are unfavourable, the given name.
std::u16string SharePiece(const DetailedReading& reading, std::u16string text, int unfavourable,
                          const LuckReading* strongest) {
    for (std::size_t index : kRatedInOrder) {
        const LuckReading& luck = reading.luck[index];
        Replace(text, u"{" + luck.name + u"}", Digits(luck.value));
    }
    Replace(text, u"{凶数}", RatedNumbers(reading, Rating::Unfavourable));
    Replace(text, u"{中数}", RatedNumbers(reading, Rating::Middling));
    Replace(text, u"{件数}", kCountWords[static_cast<std::size_t>(unfavourable)]);
    if (strongest != nullptr) {
        Replace(text, u"{強数}",
                strongest->name + Digits(strongest->value) + u"「" + strongest->phrase + u"」");
    }
    std::u16string givenName = reading.givenName;
    std::erase(givenName, kComplementCharacter);
    Replace(text, u"{名前}", givenName);
    return text;
}

// One sentence on the numbers that recur among the five, when some do: "主運と助運はどちらも16
// で、…". Nothing when all five differ.
std::u16string Repeats(const DetailedReading& reading, const ReadingTexts& texts) {
    std::u16string groups;
    for (std::size_t first = 0; first < reading.luck.size(); ++first) {
        const int value = reading.luck[first].value;
        const auto same = [&](const LuckReading& luck) { return luck.value == value; };
        if (std::any_of(reading.luck.begin(), reading.luck.begin() + first, same)) {
            continue;
        }
        std::u16string names = reading.luck[first].name;
        int count = 1;
        for (std::size_t other = first + 1; other < reading.luck.size(); ++other) {
            if (same(reading.luck[other])) {
                names += u"・" + reading.luck[other].name;
                ++count;
            }
        }
        if (count > 1) {
            groups += (groups.empty() ? u"" : u"、") + names +
                      (count == 2 ? u"はどちらも" : u"はどれも") + Digits(value);
        }
    }
    if (groups.empty()) {
        return {};
    }
    std::u16string text(texts.Of(kRepeatKind, kRepeatKey));
    Replace(text, u"{重なり}", groups);
    return text;
}

}  // namespace

std::u16string ConclusionOf(const DetailedReading& reading, const ReadingTexts& texts) {
    int unfavourable = 0;
    bool allFavourable = true;
    for (std::size_t index : kRatedInOrder) {
        unfavourable += RatingOf(reading.luck[index]) == Rating::Unfavourable ? 1 : 0;
        allFavourable = allFavourable && RatingOf(reading.luck[index]) == Rating::Favourable;
    }
    const std::size_t share = allFavourable       ? 0
                              : unfavourable == 0 ? 1
                              : unfavourable <= 2 ? 2
                              : unfavourable == 3 ? 3
                                                  : 4;
    const LuckReading& ancestor = reading.luck[kAncestor];
    std::set<int> meaningsGiven;
    std::u16string family =
        NumberPiece(texts.Of(kFamilyKind, ByEnum(kRatingKeys, RatingOf(ancestor))), ancestor, texts,
                    meaningsGiven);
    std::u16string surname = reading.surname;
    std::erase(surname, kComplementCharacter);
    Replace(family, u"{名字}", surname);

    // The strongest of the four, when one is not unfavourable; the weakest of the rest, when
    // it is not favourable.
    const LuckReading* strongest = nullptr;
    const LuckReading* weakest = nullptr;
    for (std::size_t index : kRatedByWeight) {
        const LuckReading& luck = reading.luck[index];
        if (RatingOf(luck) != Rating::Unfavourable &&
            (strongest == nullptr || RatingOf(luck) < RatingOf(*strongest))) {
            strongest = &luck;
        }
    }
    for (std::size_t index : kRatedByWeight) {
        const LuckReading& luck = reading.luck[index];
        if (&luck != strongest && (weakest == nullptr || RatingOf(luck) > RatingOf(*weakest))) {
            weakest = &luck;
        }
    }
    std::u16string text =
        SharePiece(reading, std::u16string(texts.Of(kOverallKind, kShareKeys[share])), unfavourable,
                   strongest) +
        Repeats(reading, texts) + family;
    if (strongest != nullptr) {
        text += NumberPiece(texts.Of(kStrongKind, RatedKey(*strongest, RatingOf(*strongest))),
                            *strongest, texts, meaningsGiven);
    }
    if (RatingOf(*weakest) != Rating::Favourable) {
        text += NumberPiece(texts.Of(kWeakKind, RatedKey(*weakest, RatingOf(*weakest))), *weakest,
                            texts, meaningsGiven);
    }

    std::u16string elements(
        texts.Of(kSummaryElementKind, ByEnum(kElementVerdictKeys, reading.elementVerdict)));
    Replace(elements, u"{並び}", reading.elementTriple);
    std::u16string yinYang(
        texts.Of(kSummaryYinYangKind, ByEnum(kYinYangVerdictKeys, reading.yinYangVerdict)));
    Replace(yinYang, u"{並び}", reading.yinYangPattern);
    return text + elements + yinYang +
           SharePiece(reading, std::u16string(texts.Of(kCloseKind, kShareKeys[share])),
                      unfavourable, strongest);
}

std::vector<std::pair<std::u16string, std::u16string>> ConclusionTextKeys() {
    std::vector<std::pair<std::u16string, std::u16string>> keys;
    for (std::u16string_view share : kShareKeys) {
        keys.emplace_back(kOverallKind, share);
        keys.emplace_back(kCloseKind, share);
    }
    keys.emplace_back(kRepeatKind, kRepeatKey);
    for (Rating rating : kRatings) {
        const std::u16string word(ByEnum(kRatingKeys, rating));
        keys.emplace_back(kFamilyKind, word);
        for (std::u16string_view luck : {u"主運", u"初運", u"助運", u"総運"}) {
            const std::u16string key = std::u16string(luck) + u"-" + word;
            if (rating != Rating::Unfavourable) {
                keys.emplace_back(kStrongKind, key);
            }
            if (rating != Rating::Favourable) {
                keys.emplace_back(kWeakKind, key);
            }
        }
    }
    for (std::u16string_view key : kElementVerdictKeys) {
        keys.emplace_back(kSummaryElementKind, key);
    }
    for (std::u16string_view key : kYinYangVerdictKeys) {
        keys.emplace_back(kSummaryYinYangKind, key);
    }
    for (int number = 1; number <= SpiritTable::kNumbers; ++number) {
        keys.emplace_back(kGistKind, Digits(number));
    }
    return keys;
}

}  // namespace namori
