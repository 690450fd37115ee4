#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "analysis/StrokeCounting.h"

namespace namori {

// What namori-judge was asked to do, as its arguments say.
struct JudgeOptions {
    std::optional<std::filesystem::path> dataFolder;  // --data
    bool complement = false;
    StrokeCounting counting = StrokeCounting::Modern;  // --count
    bool json = false;
    bool html = false;  // --html: the detailed reading as one HTML page
    bool batch = false;
    std::string surname;  // UTF-8, as typed
    std::string givenName;
    std::string reading;  // --reading: the name-choosing aid instead of one judgement
    std::string kanji;    // --kanji: the name-choosing aid for names holding this kanji
    std::string sex;
    int limit = 0;
    bool all = false;           // --all: the rare compositions too
    bool goodOnly = false;      // --good-only: only names whose three faces are favourable
    std::string sort;           // --sort fortune: faces and marks before the bands
    bool luckyStrokes = false;  // --lucky-strokes: the favourable stroke patterns instead
    int characters = 2;         // --chars: given-name length of the patterns
    int nameLength = 0;         // --chars with --reading or --kanji; 0: any length
    std::u16string furigana;    // --furigana: the name's reading, as the 鑑定書 prints it
    // --compare: the surname, then the given names (each may end in =reading) to set side by side
    std::vector<std::string> compare;
};

// The streams a run reads names from and writes results and messages to.
struct JudgeStreams {
    std::FILE* input = stdin;
    std::FILE* output = stdout;
    std::FILE* errors = stderr;
};

}  // namespace namori
