#include "cli/JudgeCommand.h"

int main(int argc, char** argv) {
    return namori::RunJudgeCommand(argc, argv);
}
