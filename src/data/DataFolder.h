#pragma once

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "data/ShippedTables.h"
#include "data/SystemCalls.h"

namespace namori {

// The data folder could not be made or filled. The message is Japanese, names the folder or the
// file and gives the system's reason.
class DataFolderError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Everything the choice of the data folder depends on, gathered in one place so that tests can
// set each part.
struct DataFolderSettings {
    // The folder the user asked for (--data DIR).
    std::optional<std::filesystem::path> requested;
    // The process's current folder; empty when it cannot be known.
    std::filesystem::path currentFolder;
    // XDG_DATA_HOME as set; empty when unset.
    std::string dataHome;
    // The user's home folder.
    std::string home;
    // Where the shipped data files may be, in order; the first that holds them is used.
    std::vector<std::filesystem::path> shippedData;
    // Where the shipped naming data may be.
    std::vector<std::filesystem::path> shippedNaming;
    // Every version of every file Namori has shipped.
    std::vector<ShippedVersion> shippedVersions;
    // Says in one line what a start changed in the user's data folder (standard error).
    std::function<void(const std::string&)> note = [](const std::string&) {};
    // Every folder made and every file written, replaced or removed goes through these.
    SystemCalls calls;
};

// The settings of this process: its current folder, XDG_DATA_HOME, the home folder (HOME, else
// the password database's), ShippedFolders("data") and ("naming"), KnownShippedVersions(); notes
// go nowhere.
DataFolderSettings ProcessDataFolderSettings(std::optional<std::filesystem::path> requested);

// The folder whose data files a program works on: the requested folder when one is given; else
// the current folder when it holds the spirit-number table or the kanji dictionary (both used
// exactly as they are); else the user's data folder, created when missing, given the shipped
// files the user writes to when it lacks them (see FillDataFolder) and brought up to the
// installed version (see UpdateShippedCopies). Throws DataFolderError when a requested folder is
// no folder or the user's folder cannot be made or filled.
std::filesystem::path ResolveDataFolder(const DataFolderSettings& settings);

// The user's data folder: $XDG_DATA_HOME/namori, or home/.local/share/namori when XDG_DATA_HOME
// is empty or relative. Throws DataFolderError when neither gives an absolute folder.
std::filesystem::path UserDataFolder(const DataFolderSettings& settings);

// Creates folder (and missing parents, private to the user) and copies into it each file of
// shipped that the user writes to (kUserDataFiles) and that it lacks. A file counts as there when
// a file of the same name without regard to ASCII case is ("名字.TXT" is "名字.txt"): files
// already there are the user's and are never overwritten. Each copy appears whole or not at all.
// Throws DataFolderError. The tables stay where they are installed.
void FillDataFolder(const std::filesystem::path& folder, const std::filesystem::path& shipped,
                    const SystemCalls& calls = {});

// The folders where the files Namori ships of one kind ("data", "naming", "help") may be: the
// installed share/namori/<kind> beside the program's bin folder, then the source tree's
// assets/<kind> for a build that is not installed.
std::vector<std::filesystem::path> ShippedFolders(std::string_view kind);

// Where a shipped file is looked up: the data folder first (a user's own copy wins), then the
// shipped folders of each kind in turn.
std::vector<std::filesystem::path> SearchPath(const std::filesystem::path& dataFolder,
                                              std::initializer_list<std::string_view> kinds);

}  // namespace namori
