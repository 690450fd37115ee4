#include "cli/NamingCommand.h"

#include <cerrno>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>

#include "analysis/LuckNumbers.h"
#include "analysis/NameLookup.h"
#include "analysis/NamePreparation.h"
#include "cli/JudgeCommand.h"
#include "cli/JudgementReport.h"
#include "cli/ReadingGroundsOutput.h"
#include "cli/StandardStreams.h"
#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/StrokeReference.h"
#include "naming/KanjiSearch.h"
#include "naming/NameCandidates.h"
#include "naming/NameGuide.h"
#include "naming/ReadingGrounds.h"
#include "rules/VerdictWords.h"

namespace namori {

namespace {

const char* KindWord(CandidateKind kind) {
    switch (kind) {
        case CandidateKind::RealName:
            return "real";
        case CandidateKind::Composition:
            return "composition";
        case CandidateKind::Kana:
            break;
    }
    return "kana";
}

const char* KindLabel(const NameCandidate& candidate) {
    switch (candidate.kind) {
        case CandidateKind::RealName:
            return "実在";
        case CandidateKind::Composition:
            return "組合";
        case CandidateKind::Kana:
            break;
    }
    return "かな";
}

// The TSV's first line names the columns; 5運・5行・陰陽 holds the faces in that order, 備考 says
// a count came from the reference table; then the reading and how each character reads it.
constexpr const char* kHeader =
    "順位\t名前\t読み分け\t自然さ\t種類\t画数\t祖運\t主運\t初運\t助運\t総運\t"
    "5運・5行・陰陽\t備考\t読み\t読みの根拠\n";

// The grounds of a reading as one field, with the note when a character has none.
std::string GroundsField(const std::vector<CharacterGround>& grounds) {
    std::string text = Utf16ToUtf8(GroundsText(grounds));
    if (HasUngroundedReading(grounds)) {
        text += "　※役所から読み方の説明を求められることがあります";
    }
    return text;
}

nlohmann::ordered_json AsJson(const NameCandidate& candidate, int rank) {
    nlohmann::ordered_json luck = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < candidate.luck.size(); ++i) {
        luck.push_back({{"name", Utf16ToUtf8(kLuckFields[i].name)},
                        {"value", candidate.luck[i]},
                        {"mark", Utf16ToUtf8(MarkSymbol(candidate.marks[i]))}});
    }
    nlohmann::ordered_json faces = nlohmann::ordered_json::array();
    for (Rating face : candidate.faces) {
        faces.push_back(std::string(RatingName(face)));
    }
    nlohmann::ordered_json result;
    result["rank"] = rank;
    result["spelling"] = Utf16ToUtf8(candidate.spelling);
    result["kind"] = KindWord(candidate.kind);
    result["sex"] = std::string(1, candidate.sex);
    result["commonness"] = candidate.commonness;
    result["natural"] = candidate.natural;
    result["naturalness"] = candidate.naturalness;
    result["band"] = Utf16ToUtf8(NaturalnessText(candidate));
    result["popularity"] = candidate.popularity;
    nlohmann::ordered_json pieces = nlohmann::ordered_json::array();
    for (const std::u16string& piece : candidate.pieces) {
        pieces.push_back(Utf16ToUtf8(piece));
    }
    result["pieces"] = std::move(pieces);
    result["readingSplit"] = Utf16ToUtf8(ReadingSplitText(candidate));
    result["fromReference"] = candidate.fromReference;
    result["surname"] = Utf16ToUtf8(candidate.surname);
    result["givenName"] = Utf16ToUtf8(candidate.givenName);
    result["strokes"] = candidate.strokes;
    result["luck"] = std::move(luck);
    result["faces"] = std::move(faces);
    result["reading"] = Utf16ToUtf8(candidate.reading);
    AddGroundsToJson(candidate.grounds, result);
    return result;
}

std::string AsRow(const NameCandidate& candidate, int rank) {
    std::string row = std::to_string(rank) + "\t" + Utf16ToUtf8(candidate.spelling) + "\t" +
                      Utf16ToUtf8(ReadingSplitText(candidate)) + "\t" +
                      Utf16ToUtf8(NaturalnessText(candidate)) + "\t" + KindLabel(candidate) + "\t";
    for (std::size_t i = 0; i < candidate.strokes.size(); ++i) {
        row += (i > 0 ? "," : "") + std::to_string(candidate.strokes[i]);
    }
    for (std::size_t i = 0; i < candidate.luck.size(); ++i) {
        row +=
            "\t" + std::to_string(candidate.luck[i]) + Utf16ToUtf8(MarkSymbol(candidate.marks[i]));
    }
    row += "\t";
    for (Rating face : candidate.faces) {
        row += Utf16ToUtf8(RatingWord(face));
    }
    return row + "\t" + (candidate.fromReference ? "参考画数" : "") + "\t" +
           Utf16ToUtf8(candidate.reading) + "\t" + GroundsField(candidate.grounds) + "\n";
}

}  // namespace

int RunNamingCommand(const ReferenceTables& tables,
                     const std::vector<std::filesystem::path>& folders, const JudgeOptions& options,
                     const JudgeStreams& streams) {
    const auto fail = [&](const std::string& message, int status) {
        WriteText(streams.errors, "namori-judge: " + message + "\n");
        return status;
    };
    const std::u16string wanted = TypedText(options.reading);
    if (!options.reading.empty()) {
        if (const auto problem = ReadingProblem(wanted)) {
            return fail(Utf16ToUtf8(*problem), kUsage);
        }
    }
    const SexFilter filter = options.sex == "男"   ? SexFilter::Male
                             : options.sex == "女" ? SexFilter::Female
                                                   : SexFilter::Either;
    const std::u16string surnameText = TypedText(options.surname);
    const NamePreparation check = CheckSurname(surnameText, options.complement, tables.dictionary);
    if (!check.ready()) {
        return fail(Utf16ToUtf8(check.message), kNameRefused);
    }
    std::vector<NameCandidate> ranked;
    std::optional<ReadingGroundsIndex> grounds;
    try {
        const NamingIndex index = NamingIndex::Open(folders);
        const NameGuide guide = NameGuide::Open(folders);
        std::vector<NameCandidate> candidates;
        if (!options.kanji.empty()) {
            const std::u16string kanji = TypedText(options.kanji);
            if (const auto problem = KanjiProblem(kanji, guide)) {
                return fail(Utf16ToUtf8(*problem), kUsage);
            }
            candidates = GenerateKanjiCandidates(
                index, NamesByKanjiIndex::Open(folders), guide,
                {kanji[0], wanted, filter, options.nameLength, options.all});
        } else {
            candidates = GenerateCandidates(index, wanted, filter, options.all, &guide);
            for (NameCandidate& candidate : candidates) {
                candidate.reading = wanted;
            }
            std::erase_if(candidates, [&options](const NameCandidate& c) {
                return options.nameLength > 0 &&
                       c.spelling.size() != static_cast<std::size_t>(options.nameLength);
            });
        }
        ranked = JudgeAndRank(tables, surnameText, std::move(candidates), options.complement,
                              ReadStrokeReference(FolderHolding(folders, kStrokeReferenceFile)),
                              options.sort == "fortune" ? RankOrder::Fortune : RankOrder::Natural);
        grounds = ReadingGroundsIndex::Open(folders);
    } catch (const DataFileError& error) {
        return fail(error.what(), kDataProblem);
    }
    if (!options.kanji.empty() && options.reading.empty()) {
        KeepFirstReadingOfEachSpelling(ranked);
    }
    if (options.goodOnly) {
        std::erase_if(ranked, [](const NameCandidate& c) { return !AllFacesFavourable(c); });
    }
    std::string output = options.json ? "" : kHeader;
    int rank = 0;
    for (NameCandidate& candidate : ranked) {
        if (options.limit > 0 && rank >= options.limit) {
            break;
        }
        ++rank;
        try {
            candidate.grounds = GroundReading(*grounds, candidate.spelling, candidate.reading);
        } catch (const DataFileError& error) {
            return fail(error.what(), kDataProblem);
        }
        if (options.json) {
            nlohmann::ordered_json line = AsJson(candidate, rank);
            AddCounting(line, options.counting);
            output += line.dump() + "\n";
        } else {
            output += AsRow(candidate, rank);
        }
    }
    if (!options.json) {
        output += CountingNoteLine(options.counting);
    }
    return WriteText(streams.output, output) ? kJudged : ReportWriteFailure(streams.errors, errno);
}

}  // namespace namori
