#include "naming/SortedTextFile.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/FieldReader.h"
#include "data/FileReading.h"
#include "naming/SampledFileLines.h"

namespace namori {

SortedTextFile SortedTextFile::Read(const std::filesystem::path& path,
                                    const std::string& displayName) {
    return Own(ReadRegularFile(path, displayName), displayName);
}

SortedTextFile SortedTextFile::ReadFirstFound(const std::vector<std::filesystem::path>& folders,
                                              const char* name) {
    return Read(ResolveDataFile(FolderHolding(folders, name), name), name);
}

SortedTextFile SortedTextFile::OpenSampled(const std::filesystem::path& path,
                                           const std::string& displayName) {
    SortedTextFile file;
    file.sampled_ = SampledFileLines::Open(path, displayName);
    file.displayName_ = displayName;
    return file;
}

SortedTextFile SortedTextFile::OpenFirstFoundSampled(
    const std::vector<std::filesystem::path>& folders, const char* name) {
    return OpenSampled(ResolveDataFile(FolderHolding(folders, name), name), name);
}

SortedTextFile SortedTextFile::View(std::string bytes) const {
    SortedTextFile view = Own(std::move(bytes), displayName_);
    view.fields_ = fields_;
    view.mostFields_ = mostFields_;
    return view;
}

std::vector<SortedTextFile::Record> SortedTextFile::AtLinesFrom(
    std::size_t offset, const std::function<std::vector<Record>()>& read) const {
    try {
        return read();
    } catch (const DataFileError& error) {
        if (error.line() <= 0) {
            throw;
        }
        throw DataFileError(displayName_, sampled_->LineAt(offset) + error.line() - 1,
                            error.problem());
    }
}

SortedTextFile SortedTextFile::Own(std::string bytes, const std::string& displayName) {
    auto owned = std::make_shared<const std::string>(std::move(bytes));
    SortedTextFile file;
    file.bytes_ = *owned;
    file.storage_ = std::move(owned);
    file.displayName_ = displayName;
    return file;
}

int SortedTextFile::WholeNumber(std::u16string_view text) {
    if (text.empty() || text.size() > 9) {
        return -1;
    }
    int value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return -1;
        }
        value = value * 10 + (c - u'0');
    }
    return value;
}

std::size_t SortedTextFile::LineStart(std::size_t offset) const {
    // rfind gives npos when the line is the first, and npos + 1 is 0.
    return offset == 0 ? 0 : bytes_.rfind('\n', offset - 1) + 1;
}

std::size_t SortedTextFile::NextLine(std::size_t offset) const {
    const std::size_t end = bytes_.find('\n', offset);
    return end == std::string_view::npos ? bytes_.size() : end + 1;
}

std::string_view SortedTextFile::KeyAt(std::size_t lineStart) const {
    const std::size_t end = bytes_.find_first_of(",\r\n", lineStart);
    return bytes_.substr(lineStart,
                         end == std::string_view::npos ? std::string_view::npos : end - lineStart);
}

std::vector<SortedTextFile::Record> SortedTextFile::Parse(std::size_t begin, std::size_t end,
                                                          std::size_t fields,
                                                          std::size_t most) const {
    std::vector<Record> records;
    if (begin >= end) {
        return records;
    }
    // Errors are raised with lines counted from begin and moved to the whole file's lines below.
    const auto fail = [&](int line, const std::string& problem) {
        throw DataFileError(displayName_, line, problem);
    };
    try {
        const std::u16string text = DecodeDataFile(bytes_.substr(begin, end - begin), displayName_);
        FieldReader reader(text, displayName_);
        while (!reader.AtEnd()) {
            reader.SkipBlankLines();
            const int line = reader.line();
            Record record;
            // fields 0: the fields of one line, however many.
            while (fields == 0 ? record.empty() || (reader.line() == line && !reader.AtEnd())
                               : record.size() < fields) {
                if (!record.empty() && reader.line() != line) {
                    fail(line, "項目が足りません（" + std::to_string(fields) + "項目のはずです）");
                }
                record.push_back(reader.ReadText());
            }
            while (record.size() < most && reader.line() == line && !reader.AtEnd()) {
                record.push_back(reader.ReadText());
            }
            if (reader.line() == line && !reader.AtEnd()) {
                fail(line, "項目が多すぎます（" + std::to_string(std::max(fields, most)) +
                               "項目のはずです）");
            }
            if (fields > 0 && WholeNumber(record.back()) < 0) {
                fail(line, "最後の項目が数ではありません");
            }
            records.push_back(std::move(record));
        }
    } catch (const DataFileError& error) {
        throw DataFileError(displayName_, LineOfByte(bytes_, begin) + error.line() - 1,
                            error.problem());
    }
    return records;
}

SortedTextFile::Record SortedTextFile::TakeHeaderLine() {
    const std::size_t end = NextLine(searchStart_);
    std::vector<Record> records = Parse(searchStart_, end, 0, 0);
    if (records.size() != 1) {
        throw DataFileError(displayName_, 1, "1行目がありません");
    }
    searchStart_ = end;
    return std::move(records.front());
}

std::vector<SortedTextFile::Record> SortedTextFile::EndLines() const {
    std::vector<Record> records;
    if (sampled_ != nullptr) {
        for (SampledFileLines::Range range : {sampled_->FirstLine(), sampled_->LastLine()}) {
            const SortedTextFile view = View(std::move(range.bytes));
            for (Record& record : AtLinesFrom(range.offset, [&] {
                     return view.Parse(0, view.bytes_.size(), fields_, mostFields_);
                 })) {
                records.push_back(std::move(record));
            }
        }
        return records;
    }
    if (searchStart_ >= bytes_.size()) {
        return records;
    }
    for (Record& record : Parse(searchStart_, NextLine(searchStart_), fields_, mostFields_)) {
        records.push_back(std::move(record));
    }
    const std::size_t last = std::max(searchStart_, LineStart(bytes_.size() - 1));
    for (Record& record : Parse(last, bytes_.size(), fields_, mostFields_)) {
        records.push_back(std::move(record));
    }
    return records;
}

void SortedTextFile::CheckSorted() const {
    if (sampled_ != nullptr) {
        return;  // the samples at opening, the lines around a key at each lookup
    }
    if (bytes_.find_first_not_of(" \t\r\n", searchStart_) == std::string_view::npos) {
        throw DataFileError(displayName_, LineOfByte(bytes_, searchStart_), "ファイルが空です");
    }
    // One pass over the lines by memchr: the index has hundreds of thousands of them.
    const char* const end = bytes_.data() + bytes_.size();
    std::string_view previous;
    for (const char* line = bytes_.data() + searchStart_; line < end;) {
        const char* lineEnd = static_cast<const char*>(std::memchr(line, '\n', end - line));
        lineEnd = lineEnd == nullptr ? end : lineEnd;
        const char* comma = static_cast<const char*>(std::memchr(line, ',', lineEnd - line));
        const std::string_view key(line, (comma == nullptr ? lineEnd : comma) - line);
        if (key < previous) {
            throw DataFileError(displayName_,
                                LineOfByte(bytes_, static_cast<std::size_t>(line - bytes_.data())),
                                "読みの順に並んでいません（前の行より前に来る読みです）");
        }
        previous = key;
        line = lineEnd + 1;
    }
}

std::vector<SortedTextFile::Record> SortedTextFile::Find(std::u16string_view key) const {
    if (sampled_ == nullptr) {
        return FindInBytes(key);
    }
    const std::optional<std::string> encoded = EncodeCp932(key);
    if (!encoded) {
        return {};
    }
    SampledFileLines::Range range = sampled_->LinesAround(*encoded);
    const SortedTextFile view = View(std::move(range.bytes));
    // Only the lines around the key are read: their order is checked here.
    return AtLinesFrom(range.offset, [&] {
        view.CheckSorted();
        return view.FindInBytes(key);
    });
}

std::vector<SortedTextFile::Record> SortedTextFile::FindInBytes(std::u16string_view key) const {
    const std::optional<std::string> encoded = EncodeCp932(key);
    if (!encoded) {
        return {};
    }
    // The first line whose key is not less than the one sought; low and high are line starts.
    std::size_t low = searchStart_;
    std::size_t high = bytes_.size();
    while (low < high) {
        const std::size_t line = std::max(low, LineStart(low + (high - low) / 2));
        if (KeyAt(line) < std::string_view(*encoded)) {
            low = NextLine(line);
        } else {
            high = line;
        }
    }
    std::size_t end = low;
    while (end < bytes_.size() && KeyAt(end) == std::string_view(*encoded)) {
        end = NextLine(end);
    }
    return Parse(low, end, fields_, mostFields_);
}

}  // namespace namori
