#include <cstdio>
#include <exception>

#include "cli/JudgeCommand.h"

int main(int argc, char** argv) {
    try {
        return namori::RunJudgeCommand(argc, argv);
    } catch (const std::exception& error) {
        // Nothing is written to the user's files by this program, so nothing is left half done.
        std::fprintf(stderr, "namori-judge: 予期しないエラーで終了します（%s）。\n", error.what());
        return namori::kUnexpectedError;
    }
}
