#include "data/KanjiRegistration.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::FileBytes;
using testing::TempFolder;

TEST(KanjiRegistration, StrokeEntriesAreWrittenAsTypedAndRoundedHalfToEven) {
    const struct {
        std::u16string_view typed;
        const char* written;
        int rounded;
    } rows[] = {{u"13", "13", 13},     {u" 13 ", "13", 13},  {u"12.5", "12.5", 12},
                {u"13.5", "13.5", 14}, {u"013", "13", 13},   {u"12.50", "12.5", 12},
                {u"１３", "13", 13},   {u"1", "1", 1},       {u"99", "99", 99},
                {u"7.", "7", 7},       {u"12.6", "12.6", 13}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
        const auto entry = ParseStrokeEntry(row.typed);
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->written, row.written);
        EXPECT_EQ(entry->rounded, row.rounded);
    }
    for (std::u16string_view bad :
         {u"", u"0", u"0.5", u"99.5", u"100", u"-3", u"abc", u"1e2", u"1.2.3", u"十三"}) {
        EXPECT_FALSE(ParseStrokeEntry(bad).has_value());
    }
}

TEST(KanjiRegistration, AppendsTheDialogLineForm) {
    TempFolder folder;
    folder.WriteBytes("漢字辞書.txt", "\"\x94\x92\",5\r\n");
    AppendKanjiEntries(folder.path(),
                       {{u"漢", *ParseStrokeEntry(u"13")}, {u"杏", *ParseStrokeEntry(u"7.5")}});
    EXPECT_EQ(FileBytes(folder.path() / u8"漢字辞書.txt"),
              "\"\x94\x92\",5\r\n\"\x8a\xbf\",13\r\n\"\x88\xc7\",7.5\r\n");
    EXPECT_FALSE(KanjiEntryProblem(u"漢").has_value());
    for (std::u16string_view bad : {u"", u"漢字", u"\"", u"丂", u"𠮷", u" ", u"　"}) {
        EXPECT_TRUE(KanjiEntryProblem(bad).has_value());
    }
}

}  // namespace
}  // namespace namori
