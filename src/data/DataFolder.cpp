#include "data/DataFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/FileReading.h"
#include "data/FileWriting.h"
#include "data/ShippedCopies.h"
#include "data/StaleTemporaryFiles.h"
#include "data/SystemReason.h"

namespace namori {

namespace {

bool Present(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

bool HoldsReferenceTable(const std::filesystem::path& folder) {
    return FileExists(ResolveDataFile(folder, kSpiritTableFile)) ||
           FileExists(ResolveDataFile(folder, kKanjiDictionaryFile));
}

// Makes folder and each missing parent with permissions for the user alone, as the XDG base
// directories ask for folders made on the user's behalf.
void MakeFolder(const std::filesystem::path& folder, const SystemCalls& calls) {
    std::filesystem::path partial;
    for (const std::filesystem::path& part : folder) {
        partial /= part;
        if (partial == partial.root_path() || Present(partial)) {
            continue;
        }
        if (calls.mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
            throw DataFolderError("データフォルダ" + Quoted(folder.string()) + "を作れません（" +
                                  SystemReason(errno) + "）。");
        }
    }
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        throw DataFolderError("データフォルダ" + Quoted(folder.string()) +
                              "を作れません（同じ名前のフォルダではないものがあります）。");
    }
}

// Copies source into folder under name unless a file of that name appeared meanwhile; the copy
// appears whole or not at all, as a half-copied file would count as the user's own.
void CopyInto(const std::filesystem::path& source, const std::filesystem::path& folder,
              const std::string& name, const SystemCalls& calls) {
    try {
        CreateFileAtomically(folder / name, ReadRegularFile(source, name), name, calls);
    } catch (const DataFileError& error) {
        throw DataFolderError(error.what());
    } catch (const FileWriteError& error) {
        throw DataFolderError(Quoted(name) + "をデータフォルダ" + Quoted(folder.string()) +
                              "に書き込めません（" + SystemReason(error.code().value()) + "）。");
    }
}

std::string PasswordDatabaseHome() {
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return {};
}

std::optional<std::filesystem::path> InstalledFolder(std::string_view kind) {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return std::nullopt;
    }
    return (program.parent_path() / NAMORI_SHARE_FROM_BIN / kind).lexically_normal();
}

std::filesystem::path SourceFolder(std::string_view kind) {
    return std::filesystem::path(NAMORI_SOURCE_DIR) / "assets" / kind;
}

}  // namespace

DataFolderSettings ProcessDataFolderSettings(std::optional<std::filesystem::path> requested) {
    DataFolderSettings settings;
    settings.requested = std::move(requested);
    std::error_code error;
    settings.currentFolder = std::filesystem::current_path(error);
    if (error) {
        settings.currentFolder.clear();
    }
    if (const char* dataHome = std::getenv("XDG_DATA_HOME")) {
        settings.dataHome = dataHome;
    }
    const char* home = std::getenv("HOME");
    settings.home = home != nullptr && *home != '\0' ? std::string(home) : PasswordDatabaseHome();
    settings.shippedData = ShippedFolders("data");
    settings.shippedNaming = ShippedFolders("naming");
    settings.shippedVersions = KnownShippedVersions();
    return settings;
}

std::filesystem::path UserDataFolder(const DataFolderSettings& settings) {
    const std::filesystem::path dataHome(settings.dataHome);
    if (dataHome.is_absolute()) {
        return dataHome / "namori";
    }
    const std::filesystem::path home(settings.home);
    if (home.is_absolute()) {
        return home / ".local" / "share" / "namori";
    }
    throw DataFolderError(
        "データフォルダの場所が分かりません（ホームフォルダが分からず、XDG_DATA_HOME "
        "も絶対パスではありません）。");
}

void FillDataFolder(const std::filesystem::path& folder, const std::filesystem::path& shipped,
                    const SystemCalls& calls) {
    MakeFolder(folder, calls);
    for (const std::string_view name : kUserDataFiles) {
        const std::filesystem::path source = ResolveDataFile(shipped, name);
        if (Present(source) && !Present(ResolveDataFile(folder, name))) {
            CopyInto(source, folder, std::string(name), calls);
        }
    }
}

std::filesystem::path ResolveDataFolder(const DataFolderSettings& settings) {
    if (settings.requested) {
        std::error_code error;
        if (!std::filesystem::is_directory(*settings.requested, error)) {
            throw DataFolderError("データフォルダ" + Quoted(settings.requested->string()) +
                                  "がありません（見つからないか、フォルダではありません）。");
        }
        RemoveStaleTemporaryFiles(*settings.requested, settings.calls);
        return *settings.requested;
    }
    if (!settings.currentFolder.empty() && HoldsReferenceTable(settings.currentFolder)) {
        RemoveStaleTemporaryFiles(settings.currentFolder, settings.calls);
        return settings.currentFolder;
    }
    const std::filesystem::path folder = UserDataFolder(settings);
    const auto shipped =
        std::find_if(settings.shippedData.begin(), settings.shippedData.end(), HoldsReferenceTable);
    if (shipped == settings.shippedData.end()) {
        // Nothing to copy: loading then names the file that is missing in the folder.
        MakeFolder(folder, settings.calls);
    } else {
        RemoveStaleTemporaryFiles(folder, settings.calls);
        FillDataFolder(folder, *shipped, settings.calls);
        const ShippedFiles files{*shipped,
                                 [&settings](std::string_view kind) {
                                     return kind == "data" ? settings.shippedData
                                                           : settings.shippedNaming;
                                 },
                                 settings.shippedVersions};
        UpdateShippedCopies(folder, files, settings.note, settings.calls);
    }
    return folder;
}

std::vector<std::filesystem::path> ShippedFolders(std::string_view kind) {
    std::vector<std::filesystem::path> folders;
    if (const auto installed = InstalledFolder(kind)) {
        folders.push_back(*installed);
    }
    folders.push_back(SourceFolder(kind));
    return folders;
}

std::vector<std::filesystem::path> SearchPath(const std::filesystem::path& dataFolder,
                                              std::initializer_list<std::string_view> kinds) {
    std::vector<std::filesystem::path> folders = {dataFolder};
    for (std::string_view kind : kinds) {
        if (const auto installed = InstalledFolder(kind)) {
            folders.push_back(*installed);
        }
    }
    for (std::string_view kind : kinds) {
        folders.push_back(SourceFolder(kind));
    }
    return folders;
}

}  // namespace namori
