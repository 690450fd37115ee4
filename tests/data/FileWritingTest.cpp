#include "data/FileWriting.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <sstream>

#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/KanjiRegistration.h"
#include "data/NameListFile.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::FileBytes;
using testing::FileSizeLimit;
using testing::TempFolder;

TEST(FileWriting, RewriteReplacesTheWholeFileAndKeepsItsPermissions) {
    TempFolder folder;
    const auto path = folder.WriteBytes("名字.txt", "old contents\r\n");
    chmod(path.c_str(), 0600);
    RewriteFileAtomically(path, "new\r\n", "名字.txt");
    EXPECT_EQ(FileBytes(path), "new\r\n");
    struct stat status {};
    stat(path.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "no temporary file is left behind";
}

TEST(FileWriting, FailedWritesLeaveFilesByteIdenticalAndSaySo) {
    TempFolder folder;
    const std::string original(3000, 'x');
    const auto path = folder.WriteBytes("名前.txt", original);
    {
        FileSizeLimit limit(4096);
        try {
            AppendToFile(path, std::string(5000, 'y'), "名前.txt");
            FAIL() << "the append got through";
        } catch (const FileWriteError& error) {
            EXPECT_NE(std::string(error.what()).find("「名前.txt」に書き込めませんでした"),
                      std::string::npos);
            EXPECT_NE(std::string(error.what()).find("ディスクの空き"), std::string::npos);
        }
        EXPECT_THROW(RewriteFileAtomically(path, std::string(5000, 'z'), "名前.txt"),
                     FileWriteError);
    }
    EXPECT_EQ(FileBytes(path), original);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// Each system call of a write failing in turn: the error keeps the system's code, the file
// keeps its bytes and no temporary file is left.
TEST(FileWriting, EverySystemCallThatFailsLeavesTheFileAsItWas) {
    const auto failingWrite = [] {
        SystemCalls calls;
        calls.write = [](int, const void*, size_t) -> ssize_t {
            errno = ENOSPC;
            return -1;
        };
        return calls;
    };
    const auto failingSync = [] {
        SystemCalls calls;
        calls.fsync = [](int) {
            errno = EIO;
            return -1;
        };
        return calls;
    };
    const auto failingClose = [] {
        SystemCalls calls;
        calls.close = [](int descriptor) {
            ::close(descriptor);
            errno = EDQUOT;
            return -1;
        };
        return calls;
    };
    const auto failingRename = [] {
        SystemCalls calls;
        calls.rename = [](const char*, const char*) {
            errno = EXDEV;
            return -1;
        };
        return calls;
    };
    const struct {
        SystemCalls calls;
        int error;
        bool appendFails;
    } rows[] = {{failingWrite(), ENOSPC, true},
                {failingSync(), EIO, true},
                {failingClose(), EDQUOT, true},
                {failingRename(), EXDEV, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
        TempFolder folder, user;
        const auto path = folder.WriteBytes("名字.txt", "old\r\n");
        try {
            RewriteFileAtomically(path, "new\r\n", "名字.txt", row.calls);
            ADD_FAILURE() << "the rewrite got through, error " << row.error;
        } catch (const FileWriteError& error) {
            EXPECT_EQ(error.code().value(), row.error);
            EXPECT_NE(std::string(error.what()).find("「名字.txt」に書き込めませんでした"),
                      std::string::npos);
        }
        if (row.appendFails) {
            EXPECT_THROW(AppendToFile(path, "new\r\n", "名字.txt", row.calls), FileWriteError);
            // Filling a new data folder copies through the same calls and leaves no file.
            EXPECT_THROW(FillDataFolder(user.path() / "namori", folder.path(), row.calls),
                         DataFolderError);
            EXPECT_TRUE(std::filesystem::is_empty(user.path() / "namori"));
        }
        EXPECT_EQ(FileBytes(path), "old\r\n") << row.error;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
    }
}

// The program's own write paths, with the files filled up to the size limit: each failing write
// leaves its file byte-identical and says so; emptying a list needs no room and still works.
TEST(FileWriting, EveryWritePathSurvivesTheFileSizeLimit) {
    TempFolder folder;
    std::string listBytes;
    std::vector<std::u16string> list;
    for (int i = 0; i < 300; ++i) {
        list.push_back(u"山田");
        listBytes += "\x8e\x52\x93\x63\r\n";
    }
    const auto names = folder.WriteBytes("名字.txt", listBytes);
    const std::string dictionaryBytes(listBytes.size(), '\n');
    const auto dictionary = folder.WriteBytes("漢字辞書.txt", dictionaryBytes);
    int reported = 0;
    {
        FileSizeLimit limit(listBytes.size());
        for (const auto& write : std::vector<std::function<void()>>{
                 [&] { AddNameListEntry(folder.path(), "名字.txt", u"佐藤"); },
                 [&] { RewriteFileAtomically(names, listBytes + "x", "名字.txt"); },
                 [&] {
                     AppendKanjiEntries(folder.path(), {{u"杏", *ParseStrokeEntry(u"7")}});
                 }}) {
            try {
                write();
            } catch (const FileWriteError& error) {
                reported +=
                    std::string(error.what()).find("書き込めませんでした") != std::string::npos;
            }
            EXPECT_EQ(FileBytes(names), listBytes);
            EXPECT_EQ(FileBytes(dictionary), dictionaryBytes);
        }
        EXPECT_NO_THROW(EmptyNameList(folder.path(), "名字.txt"));
    }
    EXPECT_EQ(reported, 3) << "every write that did not fit must fail with a message";
    EXPECT_EQ(FileBytes(names), "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2)
        << "no temporary file is left behind";
}

// Runs check in a child process as a user who may not write into a folder that is not its own
// (root may write anywhere, so a root test drops to "nobody"); true when check returned true.
bool AsUnprivilegedUser(const std::function<bool()>& check) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(2);
        }
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A read-only folder, and read-only files in a folder anyone may write to.
class ReadOnlyPlaces : public ::testing::TestWithParam<mode_t> {};

INSTANTIATE_TEST_SUITE_P(FileWriting, ReadOnlyPlaces, ::testing::Values(0555, 0777));

TEST_P(ReadOnlyPlaces, AreReportedAndNothingChanges) {
    TempFolder folder;
    const auto list = folder.WriteBytes("名字.txt", "a\r\n");
    const auto dictionary = folder.WriteBytes("漢字辞書.txt", "\"a\",1\r\n");
    chmod(list.c_str(), 0444);
    chmod(dictionary.c_str(), 0444);
    chmod(folder.path().c_str(), GetParam());
    const bool refused = AsUnprivilegedUser([&] {
        int failures = 0;
        for (const auto& write : std::vector<std::function<void()>>{
                 [&] { DeleteNameListEntry(folder.path(), "名字.txt", u"a"); },
                 [&] { EmptyNameList(folder.path(), "名字.txt"); },
                 [&] { AddNameListEntry(folder.path(), "名字.txt", u"b"); },
                 [&] {
                     AppendKanjiEntries(folder.path(), {{u"b", *ParseStrokeEntry(u"2")}});
                 }}) {
            try {
                write();
            } catch (const FileWriteError& error) {
                failures += std::string(error.what()).find("権限") != std::string::npos ? 1 : 0;
            }
        }
        return failures == 4;
    });
    chmod(folder.path().c_str(), 0755);
    EXPECT_TRUE(refused) << "every write into the read-only folder must fail with a message";
    EXPECT_EQ(FileBytes(list), "a\r\n");
    EXPECT_EQ(FileBytes(dictionary), "\"a\",1\r\n");
}

TEST(FileWriting, UnreadableFilesAndFoldersAreNotTakenForMissing) {
    TempFolder folder;
    folder.WriteBytes("霊数.txt", "");
    const auto locked = folder.path() / "locked";
    std::filesystem::create_directory(locked);
    folder.WriteBytes("locked/霊数.txt", "");
    chmod((folder.path() / u8"霊数.txt").c_str(), 0);
    chmod(locked.c_str(), 0);
    const bool said = AsUnprivilegedUser([&] {
        int unreadable = 0;
        for (const auto& where : {folder.path(), locked}) {
            try {
                ReadDataFile(ResolveDataFile(where, "霊数.txt"), "霊数.txt");
            } catch (const DataFileError& error) {
                unreadable += std::string(error.what()).find("読めません（権限がありません）") !=
                              std::string::npos;
            }
        }
        return unreadable == 2;
    });
    chmod(locked.c_str(), 0755);
    EXPECT_TRUE(said) << "a file that is there but cannot be read must say so";
}

}  // namespace
}  // namespace namori
