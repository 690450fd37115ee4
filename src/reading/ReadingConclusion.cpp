#include "reading/ReadingConclusion.h"

#include <array>
#include <string_view>

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
constexpr std::array<Rating, 3> kRatings{Rating::Favourable, Rating::Middling,
                                         Rating::Unfavourable};

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

// A piece about one luck number, with its number and phrase put in.
std::u16string NumberPiece(const std::u16string& piece, const LuckReading& luck) {
    std::u16string text = piece;
    Replace(text, u"{数}", Digits(luck.value));
    Replace(text, u"{句}", luck.phrase);
    return text;
}

std::u16string RatedKey(const LuckReading& luck, Rating rating) {
    return luck.name + u"-" + std::u16string(ByEnum(kRatingKeys, rating));
}

}  // namespace

std::u16string ConclusionOf(const DetailedReading& reading, const ReadingTexts& texts) {
    std::u16string overall(texts.Of(kOverallKind, ByEnum(kRatingKeys, reading.faces[0].rating)));
    for (std::size_t index : kRatedByWeight) {
        Replace(overall, u"{" + reading.luck[index].name + u"}", Digits(reading.luck[index].value));
    }
    const LuckReading& ancestor = reading.luck[kAncestor];
    std::u16string text =
        overall +
        NumberPiece(texts.Of(kFamilyKind, ByEnum(kRatingKeys, RatingOfMark(ancestor.mark))),
                    ancestor);

    const LuckReading* strongest = nullptr;
    const LuckReading* weakest = nullptr;
    for (std::size_t index : kRatedByWeight) {
        const LuckReading& luck = reading.luck[index];
        const Rating rating = RatingOfMark(luck.mark);
        if (strongest == nullptr || rating < RatingOfMark(strongest->mark)) {
            strongest = &luck;
        }
        if (weakest == nullptr || rating > RatingOfMark(weakest->mark)) {
            weakest = &luck;
        }
    }
    const Rating best = RatingOfMark(strongest->mark);
    if (best != Rating::Unfavourable) {
        text += NumberPiece(texts.Of(kStrongKind, RatedKey(*strongest, best)), *strongest);
    } else {
        strongest = nullptr;  // all four are unfavourable: the weakest stands for them
    }
    if (weakest == strongest) {
        // All four rate alike: the next in weight is the one to mind, unless they are all good.
        weakest = &reading.luck[kRatedByWeight[1]];
    }
    const Rating worst = RatingOfMark(weakest->mark);
    if (worst != Rating::Favourable) {
        text += NumberPiece(texts.Of(kWeakKind, RatedKey(*weakest, worst)), *weakest);
    }

    std::u16string elements(
        texts.Of(kSummaryElementKind, ByEnum(kElementVerdictKeys, reading.elementVerdict)));
    Replace(elements, u"{並び}", reading.elementTriple);
    std::u16string yinYang(
        texts.Of(kSummaryYinYangKind, ByEnum(kYinYangVerdictKeys, reading.yinYangVerdict)));
    Replace(yinYang, u"{並び}", reading.yinYangPattern);
    int favourable = 0;
    for (const FaceReading& face : reading.faces) {
        favourable += face.rating == Rating::Favourable ? 1 : 0;
    }
    return text + elements + yinYang + texts.Of(kCloseKind, Digits(favourable));
}

std::vector<std::pair<std::u16string, std::u16string>> ConclusionTextKeys() {
    std::vector<std::pair<std::u16string, std::u16string>> keys;
    for (Rating rating : kRatings) {
        const std::u16string word(ByEnum(kRatingKeys, rating));
        keys.emplace_back(kOverallKind, word);
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
    for (int favourable = 0; favourable <= 3; ++favourable) {
        keys.emplace_back(kCloseKind, Digits(favourable));
    }
    return keys;
}

}  // namespace namori
