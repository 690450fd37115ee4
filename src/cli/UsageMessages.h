#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
class Error;
class Validator;
}  // namespace CLI

namespace namori {

// Checks of option values whose refusals are in Japanese, in place of the parser's own.
CLI::Validator ExistingFolder();
CLI::Validator WholeNumberFrom(int low, int high);
CLI::Validator OneOf(std::vector<std::string> words);

// What the parser would misread, said in Japanese (empty when nothing): "--name=" with nothing
// after the "=" (the parser would take the next argument as its value), and "---name" (taken as
// a name, so that the message would blame another argument).
std::string MisreadArgument(int argc, const char* const* argv);

// The message of a refused command line, in Japanese, with the way to the usage text.
std::string UsageFailure(const CLI::App* app, const CLI::Error& error);
// Makes app's refusals and help text Japanese: UsageFailure, the help option and the headings.
void UseJapaneseHelp(CLI::App& app);

}  // namespace namori
