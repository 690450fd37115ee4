#pragma once

#include <string_view>

namespace namori {

// The kinds of explanation in "鑑定解説.txt", each record's first field.
constexpr std::u16string_view kLuckKind = u"luck";
constexpr std::u16string_view kElementKind = u"element";
constexpr std::u16string_view kElementVerdictKind = u"element-verdict";
constexpr std::u16string_view kYinYangVerdictKind = u"yinyang-verdict";
constexpr std::u16string_view kFaceSlotKind = u"face-slot";
constexpr std::u16string_view kFaceKind = u"face";
constexpr std::u16string_view kNoteKind = u"note";
// The pieces of the 総合鑑定.
constexpr std::u16string_view kOverallKind = u"summary-overall";
constexpr std::u16string_view kFamilyKind = u"summary-family";
constexpr std::u16string_view kStrongKind = u"summary-strong";
constexpr std::u16string_view kWeakKind = u"summary-weak";
constexpr std::u16string_view kSummaryElementKind = u"summary-element";
constexpr std::u16string_view kSummaryYinYangKind = u"summary-yinyang";
constexpr std::u16string_view kCloseKind = u"summary-close";

}  // namespace namori
