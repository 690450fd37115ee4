#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/FileReading.h"

namespace namori {

// A large data file of lines sorted by key, looked up where it lies instead of read into memory:
// at opening, the key and place of the line that starts after every kSampleSpacing-th byte are
// read and checked to be in order; a lookup then reads only the lines between two such samples,
// and the caller checks their order. Before reading, a lookup checks that the file has the size
// and time it had at opening, so a file rewritten in place is refused, never read half old and
// half new; a file replaced by a new one (written elsewhere and renamed) is read as it was.
class SampledFileLines {
  public:
    static constexpr std::size_t kSampleSpacing = 16 * 1024;

    // Bytes of whole lines, and where in the file they start.
    struct Range {
        std::string bytes;
        std::size_t offset = 0;
    };

    // Opens path and reads the samples. Throws DataFileError as ReadRegularFile does, when the
    // file holds nothing but blanks, or names the line of a sample whose key sorts before the
    // key of the sample above.
    static std::shared_ptr<const SampledFileLines> Open(const std::filesystem::path& path,
                                                        const std::string& displayName);

    // The lines from the last sample whose key is below key up to the first sample whose key is
    // above it: in a sorted file, every line of key is among them. Throws DataFileError when the
    // file changed since it was opened, or cannot be read.
    Range LinesAround(std::string_view key) const;
    // The first and the last line.
    Range FirstLine() const;
    Range LastLine() const;
    // The line, counted from 1, that starts at offset (for messages: reads the file up to it).
    int LineAt(std::size_t offset) const;

  private:
    struct Sample {
        std::string key;
        std::size_t offset = 0;
    };

    // The bytes from begin up to end (at most the file's size) as they are now.
    std::string ReadAt(std::size_t begin, std::size_t end) const;
    // Where the first line starting at or after offset starts; the size when none does.
    std::size_t NextLineStart(std::size_t offset) const;

    OpenedFile file_;
    std::string displayName_;
    std::size_t size_ = 0;
    std::vector<Sample> samples_;
};

}  // namespace namori
