#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace namori {

// A data file that is missing, unreadable or malformed. Names the file, the line (0 when the
// problem concerns the whole file) and what is wrong, in Japanese, ready to show to the user.
class DataFileError : public std::runtime_error {
  public:
    DataFileError(std::string fileName, int line, std::string problem);

    const std::string& fileName() const { return fileName_; }
    int line() const { return line_; }
    const std::string& problem() const { return problem_; }

  private:
    std::string fileName_;
    int line_;
    std::string problem_;
};

// A file or folder name set off in a message: 「name」.
std::string Quoted(std::string_view name);

}  // namespace namori
