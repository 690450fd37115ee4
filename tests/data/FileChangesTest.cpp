// Changes to the user's files (list entries added and deleted, lists emptied, kanji registered)
// as transactions on the file: what another editor or another Namori process left there is
// kept, and what cannot be read is refused by name.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>

#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/KanjiDictionaryFile.h"
#include "data/KanjiRegistration.h"
#include "data/NameListFile.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::FileBytes;
using testing::TempFolder;
using Entries = std::vector<std::u16string>;

KanjiRegistration Registration(std::u16string kanji, std::u16string_view strokes) {
    return {std::move(kanji), *ParseStrokeEntry(strokes)};
}

TEST(FileChanges, AppendsEndAnOpenLastLineFirst) {
    const struct {
        const char* file;
        std::string before;
        std::string after;
    } rows[] = {
        {"名字.txt", "\x8d\xb2\x93\xa1", "\x8d\xb2\x93\xa1\r\n\x97\xd1\r\n"},  // 佐藤 + 林
        {"名字.txt", "\x8d\xb2\x93\xa1\r\n\x1a", "\x8d\xb2\x93\xa1\r\n\x97\xd1\r\n"},  // Ctrl-Z
        {"名字.txt", "", "\x97\xd1\r\n"},
        {"漢字辞書.txt", "\"\x94\x92\",5", "\"\x94\x92\",5\r\n\"\x97\xd1\",8\r\n"},  // 白 + 林
        {"漢字辞書.txt", "\"\x94\x92\",5\r\n\x1a", "\"\x94\x92\",5\r\n\"\x97\xd1\",8\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
        TempFolder folder;
        const auto path = folder.WriteBytes(row.file, row.before);
        if (std::string_view(row.file) == "名字.txt") {
            EXPECT_TRUE(AddNameListEntry(folder.path(), row.file, u"林").changed);
        } else {
            const auto entries = AppendKanjiEntries(folder.path(), {Registration(u"林", u"8")});
            const auto reread = ReadKanjiDictionary(folder.path());
            ASSERT_EQ(entries.size(), 2u);
            ASSERT_EQ(reread.size(), 2u);
            EXPECT_EQ(reread[1].kanji, entries[1].kanji);
            EXPECT_EQ(reread[1].strokes, 8);
        }
        EXPECT_EQ(FileBytes(path), row.after) << row.file << " " << row.before.size();
    }
}

TEST(FileChanges, TypedCharactersAreKeptAsTheFileGivesThemBack) {
    TempFolder folder;
    folder.WriteBytes("漢字辞書.txt", "");
    EXPECT_EQ(AddNameListEntry(folder.path(), "名字.txt", u"〜−").entries, (Entries{u"～－"}));
    EXPECT_FALSE(AddNameListEntry(folder.path(), "名字.txt", u"～－").changed);
    EXPECT_EQ(ReadNameList(folder.path(), "名字.txt"), (Entries{u"～－"}));
    EXPECT_EQ(AppendKanjiEntries(folder.path(), {Registration(u"〜", u"2")}).back().kanji, u"～");
    EXPECT_EQ(ReadKanjiDictionary(folder.path()).back().kanji, u"～");
}

TEST(FileChanges, RewritesKeepQuotedEntriesLinksAndPermissions) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "shared");
    const auto target =
        folder.WriteBytes("shared/名字.txt", "\"\x8d\xb2,\x93\xa1\"\r\n\x97\xd1\r\n");
    chmod(target.c_str(), 0640);
    std::filesystem::create_directory(folder.path() / "home");
    const auto link = folder.path() / "home" / u8"名字.txt";
    std::filesystem::create_symlink("../shared/名字.txt", link);

    const NameListUpdate update = DeleteNameListEntry(folder.path() / "home", "名字.txt", u"林");
    EXPECT_EQ(update.entries, (Entries{u"佐,藤"}));
    EXPECT_EQ(ReadNameList(folder.path() / "home", "名字.txt"), update.entries);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(FileBytes(target), "\"\x8d\xb2,\x93\xa1\"\r\n");
    struct stat status {};
    stat(target.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "home"), {}), 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "shared"), {}), 1);
}

// Two processes change the same list and dictionary at once, hundreds of times. Each change is
// applied to the file as it is then, so the result is that of some serial order: every entry
// added and not deleted is there once, in each process's order, and the dictionary fills up to
// exactly 2000 entries and no further.
TEST(FileChanges, TwoProcessesAtOnceGiveTheResultOfASerialOrder) {
    TempFolder folder;
    folder.WriteCp932("名字.txt", "共通\n");
    std::string dictionary;
    for (int i = 0; i < 1990; ++i) {
        dictionary += "\"亜\"," + std::to_string(i % 30 + 1) + "\n";
    }
    folder.WriteCp932("漢字辞書.txt", dictionary);
    constexpr int kRounds = 200;
    const auto name = [](char16_t process, int round) {
        return std::u16string(1, process) + testing::U16(std::to_string(round));
    };

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
            int registered = 0;
            for (int round = 0; round < kRounds; ++round) {
                AddNameListEntry(folder.path(), "名字.txt", name(process, round));
                if (round % 2 == 1) {
                    DeleteNameListEntry(folder.path(), "名字.txt", name(process, round - 1));
                }
                if (round % 20 == 0) {
                    try {
                        AppendKanjiEntries(folder.path(), {Registration({process}, u"5")});
                        ++registered;
                    } catch (const KanjiDictionaryFull&) {
                    }
                }
            }
            _exit(registered);
        }
        children.push_back(child);
    }
    ASSERT_EQ(write(start[1], "gg", 2), 2);
    int registered = 0;
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 100);
        registered += WEXITSTATUS(status);
    }
    close(start[0]);
    close(start[1]);

    const Entries list = ReadNameList(folder.path(), "名字.txt");
    ASSERT_EQ(list.size(), 1u + kRounds);
    EXPECT_EQ(list.front(), u"共通");
    for (const char16_t process : {u'甲', u'乙'}) {
        Entries own;
        std::copy_if(list.begin(), list.end(), std::back_inserter(own),
                     [&](const std::u16string& entry) { return entry.front() == process; });
        Entries expected;
        for (int round = 1; round < kRounds; round += 2) {
            expected.push_back(name(process, round));
        }
        EXPECT_EQ(own, expected);
    }
    EXPECT_EQ(registered, 10);
    EXPECT_EQ(ReadKanjiDictionary(folder.path()).size(), 2000u);
}

// Files that are not plain readable files are refused with their name, never read into memory
// or waited on, and never taken for missing.
TEST(FileChanges, SpecialAndUnreadableFilesAreRefusedByName) {
    TempFolder folder;
    const auto path = folder.path() / u8"名字.txt";
    const std::vector<std::function<void()>> makers = {
        [&] { ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); },
        [&] { std::filesystem::create_symlink("/dev/zero", path); },
        [&] { std::filesystem::create_directory(path); },
        [&] {
            folder.WriteBytes("名字.txt", "");
            std::filesystem::resize_file(path, 65u << 20);  // sparse, past the size limit
        },
    };
    const std::vector<std::function<void()>> uses = {
        [&] { ReadNameList(folder.path(), "名字.txt"); },
        [&] { ReadDataFile(path, "名字.txt"); },
        [&] { AddNameListEntry(folder.path(), "名字.txt", u"林"); },
        [&] { EmptyNameList(folder.path(), "名字.txt"); },
    };
    for (std::size_t maker = 0; maker < makers.size(); ++maker) {
        makers[maker]();
        for (std::size_t use = 0; use < uses.size(); ++use) {
            try {
                uses[use]();
                ADD_FAILURE() << "maker " << maker << " use " << use << " was not refused";
            } catch (const DataFileError& error) {
                EXPECT_EQ(error.fileName(), "名字.txt");
                EXPECT_EQ(std::string(error.what()).find("見つかりません"), std::string::npos);
            }
        }
        std::filesystem::remove(path);
    }
}

}  // namespace
}  // namespace namori
