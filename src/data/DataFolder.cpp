#include "data/DataFolder.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "data/DataFiles.h"
#include "data/StaleTemporaryFiles.h"
#include "data/SystemReason.h"

namespace namori {

namespace {

std::string Quoted(const std::filesystem::path& path) {
    return "「" + path.string() + "」";
}

bool Present(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

bool HoldsReferenceTable(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::exists(ResolveDataFile(folder, kSpiritTableFile), error) ||
           std::filesystem::exists(ResolveDataFile(folder, kKanjiDictionaryFile), error);
}

// Makes folder and each missing parent with permissions for the user alone, as the XDG base
// directories ask for folders made on the user's behalf.
void MakeFolder(const std::filesystem::path& folder) {
    std::filesystem::path partial;
    for (const std::filesystem::path& part : folder) {
        partial /= part;
        if (partial == partial.root_path() || Present(partial)) {
            continue;
        }
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
            throw DataFolderError("データフォルダ" + Quoted(folder) + "を作れません（" +
                                  SystemReason(errno) + "）。");
        }
    }
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        throw DataFolderError("データフォルダ" + Quoted(folder) +
                              "を作れません（同じ名前のフォルダではないものがあります）。");
    }
}

// Reads a whole file; false with errno set on failure.
bool ReadAll(const std::filesystem::path& path, std::string& bytes) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            const int error = errno;
            ::close(descriptor);
            errno = error;
            return got == 0;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

// Writes all of bytes to a new file, flushed to disk; false with errno set on failure.
bool WriteNewFile(const std::filesystem::path& path, std::string_view bytes) {
    // 0666 lets the user's umask decide, as for any file the user makes.
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return false;
    }
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0) {
            const int error = errno;
            ::close(descriptor);
            errno = error;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::fsync(descriptor) != 0) {
        const int error = errno;
        ::close(descriptor);
        errno = error;
        return false;
    }
    return ::close(descriptor) == 0;
}

// Gives the finished copy its name unless something of that name appeared meanwhile; false
// with errno set on failure.
bool MoveIntoPlace(const std::filesystem::path& copy, const std::filesystem::path& target) {
    if (::renameat2(AT_FDCWD, copy.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno == EEXIST) {
        ::unlink(copy.c_str());
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // A file system without the no-replace rename: a hard link refuses an existing name too.
    if (::link(copy.c_str(), target.c_str()) != 0 && errno != EEXIST) {
        return false;
    }
    ::unlink(copy.c_str());
    return true;
}

// Copies source into folder under name so that the file appears whole or not at all: a
// half-copied data file would otherwise count as the user's own from then on.
void CopyInto(const std::filesystem::path& source, const std::filesystem::path& folder,
              const std::string& name) {
    std::string bytes;
    if (!ReadAll(source, bytes)) {
        throw DataFolderError(Quoted(source) + "を読めません（" + SystemReason(errno) + "）。");
    }
    const std::filesystem::path copy =
        folder / ("." + name + "." + std::to_string(::getpid()) + ".partial");
    ::unlink(copy.c_str());  // left by an earlier process of the same number that was killed
    if (!WriteNewFile(copy, bytes) || !MoveIntoPlace(copy, folder / name)) {
        const int error = errno;
        ::unlink(copy.c_str());
        throw DataFolderError("「" + name + "」をデータフォルダ" + Quoted(folder) +
                              "に書き込めません（" + SystemReason(error) + "）。");
    }
}

void SyncFolder(const std::filesystem::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
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

void FillDataFolder(const std::filesystem::path& folder, const std::filesystem::path& shipped) {
    MakeFolder(folder);
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(shipped, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) {
            files.push_back(it->path());
        }
    }
    if (error) {
        throw DataFolderError(Quoted(shipped) + "を読めません（" + SystemReason(error.value()) +
                              "）。");
    }
    std::sort(files.begin(), files.end());
    bool copied = false;
    for (const std::filesystem::path& file : files) {
        const std::string name = file.filename().string();
        if (!Present(ResolveDataFile(folder, name))) {
            CopyInto(file, folder, name);
            copied = true;
        }
    }
    if (copied) {
        SyncFolder(folder);
    }
}

std::filesystem::path ResolveDataFolder(const DataFolderSettings& settings) {
    if (settings.requested) {
        std::error_code error;
        if (!std::filesystem::is_directory(*settings.requested, error)) {
            throw DataFolderError("データフォルダ" + Quoted(*settings.requested) +
                                  "がありません（見つからないか、フォルダではありません）。");
        }
        RemoveStaleTemporaryFiles(*settings.requested);
        return *settings.requested;
    }
    if (!settings.currentFolder.empty() && HoldsReferenceTable(settings.currentFolder)) {
        RemoveStaleTemporaryFiles(settings.currentFolder);
        return settings.currentFolder;
    }
    const std::filesystem::path folder = UserDataFolder(settings);
    const auto shipped =
        std::find_if(settings.shippedData.begin(), settings.shippedData.end(), HoldsReferenceTable);
    if (shipped == settings.shippedData.end()) {
        // Nothing to copy: loading then names the file that is missing in the folder.
        MakeFolder(folder);
    } else {
        RemoveStaleTemporaryFiles(folder);
        FillDataFolder(folder, *shipped);
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
