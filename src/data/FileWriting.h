#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "data/SystemCalls.h"

namespace namori {

// A write to a data file that failed; the file is as it was before. code() is the system's
// error; what() is Japanese, names the file and says what to check.
class FileWriteError : public std::system_error {
  public:
    FileWriteError(const std::string& displayName, int errorNumber);
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
};

// Replaces the file's contents by bytes atomically: a temporary file in the same folder is
// written and flushed to disk, then renamed over the file. A failure at any point leaves the old
// file untouched and throws FileWriteError.
void RewriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                           const std::string& displayName, const SystemCalls& calls = {});

// Makes a new file holding bytes, whole or not at all (written and flushed beside it first).
// Returns false, leaving the existing file alone, when a file of that name is there already
// (also one that appeared meanwhile). Throws FileWriteError, leaving nothing behind.
bool CreateFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                          const std::string& displayName, const SystemCalls& calls = {});

// Appends bytes to the file (creating it) in one write, flushed to disk. When any of it fails,
// the file is cut back to its old length and FileWriteError is thrown.
void AppendToFile(const std::filesystem::path& path, std::string_view bytes,
                  const std::string& displayName, const SystemCalls& calls = {});

// Renames path to aside when it still is the file whose status was read (same file, size and
// modification time), not one put there meanwhile, and when nothing is called aside yet. False
// when it stays where it was.
bool SetAsideIfUnchanged(const std::filesystem::path& path, const struct stat& read,
                         const std::filesystem::path& aside);

}  // namespace namori
