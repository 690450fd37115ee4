#include "data/NameListFile.h"

#include <gtest/gtest.h>

#include "data/DataFileError.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::FileBytes;
using testing::TempFolder;
using Entries = std::vector<std::u16string>;

TEST(ReadNameList, OneEntryPerLineInFileOrder) {
    TempFolder folder;
    folder.WriteCp932("名字.txt", "山田\n田中\n山田\n");
    EXPECT_EQ(ReadNameList(folder.path(), "名字.txt"), (Entries{u"山田", u"田中", u"山田"}));
}

TEST(ReadNameList, CommasSplitAndQuotesAreDropped) {
    TempFolder folder;
    folder.WriteCp932("名前.txt", "山田,太郎\n\"花子\"\n\n  一郎\n");
    EXPECT_EQ(ReadNameList(folder.path(), "名前.txt"),
              (Entries{u"山田", u"太郎", u"花子", u"一郎"}));
}

TEST(ReadNameList, MissingOrEmptyFilesAreEmptyListsButBadBytesAreReported) {
    TempFolder folder;
    EXPECT_TRUE(ReadNameList(folder.path(), "名字.txt").empty());
    folder.WriteCp932("名字.TXT", "");
    EXPECT_TRUE(ReadNameList(folder.path(), "名字.txt").empty());
    folder.WriteBytes("名字.TXT", "\x8e\x52\x93\x63\r\n\xff\r\n");
    EXPECT_THROW(ReadNameList(folder.path(), "名字.txt"), DataFileError);
}

TEST(NameListFile, WritesCodePage932LinesWithCrLf) {
    TempFolder folder;
    AddNameListEntry(folder.path(), "名字.TXT", u"山田");
    AddNameListEntry(folder.path(), "名字.TXT", u"林");
    EXPECT_EQ(FileBytes(folder.path() / u8"名字.TXT"), "\x8e\x52\x93\x63\r\n\x97\xd1\r\n");
    // The rewrite finds the same file under the other case of its extension.
    DeleteNameListEntry(folder.path(), "名字.txt", u"山田");
    EXPECT_EQ(FileBytes(folder.path() / u8"名字.TXT"), "\x97\xd1\r\n");
    EmptyNameList(folder.path(), "名字.txt");
    EXPECT_EQ(FileBytes(folder.path() / u8"名字.TXT"), "");
    EXPECT_EQ(ReadNameList(folder.path(), "名字.txt").size(), 0u);
}

// Entries a list file may hold that read back only quoted (a blank at either end, nothing, a
// comma) or only unquoted (a double quote inside) survive a delete's rewrite and an add's append.
TEST(NameListFile, EntriesThatNeedQuotingSurviveDeleteAndAdd) {
    const Entries kinds{u" 林", u"林 ", u"", u"林,森", u"林\"森"};
    TempFolder folder;
    folder.WriteCp932("名字.txt", "\" 林\"\n\"林 \"\n\"\"\n\"林,森\"\n林\"森\n山田\n");
    DeleteNameListEntry(folder.path(), "名字.txt", u"山田");
    EXPECT_EQ(ReadNameList(folder.path(), "名字.txt"), kinds);
    TempFolder added;
    for (const std::u16string& entry : kinds) {
        AddNameListEntry(added.path(), "名字.txt", entry);
    }
    EXPECT_EQ(ReadNameList(added.path(), "名字.txt"), kinds);
}

TEST(NameListFile, RefusesEntriesThatWouldNotReadBackAsTyped) {
    for (std::u16string_view bad :
         {u"山,田", u"\"林", u" 林", u"林 ", u"林\t", u"林\n", u"長谷川家", u"丂"}) {
        EXPECT_TRUE(ListEntryProblem(bad).has_value());
    }
    for (std::u16string_view good : {u"林", u"佐々木", u"さくら", u"ＡＢ", u"林　"}) {
        EXPECT_FALSE(ListEntryProblem(good).has_value());
    }
}

}  // namespace
}  // namespace namori
