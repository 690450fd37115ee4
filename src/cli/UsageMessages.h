#pragma once

#include <string>

namespace CLI {
class App;
class Error;
class Validator;
}  // namespace CLI

namespace namori {

// Checks of option values whose refusals are in Japanese, in place of the parser's own.
CLI::Validator ExistingFolder();
CLI::Validator WholeNumberFrom(int low, int high);
CLI::Validator OneOf(const std::string& first, const std::string& second);

// The message of a refused command line, in Japanese, with the way to the usage text.
std::string UsageFailure(const CLI::App* app, const CLI::Error& error);
// Makes app's refusals and help text Japanese: UsageFailure, the help option and the headings.
void UseJapaneseHelp(CLI::App& app);

}  // namespace namori
