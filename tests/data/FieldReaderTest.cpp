#include "data/FieldReader.h"

#include <gtest/gtest.h>

#include <vector>

#include "data/Cp932.h"
#include "data/DataFileError.h"

namespace namori {
namespace {

std::vector<std::u16string> AllFields(std::u16string_view text) {
    FieldReader reader(text, "test.txt");
    std::vector<std::u16string> fields;
    while (!reader.AtEnd()) {
        fields.push_back(reader.ReadText());
    }
    return fields;
}

TEST(FieldReader, CommaAndLineEndSeparateFieldsAlike) {
    using Fields = std::vector<std::u16string>;
    EXPECT_EQ(AllFields(u"a,b\r\nc"), (Fields{u"a", u"b", u"c"}));
    EXPECT_EQ(AllFields(u"a\r\nb\r\nc\r\n"), (Fields{u"a", u"b", u"c"}));
    EXPECT_EQ(AllFields(u"a\nb\rc"), (Fields{u"a", u"b", u"c"}));
}

TEST(FieldReader, QuotesEncloseCommasAndAreNotPartOfTheValue) {
    using Fields = std::vector<std::u16string>;
    EXPECT_EQ(AllFields(u"\"才知,明朗\",x"), (Fields{u"才知,明朗", u"x"}));
    EXPECT_EQ(AllFields(u"才知,明朗,x"), (Fields{u"才知", u"明朗", u"x"}));
    // Text after the closing quote up to the separator is dropped.
    EXPECT_EQ(AllFields(u"\"ab\"cd,e"), (Fields{u"ab", u"e"}));
    EXPECT_EQ(AllFields(u"\"\",x"), (Fields{u"", u"x"}));
}

TEST(FieldReader, SkipsLeadingBlanksAndTrimsUnquotedTrailingBlanks) {
    using Fields = std::vector<std::u16string>;
    EXPECT_EQ(AllFields(u"  漢 , 13\r\n"), (Fields{u"漢", u"13"}));
    EXPECT_EQ(AllFields(u" \" 漢 \" ,1"), (Fields{u" 漢 ", u"1"}));
}

TEST(FieldReader, TrailingBlankLinesEndTheFile) {
    FieldReader reader(u"a\r\n\r\n  \r\n\x1A", "test.txt");
    EXPECT_FALSE(reader.AtEnd());
    EXPECT_EQ(reader.ReadText(), u"a");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_THROW(reader.ReadText(), DataFileError);
}

TEST(FieldReader, ErrorsNameFileAndLine) {
    FieldReader reader(u"a\r\nb\r\n\"open", "霊数.txt");
    reader.ReadText();
    reader.ReadText();
    try {
        reader.ReadText();
        FAIL() << "no error";
    } catch (const DataFileError& error) {
        EXPECT_EQ(error.fileName(), "霊数.txt");
        EXPECT_EQ(error.line(), 3);
        EXPECT_NE(std::string(error.what()).find("「霊数.txt」の3行目"), std::string::npos);
    }
}

TEST(FieldReader, CountsLinesAcrossQuotedLineBreaks) {
    FieldReader reader(u"\"a\r\nb\",c\r\nd", "test.txt");
    EXPECT_EQ(reader.ReadText(), u"a\r\nb");
    EXPECT_EQ(reader.ReadText(), u"c");
    EXPECT_EQ(reader.line(), 3);
}

TEST(ParseCount, AcceptsWholeNumbersAndRoundsHalvesToEven) {
    const struct {
        std::u16string_view text;
        int expected;
    } rows[] = {{u"13", 13},    {u"0", 0},      {u"007", 7}, {u"12.5", 12}, {u"13.5", 14},
                {u"12.51", 13}, {u"12.49", 12}, {u"9.", 9},  {u".6", 1},    {u"32767", 32767}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
        std::int16_t count = -1;
        EXPECT_TRUE(ParseCount(row.text, count)) << Utf16ToUtf8(row.text);
        EXPECT_EQ(count, row.expected);
    }
}

TEST(ParseCount, RefusesEverythingElse) {
    for (std::u16string_view text : {u"", u"-1", u"+3", u"1e2", u"abc", u"12a", u"32768",
                                     u"99999999", u".", u"1.2.3", u"１２"}) {
        std::int16_t count = 0;
        EXPECT_FALSE(ParseCount(text, count));
    }
}

}  // namespace
}  // namespace namori
