// The shortlist file: two processes adding at once lose nothing, and a file that is not a
// shortlist is refused by line and left as it was.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "data/DataFileError.h"
#include "data/ShortlistFile.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::TempFolder;
using testing::U16;

TEST(Shortlist, TwoProcessesAddingAtOnceLoseNothing) {
    TempFolder folder;
    folder.WriteCp932("候補.txt", "佐藤,陽翔,はると\n");
    constexpr int kRounds = 150;
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    std::vector<pid_t> children;
    for (const char16_t process : {u'甲', u'乙'}) {
        const pid_t child = fork();
        if (child == 0) {
            char go = 0;
            if (read(start[0], &go, 1) != 1) {
                _exit(100);
            }
            for (int round = 0; round < kRounds; ++round) {
                AddToShortlist(folder.path(),
                               {std::u16string(1, process), U16(std::to_string(round)),
                                round % 2 == 0 ? u"" : u"はると", round % 3 == 0});
            }
            _exit(0);
        }
        children.push_back(child);
    }
    ASSERT_EQ(write(start[1], "gg", 2), 2);
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    close(start[0]);
    close(start[1]);

    const std::vector<ShortlistEntry> list = ReadShortlist(folder.path());
    ASSERT_EQ(list.size(), 1u + 2 * kRounds);
    EXPECT_EQ(list.front().givenName, u"陽翔");
    for (const char16_t process : {u'甲', u'乙'}) {
        int round = 0;
        for (const ShortlistEntry& entry : list) {
            if (entry.surname == std::u16string(1, process)) {
                EXPECT_EQ(entry.givenName, U16(std::to_string(round)));
                EXPECT_EQ(entry.reading, round % 2 == 0 ? u"" : u"はると");
                EXPECT_EQ(entry.complement, round % 3 == 0);
                ++round;
            }
        }
        EXPECT_EQ(round, kRounds);
    }
}

TEST(Shortlist, ChangesKeepWhatTheFileHeldAndRefuseADamagedOne) {
    TempFolder folder;
    // A reading learnt later fills the entry that lacked one; the same name is not added twice.
    AddToShortlist(folder.path(), {u"佐藤", u"湊", u"", false});
    AddToShortlist(folder.path(), {u"佐藤", u"湊", u"みなと", false});
    AddToShortlist(folder.path(), {u"佐藤", u"湊", u"そう", false});
    AddToShortlist(folder.path(), {u"林", u"杏", u"", true});
    EXPECT_EQ(
        testing::FileBytes(folder.path() / "候補.txt"),
        testing::FileBytes(folder.WriteCp932("expected.txt", "佐藤,湊,みなと\n林,杏,,補数\n")));
    EXPECT_EQ(RemoveFromShortlist(folder.path(), {u"林", u"杏", u"", true}).entries.size(), 1u);

    const char* const damaged[] = {
        "佐藤\n",                // no given name
        "佐藤,陽翔,ハルト\n",    // a reading not in hiragana
        "佐藤,陽翔,はると,x\n",  // an unknown fourth field
        "佐藤,陽翔,はると,補数,1\n",
        "佐藤佐藤,陽翔,はると\n",  // a surname no list could hold
    };
    for (const char* text : damaged) {
        const auto path = folder.WriteCp932("候補.txt", std::string("林,杏,あん\n") + text);
        const std::string before = testing::FileBytes(path);
        EXPECT_THROW(ReadShortlist(folder.path()), DataFileError) << text;
        EXPECT_THROW(AddToShortlist(folder.path(), {u"佐藤", u"湊", u"", false}), DataFileError)
            << text;
        EXPECT_EQ(testing::FileBytes(path), before) << text;
    }
    const auto path = folder.WriteBytes("候補.txt", "\x82\xA0,\x82\r\n");  // not code page 932
    EXPECT_THROW(RemoveFromShortlist(folder.path(), {u"佐藤", u"湊", u"", false}), DataFileError);
    EXPECT_EQ(testing::FileBytes(path), "\x82\xA0,\x82\r\n");
}

}  // namespace
}  // namespace namori
