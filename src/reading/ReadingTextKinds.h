#pragma once

#include <array>
#include <string_view>

#include "rules/VerdictWords.h"

namespace namori {

// The kinds of explanation in "鑑定解説.txt", each record's first field.
constexpr std::u16string_view kLuckKind = u"luck";
constexpr std::u16string_view kElementKind = u"element";
constexpr std::u16string_view kElementVerdictKind = u"element-verdict";
constexpr std::u16string_view kYinYangVerdictKind = u"yinyang-verdict";
constexpr std::u16string_view kFaceSlotKind = u"face-slot";
constexpr std::u16string_view kFaceKind = u"face";
constexpr std::u16string_view kNoteKind = u"note";
constexpr std::u16string_view kRomanceKind = u"romance";
constexpr std::u16string_view kElementPairKind = u"element-pair";
constexpr std::u16string_view kPhraseKind = u"phrase";
// A number's meaning as a clause the 総合鑑定 puts inside its sentences.
constexpr std::u16string_view kGistKind = u"gist";
// The pieces of the 総合鑑定.
constexpr std::u16string_view kOverallKind = u"summary-overall";
constexpr std::u16string_view kFamilyKind = u"summary-family";
constexpr std::u16string_view kStrongKind = u"summary-strong";
constexpr std::u16string_view kWeakKind = u"summary-weak";
constexpr std::u16string_view kSummaryElementKind = u"summary-element";
constexpr std::u16string_view kSummaryYinYangKind = u"summary-yinyang";
constexpr std::u16string_view kCloseKind = u"summary-close";
constexpr std::u16string_view kRepeatKind = u"summary-repeat";

// The keys under which "鑑定解説.txt" explains each rating and verdict, by the enums' values (look
// up with ByEnum). They belong to the file: rewording what the windows show leaves them as they
// are.
inline constexpr std::array<std::u16string_view, 3> kRatingKeys{u"良", u"中", u"悪"};
inline constexpr std::array<std::u16string_view, 4> kElementVerdictKeys{u"災害運", u"病気運",
                                                                        u"事故運", u"------"};
inline constexpr std::array<std::u16string_view, 7> kYinYangVerdictKeys{
    u"幸運陰陽", u"単一陰陽", u"分離陰陽", u"挟み陰陽", u"浮沈陰陽", u"災難陰陽", u"－－－－"};

// How one element stands to the next, by the keys of the element-pair texts.
inline constexpr std::array<std::u16string_view, 5> kElementRelationKeys{
    u"生む", u"生まれる", u"抑える", u"抑えられる", u"同じ"};

}  // namespace namori
