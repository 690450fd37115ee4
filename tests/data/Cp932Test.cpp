#include "data/Cp932.h"

#include <gtest/gtest.h>

namespace namori {
namespace {

TEST(Cp932, DecodesAndEncodesJapaneseText) {
    const std::string bytes = "\x94\x92\x92\xb9,5\r\n";  // 白鳥,5 CR LF
    EXPECT_EQ(DecodeCp932(bytes), u"白鳥,5\r\n");
    EXPECT_EQ(EncodeCp932(u"白鳥,5\r\n"), bytes);
    // Characters of the Windows extensions: circled digits and IBM kanji such as 髙 and 﨑.
    for (std::u16string_view text : {u"①", u"髙", u"﨑", u"～", u"ｱ"}) {
        const auto encoded = EncodeCp932(text);
        ASSERT_TRUE(encoded.has_value());
        EXPECT_EQ(DecodeCp932(*encoded), text);
    }
}

TEST(Cp932, ReportsTheOffsetOfInvalidBytes) {
    try {
        DecodeCp932("ab\x81");  // a lead byte with nothing after it
        FAIL() << "no error";
    } catch (const Cp932DecodeError& error) {
        EXPECT_EQ(error.byteOffset(), 2u);
    }
    EXPECT_THROW(DecodeCp932("\x94\x92\xff"), Cp932DecodeError);
}

TEST(Cp932, TellsWhichCharactersItCanHold) {
    EXPECT_TRUE(IsCp932Character(u'杏'));
    EXPECT_TRUE(IsCp932Character(u'１'));
    EXPECT_TRUE(IsCp932Character(u'ヶ'));
    EXPECT_FALSE(IsCp932Character(u'\xD842'));  // half of a surrogate pair
    EXPECT_FALSE(IsCp932Character(u'丂'));      // U+4E02, not in code page 932
    EXPECT_FALSE(EncodeCp932(u"丂").has_value());
}

TEST(Cp932, FoldedTextReadsBackAsItIs) {
    // Every character the converter accepts, once folded, is written and read back unchanged.
    int folded = 0;
    for (char32_t unit = 1; unit < 0x10000; ++unit) {
        const char16_t character = static_cast<char16_t>(unit);
        if (!IsCp932Character(character)) {
            continue;
        }
        const std::u16string text = FoldToReadBack({&character, 1});
        folded += text[0] != character;
        const auto encoded = EncodeCp932(text);
        ASSERT_TRUE(encoded.has_value()) << std::hex << static_cast<unsigned>(unit);
        ASSERT_EQ(DecodeCp932(*encoded), text) << std::hex << static_cast<unsigned>(unit);
    }
    EXPECT_GT(folded, 0);
    // The ones users meet: each becomes the character the file gives back.
    for (std::u16string_view typed : {u"〜", u"−", u"¥", u"—", u"‖", u"¢", u"£", u"¬", u"‾"}) {
        const auto encoded = EncodeCp932(typed);
        ASSERT_TRUE(encoded.has_value());
        EXPECT_NE(DecodeCp932(*encoded), typed);
        EXPECT_EQ(FoldToReadBack(typed), DecodeCp932(*encoded));
    }
    EXPECT_EQ(FoldToReadBack(u"白〜鳥"), u"白～鳥");
}

TEST(Utf8, ConvertsBothWaysIncludingSurrogatePairs) {
    const std::string utf8 = "白𠮷a";
    const std::u16string utf16 = Utf8ToUtf16(utf8);
    EXPECT_EQ(utf16, u"白𠮷a");
    EXPECT_EQ(utf16.size(), 4u);
    EXPECT_EQ(Utf16ToUtf8(utf16), utf8);
}

TEST(Utf8, ReplacesInvalidInput) {
    EXPECT_EQ(Utf8ToUtf16("a\xff"), u"a\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xe6\x9d"), u"\uFFFD\uFFFD");  // cut-off sequence
    EXPECT_EQ(Utf8ToUtf16("\xc0\xaf"), u"\uFFFD\uFFFD");  // overlong slash
    EXPECT_EQ(Utf16ToUtf8(u"\xD842"), "\xef\xbf\xbd");    // lone surrogate
}

}  // namespace
}  // namespace namori
