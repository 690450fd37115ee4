#include "data/DataFolder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>

#include "data/DataFiles.h"
#include "data/LockedFile.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::FileBytes;
using testing::FileSizeLimit;
using testing::TempFolder;

std::filesystem::path U8(const std::string& name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

bool SameIgnoringAsciiCase(std::string a, std::string b) {
    for (std::string* text : {&a, &b}) {
        for (char& c : *text) {
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
    }
    return a == b;
}

std::size_t CountEntries(const std::filesystem::path& folder) {
    std::error_code error;
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(folder, error), {}));
}

// The folders of one case: the current folder, the home folder, an XDG data home, a requested
// folder, and the shipped data behind a folder that does not exist.
struct Layout {
    TempFolder root;
    std::filesystem::path current = root.path() / "current";
    std::filesystem::path home = root.path() / "home";
    std::filesystem::path dataHome = root.path() / "xdg";
    std::filesystem::path requested = root.path() / "requested";

    Layout() {
        for (const auto& folder : {current, home, requested}) {
            std::filesystem::create_directory(folder);
        }
    }
    DataFolderSettings Settings() const {
        DataFolderSettings settings;
        settings.currentFolder = current;
        settings.home = home.string();
        settings.dataHome = dataHome.string();
        settings.shippedData = {root.path() / "not installed", testing::ShippedDataFolder()};
        return settings;
    }
};

enum class Expected { Requested, Current, DataHome, HomeDefault };

struct ResolutionCase {
    const char* description;
    bool requested;
    std::map<std::string, std::string> currentFiles;
    // "" = unset, "absolute" = the layout's XDG folder, "relative" = the same folder given
    // relative to the current folder.
    std::string dataHome;
    // Files the user's data folder holds already.
    std::map<std::string, std::string> userFiles;
    Expected expected;
};

TEST(DataFolder, ResolutionOrderAndFirstFilling) {
    const std::vector<ResolutionCase> cases = {
        {"--data wins over a current folder with data",
         true,
         {{"霊数.txt", "x"}},
         "absolute",
         {},
         Expected::Requested},
        {"a current folder with a reference table, its name differently cased",
         false,
         {{"漢字辞書.TXT", "x"}},
         "absolute",
         {},
         Expected::Current},
        {"a current folder with only a name list is no data folder",
         false,
         {{"名字.txt", "x"}},
         "absolute",
         {},
         Expected::DataHome},
        {"an empty current folder: the XDG folder, filled",
         false,
         {},
         "absolute",
         {},
         Expected::DataHome},
        {"the user's files, also differently cased, are never overwritten",
         false,
         {},
         "absolute",
         {{"名字.txt", "白鳥\r\n"}, {"名前.TXT", "杏奈\r\n"}, {"霊数.txt", ""}},
         Expected::DataHome},
        {"a relative XDG_DATA_HOME means the default",
         false,
         {},
         "relative",
         {},
         Expected::HomeDefault},
        {"an empty XDG_DATA_HOME means the default", false, {}, "", {}, Expected::HomeDefault},
    };
    for (const ResolutionCase& row : cases) {
        SCOPED_TRACE(row.description);
        Layout layout;
        DataFolderSettings settings = layout.Settings();
        settings.dataHome =
            row.dataHome == "absolute" ? layout.dataHome.string()
            : row.dataHome == "relative"
                ? std::filesystem::relative(layout.dataHome, std::filesystem::current_path())
                      .string()
                : row.dataHome;
        if (row.requested) {
            settings.requested = layout.requested;
        }
        for (const auto& [name, bytes] : row.currentFiles) {
            std::ofstream(layout.current / U8(name), std::ios::binary) << bytes;
        }
        const std::filesystem::path userFolder = row.expected == Expected::HomeDefault
                                                     ? layout.home / ".local" / "share" / "namori"
                                                     : layout.dataHome / "namori";
        if (!row.userFiles.empty()) {
            std::filesystem::create_directories(userFolder);
        }
        for (const auto& [name, bytes] : row.userFiles) {
            std::ofstream(userFolder / U8(name), std::ios::binary) << bytes;
        }

        const std::filesystem::path resolved = ResolveDataFolder(settings);

        switch (row.expected) {
            case Expected::Requested:
                EXPECT_EQ(resolved, layout.requested);
                break;
            case Expected::Current:
                EXPECT_EQ(resolved, layout.current);
                break;
            case Expected::DataHome:
            case Expected::HomeDefault:
                EXPECT_EQ(resolved, userFolder);
                break;
        }
        if (row.expected == Expected::Requested || row.expected == Expected::Current) {
            EXPECT_FALSE(std::filesystem::exists(layout.dataHome)) << "nothing is created";
            EXPECT_EQ(CountEntries(layout.home), 0u) << "nothing is created";
            continue;
        }
        if (row.expected == Expected::HomeDefault) {
            EXPECT_FALSE(std::filesystem::exists(layout.dataHome));
        }
        // The files the user writes to are there once, as the user had them or as shipped; a
        // table is there only when the user put it there.
        std::size_t expected = 0;
        for (const auto& entry :
             std::filesystem::directory_iterator(testing::ShippedDataFolder())) {
            const std::u8string u8name = entry.path().filename().u8string();
            const std::string name(u8name.begin(), u8name.end());
            std::string userName = name;
            for (const auto& [own, bytes] : row.userFiles) {
                if (SameIgnoringAsciiCase(own, name)) {
                    userName = own;
                }
            }
            const auto own = row.userFiles.find(userName);
            if (own == row.userFiles.end() &&
                std::find(std::begin(kUserDataFiles), std::end(kUserDataFiles), name) ==
                    std::end(kUserDataFiles)) {
                continue;  // a table stays where it is installed
            }
            ++expected;
            EXPECT_EQ(FileBytes(userFolder / U8(userName)),
                      own != row.userFiles.end() ? own->second : FileBytes(entry.path()))
                << name;
        }
        EXPECT_EQ(CountEntries(userFolder), expected);
    }
}

std::string Entries(int count, const std::string& kanji) {
    std::string text;
    while (count-- > 0)
        text += "\"" + kanji + "\",1\r\n";
    return text;
}

// Two starts after an update; the earlier release shipped oldSpirit and oldDictionary.
TEST(DataFolder, AnUpdateReachesTheUserAndWhatTheUserMadeStays) {
    const std::string oldSpirit = "old\r\n", oldDictionary = Entries(2, "A"),
                      mine = Entries(2, "R");
    struct Case {
        const char* description;
        bool requested;
        int shippedEntries;               // of the installed dictionary
        std::string name, before, after;  // after "-": set aside as NAME.以前の版
        int notes;
    };
    const std::vector<Case> cases = {
        {"an untouched copy of an earlier table is set aside", false, 3, "霊数.txt", oldSpirit, "-",
         1},
        {"a changed copy is the user's", false, 3, "霊数.TXT", oldSpirit + "x", oldSpirit + "x", 0},
        {"the dictionary gets the installed entries, the registrations stay", false, 3,
         "漢字辞書.txt", oldDictionary + mine, Entries(3, "B") + mine, 1},
        {"a dictionary that would pass 2000 entries stays as it is, said once", false, 1999,
         "漢字辞書.txt", oldDictionary + mine, oldDictionary + mine, 1},
        {"a folder given with --data is used as it is", true, 3, "霊数.txt", oldSpirit, oldSpirit,
         0},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.description);
        Layout layout;
        TempFolder shipped;
        DataFolderSettings settings = layout.Settings();
        settings.shippedData = {shipped.path()};
        const std::tuple<std::string, std::string, std::string> tables[] = {
            {"霊数.txt", oldSpirit, "new\r\n"},
            {"漢字辞書.txt", oldDictionary, Entries(row.shippedEntries, "B")}};
        for (const auto& [name, earlier, now] : tables) {
            shipped.WriteBytes(name, now);
            for (const std::string& bytes : {earlier, now}) {
                settings.shippedVersions.push_back({name, bytes.size(), Sha256Hex(bytes)});
            }
        }
        std::vector<std::string> notes;
        settings.note = [&notes](const std::string& note) { notes.push_back(note); };
        const std::filesystem::path folder =
            row.requested ? layout.requested : layout.dataHome / "namori";
        settings.requested = row.requested ? std::optional(folder) : std::nullopt;
        std::filesystem::create_directories(folder);
        std::ofstream(folder / U8(row.name), std::ios::binary) << row.before;

        EXPECT_EQ(ResolveDataFolder(settings), folder);
        EXPECT_EQ(ResolveDataFolder(settings), folder);

        EXPECT_EQ(std::filesystem::exists(folder / U8(row.name)), row.after != "-");
        EXPECT_EQ(row.after == "-" ? "-" : FileBytes(folder / U8(row.name)), row.after);
        if (row.after == "-") {
            EXPECT_EQ(FileBytes(folder / U8(row.name + ".以前の版")), row.before);
        }
        ASSERT_EQ(static_cast<int>(notes.size()), row.notes);
        for (const std::string& note : notes) {
            EXPECT_NE(note.find("「" + row.name + "」"), std::string::npos) << note;
        }
    }
}

TEST(DataFolder, FailuresNameTheFolderAndTheReasonAndLeaveNoHalfFile) {
    {
        Layout layout;
        std::ofstream(layout.dataHome) << "a file where the folder should be";
        try {
            ResolveDataFolder(layout.Settings());
            ADD_FAILURE() << "a folder that cannot be made must be reported";
        } catch (const DataFolderError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("「" + (layout.dataHome / "namori").string() + "」を作れません"),
                      std::string::npos)
                << message;
            EXPECT_NE(message.find("途中にフォルダではないものがあります"), std::string::npos)
                << message;
        }
    }
    {
        // The dictionary is larger than the limit; the lists fit.
        Layout layout;
        const std::filesystem::path userFolder = layout.dataHome / "namori";
        std::string message;
        {
            FileSizeLimit limit(4096);
            try {
                ResolveDataFolder(layout.Settings());
            } catch (const DataFolderError& error) {
                message = error.what();
            }
        }
        EXPECT_NE(message.find("書き込めません（ディスクの空きが足りません）"), std::string::npos)
            << message;
        EXPECT_NE(message.find(userFolder.string()), std::string::npos) << message;
        for (const auto& entry : std::filesystem::directory_iterator(userFolder)) {
            const std::filesystem::path shipped =
                testing::ShippedDataFolder() / entry.path().filename();
            ASSERT_TRUE(std::filesystem::exists(shipped)) << "left behind: " << entry.path();
            EXPECT_EQ(FileBytes(entry.path()), FileBytes(shipped))
                << "half-copied: " << entry.path();
        }
        // Without the limit, the next start completes the folder.
        EXPECT_EQ(ResolveDataFolder(layout.Settings()), userFolder);
        EXPECT_EQ(CountEntries(userFolder), std::size(kUserDataFiles));
    }
    {
        Layout layout;
        DataFolderSettings settings = layout.Settings();
        settings.requested = layout.root.path() / "missing";
        EXPECT_THROW(ResolveDataFolder(settings), DataFolderError);
    }
}

// Only files with the program's mark, of a process that is gone, whose list no other process is
// changing, are removed; a user's backups and other programs' files that look alike stay.
TEST(DataFolder, TheStartRemovesOnlyItsOwnStaleTemporaryFiles) {
    Layout layout;
    layout.root.WriteBytes("requested/名字.txt", "");
    const std::string live = std::to_string(getppid());
    const struct {
        std::string name;
        bool removed;
    } rows[] = {
        {".名前.txt.namori-2147483646-aB3xY9", true},
        {".霊数.txt.namori-99999999-Zz09aa", true},
        {".名字.txt.namori-2147483646-Qw12Er", false},  // 名字.txt is locked below
        {".名前.txt.namori-" + live + "-aB3xY9", false},
        {"漢字辞書.txt.backup", false},
        {"名前.txt.backup", false},
        {"漢字辞書.txt.202401", false},
        {"名字.txt.orig01", false},
        {"名前.txt.aB3xY9", false},
        {".notes.txt.55555.partial", false},
        {".report.odt.4000000.partial", false},
        {".名前.txt.2147483646.partial", false},
        {".名前.txt.namori-x-aB3xY9", false},
    };
    for (const auto& row : rows) {
        layout.root.WriteBytes("requested/" + row.name, "x");
    }
    // A link with the mark is the user's.
    std::filesystem::create_symlink("名字.txt", layout.requested / U8(".名字.txt.namori-9-link00"));
    const LockedFile changing(layout.requested / U8("名字.txt"), "名字.txt");
    DataFolderSettings settings = layout.Settings();
    settings.requested = layout.requested;
    ResolveDataFolder(settings);
    for (const auto& row : rows) {
        EXPECT_EQ(std::filesystem::exists(layout.requested / U8(row.name)), !row.removed)
            << row.name;
    }
    EXPECT_TRUE(std::filesystem::is_symlink(layout.requested / U8(".名字.txt.namori-9-link00")));
}

// A data folder linking to the installed tables, or a table linked by the user, is never changed.
TEST(DataFolder, LinksAndTheInstalledTablesAreNeverChanged) {
    for (const bool folderIsLink : {true, false}) {
        Layout layout;
        const std::filesystem::path installed = layout.root.path() / "installed";
        const std::filesystem::path folder = layout.dataHome / "namori";
        DataFolderSettings settings = layout.Settings();
        settings.shippedData = settings.shippedNaming = {installed};
        settings.shippedVersions = {{"霊数.txt", 5, Sha256Hex("old\r\n")}};
        settings.note = [](const std::string& note) { ADD_FAILURE() << note; };
        std::filesystem::create_directories(folderIsLink ? layout.dataHome : folder);
        std::filesystem::create_directory(installed);
        layout.root.WriteBytes("installed/霊数.txt", "old\r\n");
        layout.root.WriteBytes("installed/漢字辞書.txt", Entries(1, "A"));
        folderIsLink
            ? std::filesystem::create_directory_symlink(installed, folder)
            : std::filesystem::create_symlink(installed / U8("霊数.txt"), folder / U8("霊数.txt"));
        EXPECT_EQ(ResolveDataFolder(settings), folder);
        EXPECT_EQ(FileBytes(installed / U8("霊数.txt")), "old\r\n") << folderIsLink;
        EXPECT_TRUE(std::filesystem::is_symlink(folderIsLink ? folder : folder / U8("霊数.txt")));
    }
}

}  // namespace
}  // namespace namori
