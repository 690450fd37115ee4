#include "cli/LuckyStrokesCommand.h"

#include <cerrno>
#include <nlohmann/json.hpp>
#include <optional>

#include "analysis/LuckNumbers.h"
#include "cli/JudgeCommand.h"
#include "cli/JudgementReport.h"
#include "cli/StandardStreams.h"
#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "naming/LuckyStrokes.h"
#include "naming/NameGuide.h"

namespace namori {

namespace {

constexpr std::size_t kExamples = 5;
// One line, so that a reader of the table finds the columns at once; it says what every row is:
// the given name's counts by character, each row's three verdicts all good.
constexpr const char* kHeader =
    "順位\t名前の画数（1字目,2字目…）\t祖運\t主運\t初運\t助運\t総運\t"
    "例（1字目 / 2字目 …）※どの行も５運・５行・陰陽の三つとも良\n";

std::string Examples(const std::vector<char16_t>& kanji) {
    return Utf16ToUtf8(
        std::u16string(kanji.begin(), kanji.begin() + std::min(kanji.size(), kExamples)));
}

}  // namespace

int RunLuckyStrokesCommand(const ReferenceTables& tables,
                           const std::vector<std::filesystem::path>& folders,
                           const JudgeOptions& options, const JudgeStreams& streams) {
    std::optional<NameGuide> guide;
    try {
        guide = NameGuide::Open(folders);
    } catch (const DataFileError& error) {
        WriteText(streams.errors, std::string("namori-judge: ") + error.what() + "\n");
        return kDataProblem;
    }
    const LuckyPatterns found = FindLuckyPatterns(tables, TypedText(options.surname),
                                                  options.characters, options.complement, &*guide);
    if (!found.surnameProblem.ready()) {
        WriteText(streams.errors,
                  "namori-judge: " + Utf16ToUtf8(found.surnameProblem.message) + "\n");
        return kNameRefused;
    }
    std::array<std::vector<char16_t>, kMaxPatternStrokes + 1> kanjiOf;
    for (int strokes = 1; strokes <= kMaxPatternStrokes; ++strokes) {
        kanjiOf[strokes] = KanjiOfStrokes(tables.dictionary, strokes, &*guide);
    }
    std::string output = options.json ? "" : kHeader;
    int rank = 0;
    for (const LuckyPattern& pattern : found.patterns) {
        if (options.limit > 0 && rank >= options.limit) {
            break;
        }
        ++rank;
        if (options.json) {
            nlohmann::ordered_json luck = nlohmann::ordered_json::array();
            nlohmann::ordered_json examples = nlohmann::ordered_json::array();
            for (std::size_t i = 0; i < pattern.luck.size(); ++i) {
                luck.push_back({{"name", Utf16ToUtf8(kLuckFields[i].name)},
                                {"value", pattern.luck[i]},
                                {"mark", Utf16ToUtf8(MarkSymbol(pattern.marks[i]))}});
            }
            for (std::int16_t count : pattern.counts) {
                examples.push_back(Examples(kanjiOf[count]));
            }
            nlohmann::ordered_json line;
            line["rank"] = rank;
            line["counts"] = pattern.counts;
            line["strokes"] = pattern.strokes;
            line["luck"] = std::move(luck);
            line["spellings"] = pattern.spellings;
            line["examples"] = std::move(examples);
            AddCounting(line, options.counting);
            output += line.dump() + "\n";
            continue;
        }
        std::string row = std::to_string(rank) + "\t";
        for (std::size_t i = 0; i < pattern.counts.size(); ++i) {
            row += (i > 0 ? "," : "") + std::to_string(pattern.counts[i]);
        }
        for (std::size_t i = 0; i < pattern.luck.size(); ++i) {
            row +=
                "\t" + std::to_string(pattern.luck[i]) + Utf16ToUtf8(MarkSymbol(pattern.marks[i]));
        }
        row += "\t";
        for (std::size_t i = 0; i < pattern.counts.size(); ++i) {
            row += (i > 0 ? " / " : "") + Examples(kanjiOf[pattern.counts[i]]);
        }
        output += row + "\n";
    }
    if (!options.json) {
        output += CountingNoteLine(options.counting);
    }
    return WriteText(streams.output, output) ? kJudged : ReportWriteFailure(streams.errors, errno);
}

}  // namespace namori
