#include "data/ShippedCopies.h"

#include <algorithm>
#include <optional>

#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/FileReading.h"
#include "data/FileWriting.h"
#include "data/KanjiDictionaryFile.h"
#include "data/LockedFile.h"

namespace namori {

namespace {

// A file of folder that the user made a link, or whose folder is the installed one: the start
// never changes it.
bool IsLinkOrInstalled(const std::filesystem::path& path, const ShippedFiles& shipped) {
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        return true;
    }
    std::vector<std::filesystem::path> installed = shipped.foldersOf("data");
    const std::vector<std::filesystem::path> naming = shipped.foldersOf("naming");
    installed.insert(installed.end(), naming.begin(), naming.end());
    installed.push_back(shipped.dataFolder);
    return std::any_of(installed.begin(), installed.end(), [&](const std::filesystem::path& other) {
        std::error_code sameError;
        return std::filesystem::equivalent(path.parent_path(), other, sameError);
    });
}

// The first free name that says the file is an earlier version's copy.
std::filesystem::path AsideName(const std::filesystem::path& path) {
    for (int number = 1; number < 10; ++number) {
        std::filesystem::path aside = path;
        aside += std::string(".以前の版") + (number > 1 ? std::to_string(number) : "");
        if (!FileExists(aside) && !std::filesystem::is_symlink(aside)) {
            return aside;
        }
    }
    return {};
}

void SetAsideUnchangedTable(const std::filesystem::path& folder, const ShippedTable& table,
                            const ShippedFiles& shipped,
                            const std::function<void(const std::string&)>& note) {
    const std::vector<std::filesystem::path> installed = shipped.foldersOf(table.kind);
    const bool readableElsewhere =
        std::any_of(installed.begin(), installed.end(), [&](const std::filesystem::path& other) {
            return FileExists(ResolveDataFile(other, table.name));
        });
    const std::filesystem::path path = ResolveDataFile(folder, table.name);
    if (!FileExists(path) || !readableElsewhere || IsLinkOrInstalled(path, shipped)) {
        return;
    }
    const std::string name(table.name);
    try {
        const OpenedFile file = OpenDataFile(path, name);
        if (!IsShippedVersion(shipped.versions, table.name, ReadOpenRegularFile(file, name))) {
            return;
        }
        const std::filesystem::path aside = AsideName(path);
        if (!aside.empty() && SetAsideIfUnchanged(path, file.status, aside)) {
            note(Quoted(path.filename().string()) + "は以前の版が写した変更のないコピーなので、" +
                 Quoted(aside.filename().string()) +
                 "に名前を変えました（インストールされた版を使います）。");
        }
    } catch (const DataFileError&) {
        // Left for the loading to report.
    }
}

// The length of the longest shipped version of the dictionary that bytes begin with; 0 when
// they begin with none.
std::size_t ShippedPrefixLength(const std::vector<ShippedVersion>& versions,
                                std::string_view bytes) {
    std::size_t longest = 0;
    for (const ShippedVersion& version : versions) {
        if (version.name == kKanjiDictionaryFile && version.size > longest &&
            version.size <= bytes.size() &&
            Sha256Hex(bytes.substr(0, version.size)) == version.sha256) {
            longest = version.size;
        }
    }
    return longest;
}

// The dictionary with the installed one in place of the shipped beginning; nothing when it would
// not be a dictionary of at most 2000 entries.
std::optional<std::string> MergedDictionary(std::string installed, std::string_view registrations) {
    if (!installed.empty() && installed.back() != '\n') {
        installed += "\r\n";
    }
    installed += registrations;
    try {
        ParseKanjiDictionary(DecodeDataFile(installed, std::string(kKanjiDictionaryFile)),
                             std::string(kKanjiDictionaryFile));
    } catch (const DataFileError&) {
        return std::nullopt;
    }
    return installed;
}

void UpdateDictionary(const std::filesystem::path& folder, const ShippedFiles& shipped,
                      const std::function<void(const std::string&)>& note,
                      const SystemCalls& calls) {
    const std::string name(kKanjiDictionaryFile);
    const std::filesystem::path path = ResolveDataFile(folder, name);
    if (!FileExists(path) || IsLinkOrInstalled(path, shipped)) {
        return;
    }
    try {
        const std::string installed =
            ReadRegularFile(ResolveDataFile(shipped.dataFolder, name), name);
        const LockedFile file(path, name);
        const std::string bytes = file.Read();
        // A dictionary that does not load is left for the loading to report.
        ParseKanjiDictionary(DecodeDataFile(bytes, name), name);
        // Up to date also when the installed dictionary is newer than this program's list.
        const std::size_t prefix = ShippedPrefixLength(shipped.versions, bytes);
        if (bytes.starts_with(installed) || prefix == 0) {
            return;  // up to date, or the user's own dictionary
        }
        const std::string registrations = bytes.substr(prefix);
        if (const auto merged = MergedDictionary(installed, registrations)) {
            RewriteFileAtomically(file.target(), *merged, name, calls);
            note(Quoted(name) + "の同梱分を新しい版にしました（登録した漢字はそのままです）。");
            return;
        }
        // Said once for each installed dictionary: a marker beside it holds which one.
        const std::filesystem::path marker = folder / ("." + name + ".kept");
        const std::string installedHash = Sha256Hex(installed);
        try {
            if (ReadRegularFile(marker, name) == installedHash) {
                return;
            }
        } catch (const DataFileError&) {
        }
        RewriteFileAtomically(marker, installedHash, name, calls);
        note(Quoted(name) +
             "は新しい版にできません（登録した漢字を合わせると2000字を超えます）。今のまま"
             "使います。");
    } catch (const DataFileError&) {
        // Left for the loading to report.
    } catch (const FileWriteError&) {
        // The file is as it was; the next start tries again.
    }
}

}  // namespace

void UpdateShippedCopies(const std::filesystem::path& folder, const ShippedFiles& shipped,
                         const std::function<void(const std::string&)>& note,
                         const SystemCalls& calls) {
    for (const ShippedTable& table : kShippedTables) {
        SetAsideUnchangedTable(folder, table, shipped, note);
    }
    UpdateDictionary(folder, shipped, note, calls);
}

}  // namespace namori
