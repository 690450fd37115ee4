#include "cli/UsageMessages.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <limits>
#include <string_view>

namespace namori {

namespace {

// The option a parser message begins with ("--limit: ..."), or nothing.
std::string OptionNamedIn(std::string_view message) {
    const std::size_t colon = message.find(':');
    if (!message.starts_with('-') || colon == std::string_view::npos) {
        return {};
    }
    return std::string(message.substr(0, colon));
}

}  // namespace

CLI::Validator ExistingFolder() {
    return CLI::Validator(
        [](std::string& value) -> std::string {
            std::error_code error;
            if (std::filesystem::is_directory(value, error)) {
                return {};
            }
            return "フォルダ「" + value + "」がありません";
        },
        "");
}

CLI::Validator WholeNumberFrom(int low, int high) {
    return CLI::Validator(
        [low, high](std::string& value) -> std::string {
            // Read here, digit by digit, so that nothing is left for the parser to refuse.
            long long number = 0;
            bool digits = !value.empty() && value.size() <= 10;
            for (const char c : value) {
                digits = digits && c >= '0' && c <= '9';
                number = number * 10 + (c - '0');
            }
            if (digits && number >= low && number <= high) {
                return {};
            }
            return "「" + value + "」ではなく、" + std::to_string(low) + "から" +
                   std::to_string(high) + "までの数を指定してください";
        },
        "");
}

CLI::Validator OneOf(std::vector<std::string> words) {
    return CLI::Validator(
        [words](std::string& value) -> std::string {
            std::string choices;
            for (const std::string& word : words) {
                if (value == word) {
                    return {};
                }
                choices += (choices.empty() ? "" : " か ") + word;
            }
            return "「" + value + "」ではなく、" + choices + " を指定してください";
        },
        "");
}

std::string MisreadArgument(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--") {
            break;
        }
        if (argument.starts_with("--") && argument.size() > 3 && argument.ends_with('=')) {
            return std::string(argument.substr(0, argument.size() - 1)) +
                   " の値が空です。= の後に値を書いてください";
        }
        if (argument.starts_with("---")) {
            return "「" + std::string(argument) + "」というオプションはありません";
        }
    }
    return {};
}

std::string UsageFailure(const CLI::App* app, const CLI::Error& error) {
    const std::string option = OptionNamedIn(error.what());
    std::string text;
    if (dynamic_cast<const CLI::ValidationError*>(&error) != nullptr) {
        text = error.what();  // the checks above and the command's own rules say it in Japanese
    } else if (dynamic_cast<const CLI::ExcludesError*>(&error) != nullptr) {
        const std::string message = error.what();
        const std::size_t cut = message.find(" excludes ");
        text = cut == std::string::npos ? "一緒に使えないオプションがあります"
                                        : message.substr(0, cut) + " と " +
                                              message.substr(cut + 10) + " は一緒に使えません";
    } else if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
        text = "使えない引数があります:";
        for (const std::string& argument : app->remaining()) {
            text += " " + argument;
        }
    } else if (!option.empty()) {
        text = option + " の値が正しくありません（値がないか、多すぎるか、読めません）";
    } else {
        text = "引数を読めません";
    }
    return "namori-judge: " + text + "\n使い方は namori-judge --help で表示します。\n";
}

void UseJapaneseHelp(CLI::App& app) {
    app.option_defaults()->group("オプション");
    app.set_help_flag("-h,--help", "この使い方を表示して終わる");
    app.failure_message(UsageFailure);
    const auto formatter = app.get_formatter();
    formatter->label("Usage", "使い方");
    formatter->label("OPTIONS", "オプション");
    formatter->label("Positionals", "引数");
    formatter->label("REQUIRED", "必須");
    formatter->label("Excludes", "併用不可");
    formatter->label("Needs", "必要");
    formatter->label("TEXT", "文字列");
    formatter->label("INT", "数");
}

}  // namespace namori
