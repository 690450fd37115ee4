#include "naming/SampledFileLines.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "data/DataFileError.h"

namespace namori {

namespace {

constexpr std::size_t kProbe = 256;

bool Unchanged(const struct stat& now, const struct stat& opened) {
    return now.st_size == opened.st_size && now.st_ino == opened.st_ino &&
           now.st_mtim.tv_sec == opened.st_mtim.tv_sec &&
           now.st_mtim.tv_nsec == opened.st_mtim.tv_nsec;
}

}  // namespace

std::shared_ptr<const SampledFileLines> SampledFileLines::Open(const std::filesystem::path& path,
                                                               const std::string& displayName) {
    auto lines = std::make_shared<SampledFileLines>();
    lines->file_ = OpenDataFile(path, displayName);
    lines->displayName_ = displayName;
    lines->size_ = static_cast<std::size_t>(lines->file_.status.st_size);
    // A file of blanks only would hide every key: the first other byte is near the start of any
    // real file.
    bool blank = true;
    for (std::size_t at = 0; blank && at < lines->size_; at += kSampleSpacing) {
        const std::string bytes = lines->ReadAt(at, at + kSampleSpacing);
        blank = bytes.find_first_not_of(" \t\r\n") == std::string::npos;
    }
    if (blank) {
        throw DataFileError(displayName, 1, "ファイルが空です");
    }
    for (std::size_t at = 0; at < lines->size_;) {
        // Mostly one read: the end of the line at the spacing point and the key after it.
        const std::size_t from = at == 0 ? 0 : at - 1;
        std::string head = lines->ReadAt(from, from + 2 * kProbe);
        const std::size_t lineEnd = at == 0 ? std::string::npos : head.find('\n');
        std::size_t start = at == 0 ? 0 : from + lineEnd + 1;
        std::size_t keyAt = at == 0 ? 0 : lineEnd + 1;
        if (at > 0 && lineEnd == std::string::npos) {
            start = lines->NextLineStart(at);
            head = lines->ReadAt(start, start + kProbe);
            keyAt = 0;
        }
        if (start >= lines->size_) {
            break;
        }
        const std::size_t keyEnd = head.find_first_of(",\r\n", keyAt);
        if (keyEnd == std::string::npos && start + (head.size() - keyAt) < lines->size_) {
            head = lines->ReadAt(start, start + 4 * kProbe);
            keyAt = 0;
        }
        std::string key = head.substr(keyAt, head.find_first_of(",\r\n", keyAt) - keyAt);
        if (!lines->samples_.empty() && key < lines->samples_.back().key) {
            throw DataFileError(displayName, lines->LineAt(start),
                                "読みの順に並んでいません（前の行より前に来る読みです）");
        }
        lines->samples_.push_back({std::move(key), start});
        at = std::max(start + 1, at + kSampleSpacing);
    }
    return lines;
}

std::string SampledFileLines::ReadAt(std::size_t begin, std::size_t end) const {
    struct stat now {};
    if (::fstat(file_.descriptor.get(), &now) != 0) {
        FailAccess(displayName_, errno);
    }
    if (!Unchanged(now, file_.status)) {
        throw DataFileError(displayName_, 0,
                            "使用中に書き換えられました（開き直すと新しい内容を読みます）");
    }
    end = std::min(end, size_);
    std::string bytes(end > begin ? end - begin : 0, '\0');
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t got = ::pread(file_.descriptor.get(), bytes.data() + done,
                                    bytes.size() - done, static_cast<off_t>(begin + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            FailAccess(displayName_, errno);
        }
        if (got == 0) {
            throw DataFileError(displayName_, 0,
                                "使用中に書き換えられました（開き直すと新しい内容を読みます）");
        }
        done += static_cast<std::size_t>(got);
    }
    return bytes;
}

std::size_t SampledFileLines::NextLineStart(std::size_t offset) const {
    if (offset == 0) {
        return 0;
    }
    // The line starts after the line end at or after offset - 1.
    for (std::size_t at = offset - 1; at < size_; at += kProbe) {
        const std::string bytes = ReadAt(at, at + kProbe);
        const std::size_t end = bytes.find('\n');
        if (end != std::string::npos) {
            return at + end + 1;
        }
    }
    return size_;
}

SampledFileLines::Range SampledFileLines::LinesAround(std::string_view key) const {
    const auto below = std::lower_bound(
        samples_.begin(), samples_.end(), key,
        [](const Sample& sample, std::string_view sought) { return sample.key < sought; });
    const auto above = std::upper_bound(
        below, samples_.end(), key,
        [](std::string_view sought, const Sample& sample) { return sought < sample.key; });
    const std::size_t begin = below == samples_.begin() ? 0 : (below - 1)->offset;
    const std::size_t end = above == samples_.end() ? size_ : above->offset;
    return {ReadAt(begin, end), begin};
}

SampledFileLines::Range SampledFileLines::FirstLine() const {
    const std::size_t end = NextLineStart(1);
    return {ReadAt(0, end), 0};
}

SampledFileLines::Range SampledFileLines::LastLine() const {
    // The line that holds the last byte: after the line end before it.
    std::size_t start = 0;
    for (std::size_t end = size_ > 0 ? size_ - 1 : 0; end > 0;) {
        const std::size_t begin = end > kProbe ? end - kProbe : 0;
        const std::string bytes = ReadAt(begin, end);
        const std::size_t found = bytes.rfind('\n');
        if (found != std::string::npos) {
            start = begin + found + 1;
            break;
        }
        end = begin;
    }
    return {ReadAt(start, size_), start};
}

int SampledFileLines::LineAt(std::size_t offset) const {
    int line = 1;
    for (std::size_t at = 0; at < offset; at += kSampleSpacing) {
        const std::string bytes = ReadAt(at, std::min(offset, at + kSampleSpacing));
        line += static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
    }
    return line;
}

}  // namespace namori
