#include "data/DataFileError.h"

namespace namori {

namespace {

std::string Describe(const std::string& fileName, int line, const std::string& problem) {
    std::string text = Quoted(fileName);
    if (line > 0) {
        text += "の" + std::to_string(line) + "行目";
    }
    return text + ": " + problem;
}

}  // namespace

std::string Quoted(std::string_view name) {
    return "「" + std::string(name) + "」";
}

DataFileError::DataFileError(std::string fileName, int line, std::string problem)
    : std::runtime_error(Describe(fileName, line, problem)),
      fileName_(std::move(fileName)),
      line_(line),
      problem_(std::move(problem)) {}

}  // namespace namori
