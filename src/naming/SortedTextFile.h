#pragma once

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace namori {

class SampledFileLines;

// A code page 932 data file of comma-separated lines sorted by their first field's bytes,
// looked up by binary search: only the lines of the key sought are decoded and parsed.
class SortedTextFile {
  public:
    using Record = std::vector<std::u16string>;

    // Reads path into memory once: a file rewritten while in use changes nothing already read.
    // Throws DataFileError as ReadRegularFile does.
    static SortedTextFile Read(const std::filesystem::path& path, const std::string& displayName);
    // Reads the file called name from the first of folders that holds it.
    static SortedTextFile ReadFirstFound(const std::vector<std::filesystem::path>& folders,
                                         const char* name);
    // Holds bytes itself.
    static SortedTextFile Own(std::string bytes, const std::string& displayName);
    // Leaves a large file where it lies and reads only the lines a lookup needs (see
    // SampledFileLines): its order is checked at opening, and a lookup after the file was
    // rewritten in place throws DataFileError. Throws DataFileError as Read does. A file opened
    // so has no header line to take.
    static SortedTextFile OpenSampled(const std::filesystem::path& path,
                                      const std::string& displayName);
    static SortedTextFile OpenFirstFoundSampled(const std::vector<std::filesystem::path>& folders,
                                                const char* name);

    // How a line must look: exactly fields fields (or up to most, when more is given: a file
    // that gained fields still reads where its older form does), the last one a whole number
    // (WholeNumber). Reading a line of another form throws DataFileError naming the line.
    void ExpectFields(std::size_t fields, std::size_t most = 0) {
        fields_ = fields;
        mostFields_ = std::max(fields, most);
    }

    // Leaves the first line out of the search and returns its fields, however many.
    Record TakeHeaderLine();
    // The first and the last line searched (none when the file is empty), to find a truncated
    // or foreign file up front.
    std::vector<Record> EndLines() const;
    // Throws DataFileError naming the first line whose key sorts before the key of the line above
    // it, or when no line but blank ones is searched: either would hide every key from the
    // search.
    void CheckSorted() const;
    // Every line whose first field is key, in the file's order.
    std::vector<Record> Find(std::u16string_view key) const;

    // A whole number of one to nine digits; -1 for anything else.
    static int WholeNumber(std::u16string_view text);
    const std::string& displayName() const { return displayName_; }

  private:
    std::size_t LineStart(std::size_t offset) const;
    std::size_t NextLine(std::size_t offset) const;
    std::string_view KeyAt(std::size_t lineStart) const;
    std::vector<Record> Parse(std::size_t begin, std::size_t end, std::size_t fields,
                              std::size_t most) const;
    // A file of some of this file's lines, read as its lines are.
    SortedTextFile View(std::string bytes) const;
    std::vector<Record> FindInBytes(std::u16string_view key) const;
    // Does what reads lines of a sampled file from offset, giving an error the line of the whole
    // file.
    std::vector<Record> AtLinesFrom(std::size_t offset,
                                    const std::function<std::vector<Record>()>& read) const;

    std::size_t fields_ = 1;
    std::size_t mostFields_ = 1;
    std::shared_ptr<const std::string> storage_;
    std::string_view bytes_;
    std::size_t searchStart_ = 0;
    std::string displayName_;
    std::shared_ptr<const SampledFileLines> sampled_;
};

}  // namespace namori
