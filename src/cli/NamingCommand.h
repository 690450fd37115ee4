#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace namori {

struct JudgementStore;

// The name-choosing aid on the command line: every given name read as reading, judged beside
// surname and ranked, as a table or as JSON lines. Returns the exit code.
int RunNamingCommand(JudgementStore& store, const std::vector<std::filesystem::path>& folders,
                     const std::string& surname, const std::string& reading, const std::string& sex,
                     int limit, bool complement, bool json);

}  // namespace namori
