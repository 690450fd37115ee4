#include "data/DataFolder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "data/DataFiles.h"
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
                EXPECT_FALSE(std::filesystem::exists(userFolder / U8(name))) << name;
                continue;
            }
            ++expected;
            EXPECT_EQ(FileBytes(userFolder / U8(userName)),
                      own != row.userFiles.end() ? own->second : FileBytes(entry.path()))
                << name;
        }
        EXPECT_EQ(CountEntries(userFolder), expected);
    }
}

// Synthetic shipped versions: what an earlier release shipped and what is installed now.
struct ShippedRelease {
    TempFolder folder;
    std::vector<ShippedVersion> versions;
    void Ship(const std::string& name, const std::string& earlier, const std::string& now) {
        folder.WriteBytes(name, now);
        for (const std::string* bytes : {&earlier, &now}) {
            versions.push_back({name, bytes->size(), Sha256Hex(*bytes)});
        }
    }
};

std::string Entries(int count, const std::string& kanji) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "\"" + kanji + "\"," + std::to_string(i % 30 + 1) + "\r\n";
    }
    return text;
}

TEST(DataFolder, AnUpdateReachesTheUserAndWhatTheUserMadeStays) {
    const std::string oldSpirit = "old spirit table\r\n";
    const std::string oldDictionary = Entries(2, "A");
    const std::string registrations = Entries(2, "R");
    const std::string removed = "(removed)";
    struct Case {
        const char* description;
        bool requested;
        int shippedEntries;  // of the installed dictionary
        std::map<std::string, std::string> before;
        std::map<std::string, std::string> after;  // "" = the installed dictionary
        int notes;                                 // over two starts
    };
    const std::vector<Case> cases = {
        {"an untouched copy of an earlier table is removed",
         false,
         3,
         {{"霊数.txt", oldSpirit}},
         {{"霊数.txt", removed}},
         1},
        {"a changed copy is the user's own",
         false,
         3,
         {{"霊数.TXT", oldSpirit + "mine"}},
         {{"霊数.TXT", oldSpirit + "mine"}},
         0},
        {"the dictionary gets the installed entries and keeps the registrations",
         false,
         3,
         {{"漢字辞書.txt", oldDictionary + registrations}},
         {{"漢字辞書.txt", Entries(3, "B") + registrations}},
         1},
        {"a dictionary that would pass 2000 entries stays as it is, said once",
         false,
         1999,
         {{"漢字辞書.txt", oldDictionary + registrations}},
         {{"漢字辞書.txt", oldDictionary + registrations}},
         1},
        {"a folder given with --data is used exactly as it is",
         true,
         3,
         {{"霊数.txt", oldSpirit}, {"漢字辞書.txt", oldDictionary + registrations}},
         {{"霊数.txt", oldSpirit}, {"漢字辞書.txt", oldDictionary + registrations}},
         0},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.description);
        Layout layout;
        ShippedRelease release;
        release.Ship("霊数.txt", oldSpirit, "new spirit table\r\n");
        release.Ship("漢字辞書.txt", oldDictionary, Entries(row.shippedEntries, "B"));
        DataFolderSettings settings = layout.Settings();
        settings.shippedData = {release.folder.path()};
        settings.shippedVersions = release.versions;
        std::vector<std::string> notes;
        settings.note = [&notes](const std::string& note) { notes.push_back(note); };
        const std::filesystem::path folder =
            row.requested ? layout.requested : layout.dataHome / "namori";
        settings.requested = row.requested ? std::optional(folder) : std::nullopt;
        std::filesystem::create_directories(folder);
        for (const auto& [name, bytes] : row.before) {
            std::ofstream(folder / U8(name), std::ios::binary) << bytes;
        }

        EXPECT_EQ(ResolveDataFolder(settings), folder);
        EXPECT_EQ(ResolveDataFolder(settings), folder);

        for (const auto& [name, bytes] : row.after) {
            if (bytes == removed) {
                EXPECT_FALSE(std::filesystem::exists(folder / U8(name))) << name;
            } else {
                EXPECT_EQ(FileBytes(folder / U8(name)), bytes) << name;
            }
        }
        ASSERT_EQ(static_cast<int>(notes.size()), row.notes);
        for (const std::string& note : notes) {
            EXPECT_NE(note.find("「" + row.before.begin()->first + "」"), std::string::npos)
                << note;
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

}  // namespace
}  // namespace namori
