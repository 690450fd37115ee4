// Kills a process that keeps adding to and rewriting a name list and appending to the dictionary
// at random moments, many times over, and checks after each kill that both files still load and
// hold a state that was written whole: the old list or the new one, and whole dictionary records
// only.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "analysis/ReferenceTables.h"
#include "data/Cp932.h"
#include "data/KanjiDictionaryFile.h"
#include "data/KanjiRegistration.h"
#include "data/NameListFile.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::TempFolder;

std::vector<std::u16string> LongList(char16_t first) {
    std::vector<std::u16string> entries;
    for (int i = 0; i < 400; ++i) {
        entries.push_back(std::u16string(1, static_cast<char16_t>(first + i % 40)) + u"田");
    }
    return entries;
}

[[noreturn]] void KeepWriting(const std::filesystem::path& folder) {
    while (true) {
        AddNameListEntry(folder, "名字.txt", u"林");
        DeleteNameListEntry(folder, "名字.txt", u"林");
        AppendKanjiEntries(folder,
                           {{u"漢", *ParseStrokeEntry(u"13")}, {u"字", *ParseStrokeEntry(u"6")}});
    }
}

TEST(CrashSafety, FilesSurviveAKillAtAnyMoment) {
    TempFolder folder;
    std::string lines;
    for (const std::u16string& entry : LongList(u'ア')) {
        lines += Utf16ToUtf8(entry) + "\n";
    }
    folder.WriteCp932("名字.txt", lines);
    std::vector<std::u16string> longer = LongList(u'ア');
    longer.push_back(u"林");
    folder.WriteCp932("漢字辞書.txt", "");
    std::mt19937 random(7);
    int killedWhileWriting = 0;
    for (int attempt = 0; attempt < 150; ++attempt) {
        const pid_t writer = fork();
        if (writer == 0) {
            KeepWriting(folder.path());
        }
        usleep(static_cast<useconds_t>(200 + random() % 3000));
        kill(writer, SIGKILL);
        int status = 0;
        waitpid(writer, &status, 0);
        killedWhileWriting += WIFSIGNALED(status) ? 1 : 0;

        const auto list = ReadNameList(folder.path(), "名字.txt");
        ASSERT_TRUE(list == LongList(u'ア') || list == longer) << "after kill " << attempt;
        std::vector<DictionaryEntry> entries;
        ASSERT_NO_THROW(entries = ReadKanjiDictionary(folder.path())) << "after kill " << attempt;
        ASSERT_EQ(entries.size() % 2, 0u) << "a registration was cut in half";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            ASSERT_EQ(entries[i].kanji, i % 2 == 0 ? u"漢" : u"字");
        }
        // Keep the dictionary below its limit for the next round.
        if (entries.size() > 1500) {
            folder.WriteCp932("漢字辞書.txt", "");
        }
        // Left-over temporary files of interrupted rewrites do not count as the list.
        for (const auto& file : std::filesystem::directory_iterator(folder.path())) {
            if (file.path().filename().string().find(".txt.") != std::string::npos) {
                std::filesystem::remove(file.path());
            }
        }
    }
    EXPECT_EQ(killedWhileWriting, 150);
}

}  // namespace
}  // namespace namori
