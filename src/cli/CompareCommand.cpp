#include "cli/CompareCommand.h"

#include <cerrno>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "analysis/LuckNumbers.h"
#include "cli/JudgeCommand.h"
#include "cli/JudgementReport.h"
#include "cli/StandardStreams.h"
#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "naming/NameComparison.h"
#include "naming/ReadingGrounds.h"
#include "rules/VerdictWords.h"

namespace namori {

namespace {

bool HasGrounding(const std::vector<ComparedName>& names) {
    for (const ComparedName& name : names) {
        if (name.grounding) {
            return true;
        }
    }
    return false;
}

std::string Header(bool grounding) {
    std::string header = "名字\t名前\t読み\t画数";
    for (const LuckField& field : kLuckFields) {
        header += "\t" + Utf16ToUtf8(field.name);
    }
    header += "\t5運\t5行\t陰陽";
    return header + (grounding ? "\t読みの根拠\n" : "\n");
}

std::string AsRow(const ComparedName& name, bool grounding) {
    std::string row = Utf16ToUtf8(name.entry.surname) + "\t" + Utf16ToUtf8(name.entry.givenName) +
                      "\t" + Utf16ToUtf8(name.entry.reading) + "\t" +
                      Utf16ToUtf8(StrokesText(name));
    for (std::size_t i = 0; i < name.luck.size(); ++i) {
        row += "\t" + std::to_string(name.luck[i]) + Utf16ToUtf8(MarkSymbol(name.marks[i]));
    }
    for (const Rating face : name.faces) {
        row += "\t" + Utf16ToUtf8(RatingWord(face));
    }
    if (grounding) {
        row += "\t" + Utf16ToUtf8(name.grounding.value_or(u""));
    }
    return row + "\n";
}

nlohmann::ordered_json AsJson(const ComparedName& name) {
    nlohmann::ordered_json result;
    result["surname"] = Utf16ToUtf8(name.entry.surname);
    result["givenName"] = Utf16ToUtf8(name.entry.givenName);
    result["reading"] = Utf16ToUtf8(name.entry.reading);
    result["complement"] = name.entry.complement;
    result["strokes"] = name.strokes;
    nlohmann::ordered_json luck = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < name.luck.size(); ++i) {
        luck.push_back({{"name", Utf16ToUtf8(kLuckFields[i].name)},
                        {"value", name.luck[i]},
                        {"mark", Utf16ToUtf8(MarkSymbol(name.marks[i]))}});
    }
    result["luck"] = std::move(luck);
    nlohmann::ordered_json faces = nlohmann::ordered_json::array();
    for (const Rating face : name.faces) {
        faces.push_back(std::string(RatingName(face)));
    }
    result["faces"] = std::move(faces);
    if (name.grounding) {
        result["grounding"] = Utf16ToUtf8(*name.grounding);
    }
    return result;
}

}  // namespace

int RunCompareCommand(const ReferenceTables& tables,
                      const std::vector<std::filesystem::path>& namingFolders,
                      const JudgeOptions& options, const JudgeStreams& streams) {
    std::vector<ShortlistEntry> entries;
    const std::u16string surname = TypedText(options.compare.front());
    for (std::size_t i = 1; i < options.compare.size(); ++i) {
        const std::u16string typed = TypedText(options.compare[i]);
        const std::size_t equals = typed.find(u'=');
        ShortlistEntry entry{surname, typed.substr(0, equals),
                             equals == std::u16string::npos ? u"" : typed.substr(equals + 1),
                             options.complement};
        if (const auto problem = ShortlistEntryProblem(entry);
            problem && equals != std::u16string::npos) {
            WriteText(streams.errors, "namori-judge: " + Utf16ToUtf8(*problem) + "\n");
            return kUsage;
        }
        entries.push_back(std::move(entry));
    }
    std::vector<ComparedName> compared = CompareNames(entries, tables);
    try {
        GroundReadings(compared, ReadingGroundsIndex::Open(namingFolders));
    } catch (const DataFileError& error) {
        WriteText(streams.errors, std::string("namori-judge: ") + error.what() + "\n");
        return kDataProblem;
    }
    const bool grounding = HasGrounding(compared);
    std::string output = options.json ? "" : Header(grounding);
    std::string refusals;
    for (const ComparedName& name : compared) {
        if (!name.judged) {
            refusals += "namori-judge: " + Utf16ToUtf8(name.entry.surname) + " " +
                        Utf16ToUtf8(name.entry.givenName) + ": " +
                        Utf16ToUtf8(name.preparation.message) + "\n";
            if (options.json) {
                output += RefusalAsJson(name.entry.surname, name.entry.givenName, name.preparation)
                              .dump() +
                          "\n";
            }
            continue;
        }
        output += options.json ? AsJson(name).dump() + "\n" : AsRow(name, grounding);
    }
    if (!WriteText(streams.output, output)) {
        return ReportWriteFailure(streams.errors, errno);
    }
    WriteText(streams.errors, refusals);
    return refusals.empty() ? kJudged : kNameRefused;
}

}  // namespace namori
