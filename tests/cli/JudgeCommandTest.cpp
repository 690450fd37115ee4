#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "analysis/ReferenceTables.h"
#include "cli/JudgeCommand.h"
#include "cli/JudgementReport.h"
#include "data/Cp932.h"
#include "data/DataFolder.h"
#include "data/ReadingTextsFile.h"
#include "reading/DetailedReading.h"
#include "rules/Judgement.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::TempFolder;

struct RunResult {
    int status = -1;
    std::string output;
    std::string errors;
};

std::string Contents(std::FILE* stream) {
    std::string text;
    std::rewind(stream);
    char buffer[4096];
    for (std::size_t got = 0; (got = std::fread(buffer, 1, sizeof buffer, stream)) > 0;) {
        text.append(buffer, got);
    }
    return text;
}

// Runs namori-judge's command in this process as if started in folder with the given arguments
// and input, writing to output (a scratch file unless given). The user's data folder is inside
// folder, so no test touches the real one.
RunResult RunJudge(const TempFolder& folder, std::vector<std::string> arguments,
                   const std::string& input = "", std::FILE* inputStream = nullptr,
                   std::FILE* output = nullptr) {
    arguments.insert(arguments.begin(), "namori-judge");
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    std::FILE* in = inputStream != nullptr ? inputStream : std::tmpfile();
    if (inputStream == nullptr) {
        std::fwrite(input.data(), 1, input.size(), in);
        std::rewind(in);
    }
    std::FILE* out = output != nullptr ? output : std::tmpfile();
    std::FILE* errors = std::tmpfile();
    const JudgeStreams streams{in, out, errors};
    RunResult run;
    const auto parsed = ParseJudgeArguments(static_cast<int>(argv.size()), argv.data(), streams);
    if (const int* exit = std::get_if<int>(&parsed)) {
        run.status = *exit;
    } else {
        DataFolderSettings settings;
        settings.currentFolder = folder.path();
        settings.home = (folder.path() / "home").string();
        settings.shippedData = ShippedFolders("data");
        run.status = RunJudgeCommand(std::get<JudgeOptions>(parsed), settings, streams);
    }
    if (output == nullptr) {
        run.output = Contents(out);
    }
    run.errors = Contents(errors);
    for (std::FILE* stream : {in, out, errors}) {
        std::fclose(stream);
    }
    return run;
}

// A folder with the shipped spirit table and a small dictionary.
void WriteData(const TempFolder& folder) {
    std::filesystem::copy_file(testing::ShippedDataFolder() / u8"霊数.txt",
                               folder.path() / u8"霊数.txt");
    folder.WriteCp932("漢字辞書.txt", "\"白\",5\n\"鳥\",11\n\"杏\",7\n\"奈\",8\n\"林\",8\n");
}

TEST(NamoriJudge, JudgesTheWorkedExampleAsJson) {
    TempFolder folder;
    WriteData(folder);
    const RunResult run = RunJudge(folder, {"--json", "白鳥", "杏奈"});
    ASSERT_EQ(run.status, 0) << run.output;
    const auto json = nlohmann::ordered_json::parse(run.output);
    std::vector<std::string> keys;
    for (const auto& item : json.items()) {
        keys.push_back(item.key());
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"surname",
                                              "givenName",
                                              "chars",
                                              "strokes",
                                              "luck",
                                              "elementDigits",
                                              "elementTriple",
                                              "elementVerdict",
                                              "yinYangPattern",
                                              "yinYangVerdict",
                                              "faces",
                                              "elements",
                                              "elementPairs",
                                              "elementVerdictExplanation",
                                              "yinYangVerdictExplanation",
                                              "faceExplanations",
                                              "markLegend",
                                              "conclusion",
                                              "note",
                                              "caveat",
                                              "countingBasis",
                                              "luckyPatterns",
                                              "givenNameLawful",
                                              "unlawfulKanji"}));
    EXPECT_EQ(json["chars"], nlohmann::json::parse(R"(["白","鳥","杏","奈"])"));
    EXPECT_EQ(json["strokes"], nlohmann::json::parse("[5,11,7,8]"));
    const std::vector<std::pair<std::string, int>> luck = {
        {"祖運", 16}, {"主運", 18}, {"初運", 15}, {"助運", 13}, {"総運", 31}};
    for (std::size_t i = 0; i < luck.size(); ++i) {
        EXPECT_EQ(json["luck"][i]["name"], luck[i].first);
        EXPECT_EQ(json["luck"][i]["value"], luck[i].second);
        EXPECT_EQ(json["luck"][i]["mark"], "◎");
        EXPECT_FALSE(json["luck"][i]["phrase"].get<std::string>().empty());
    }
    EXPECT_EQ(json["elementDigits"], "6 - 8 - 5");
    EXPECT_EQ(json["elementTriple"], "土金土");
    EXPECT_EQ(json["elementVerdict"], "------");
    EXPECT_EQ(json["yinYangPattern"], "○○○●");
    EXPECT_EQ(json["yinYangVerdict"], "災難陰陽");
    EXPECT_EQ(json["faces"],
              nlohmann::json::parse(R"(["favourable","favourable","unfavourable"])"));
}

TEST(NamoriJudge, DetailedJsonGivesTheTableTextsOfEveryNumberAndOfReducedOnes) {
    ReferenceTables tables;
    LoadSpiritNumbers(tables, testing::ShippedDataFolder());
    const SpiritTable& table = tables.spiritTable;
    Judgement judgement;
    const ReadingTexts texts = LoadReadingTexts({testing::ShippedDataFolder()});
    // Each place reads its own aspects: 祖運 and 初運 from the texts file, the others from the
    // table's seven texts by their index.
    const std::vector<std::vector<std::pair<std::string, int>>> places{
        {{"家の流れ", -1}},
        {{"性格", 0}, {"仕事", 1}},
        {{"若い時期", -1}},
        {{"対人", 5}, {"家庭", 3}, {"恋愛・結婚", -1}},
        {{"金運", 2}, {"健康", 4}, {"総評", 6}}};
    std::vector<int> values;
    for (int value = 1; value <= 81; ++value) {
        values.push_back(value);
    }
    values.insert(values.end(), {82, 85, 161, 170});
    for (int value : values) {
        int row = value;
        while (row > 81) {
            row -= 80;
        }
        judgement.luck = {value, value, value, value, value};
        DetailedReading reading = ReadingOf(judgement, table);
        ExplainReading(reading, texts);
        const auto json = DetailedJudgementAsJson(judgement, table, reading);
        for (std::size_t place = 0; place < places.size(); ++place) {
            const auto& luck = json["luck"][place];
            ASSERT_EQ(luck["value"], value);
            ASSERT_EQ(luck["spiritNumber"], row);
            ASSERT_EQ(luck["phrase"], Utf16ToUtf8(table.spiritPhrase[row]));
            ASSERT_FALSE(luck["meaning"].get<std::string>().empty());
            ASSERT_EQ(luck["aspects"].size(), places[place].size());
            for (std::size_t aspect = 0; aspect < places[place].size(); ++aspect) {
                const auto& [name, index] = places[place][aspect];
                ASSERT_EQ(luck["aspects"][aspect]["name"], name);
                ASSERT_EQ(luck["aspects"][aspect]["text"],
                          index < 0 ? Utf16ToUtf8(reading.luck[place].aspects[aspect].text)
                                    : Utf16ToUtf8(table.furtherTexts[row][index]))
                    << value;
                ASSERT_FALSE(luck["aspects"][aspect]["text"].get<std::string>().empty());
            }
        }
        ASSERT_EQ(json["conclusion"], Utf16ToUtf8(reading.conclusion));
        ASSERT_NE(json["conclusion"].get<std::string>().find(std::to_string(value)),
                  std::string::npos);
        ASSERT_EQ(json["note"], Utf16ToUtf8(reading.closingNote));
    }
}

TEST(NamoriJudge, HtmlReadingAndItsMisuses) {
    TempFolder folder;
    WriteData(folder);
    const RunResult html = RunJudge(folder, {"--html", "白鳥", "杏奈"});
    ASSERT_EQ(html.status, 0) << html.errors;
    EXPECT_EQ(html.output.rfind("<!DOCTYPE html>", 0), 0u);
    for (const char* expected :
         {"<meta charset=\"utf-8\"/>", "白", "鉄志成功", "総合鑑定", "鑑定日", "</html>"}) {
        EXPECT_NE(html.output.find(expected), std::string::npos) << expected;
    }
    EXPECT_EQ(RunJudge(folder, {"--html", "--json", "白鳥", "杏奈"}).status, 1);
    EXPECT_EQ(RunJudge(folder, {"--html", "--batch"}).status, 1);
    EXPECT_EQ(RunJudge(folder, {"--html", "彁鳥", "杏奈"}).status, 3);
    // The reading above the name: two parts of hiragana, else a usage error naming the option.
    EXPECT_NE(RunJudge(folder, {"--html", "--furigana", "しらとり,あんな", "白鳥", "杏奈"})
                  .output.find("しらとり　あんな"),
              std::string::npos);
    for (const char* wrong :
         {"しらとり", "しらとり,", "シラトリ,あんな", "しら,とり,あんな", "<b>,あんな"}) {
        const RunResult run = RunJudge(folder, {"--html", "--furigana", wrong, "白鳥", "杏奈"});
        EXPECT_TRUE(run.status == 1 && run.errors.find("--furigana") != std::string::npos) << wrong;
    }
    // A kanji a child's name may not have is named in the reading and in the JSON.
    folder.WriteCp932("漢字辞書.txt", "\"白\",5\n\"鳥\",11\n\"杏\",7\n\"斂\",17\n");
    const std::string unlawful = "「斂」は子の名前には使えない漢字です（戸籍に届け出できません）";
    EXPECT_NE(RunJudge(folder, {"--html", "白鳥", "斂杏"}).output.find(unlawful),
              std::string::npos);
    EXPECT_EQ(RunJudge(folder, {"--html", "白鳥", "杏"}).output.find(unlawful), std::string::npos);
    const auto json = nlohmann::json::parse(RunJudge(folder, {"--json", "白鳥", "斂杏"}).output);
    EXPECT_EQ(json["givenNameLawful"], false);
    EXPECT_EQ(json["unlawfulKanji"], "斂");
}

TEST(NamoriJudge, ComplementAndReadableTable) {
    TempFolder folder;
    WriteData(folder);
    const RunResult json = RunJudge(folder, {"--complement", "--json", "林", "杏"});
    ASSERT_EQ(json.status, 0);
    const auto parsed = nlohmann::json::parse(json.output);
    EXPECT_EQ(parsed["surname"], "１林");
    EXPECT_EQ(parsed["givenName"], "杏１");
    EXPECT_EQ(parsed["strokes"], nlohmann::json::parse("[1,8,7,1]"));

    const RunResult table = RunJudge(folder, {"白鳥", "杏奈"});
    ASSERT_EQ(table.status, 0);
    for (const char* expected :
         {"祖運", "総運　 31", "土金土 ------", "災難陰陽", "５運 良", "陰陽 悪"}) {
        EXPECT_NE(table.output.find(expected), std::string::npos) << expected;
    }
}

TEST(NamoriJudge, RefusedNamesExitWithThree) {
    TempFolder folder;
    WriteData(folder);
    const RunResult unregistered = RunJudge(folder, {"--json", "犬鳥", "杏子"});
    EXPECT_EQ(unregistered.status, 3);
    const auto json = nlohmann::json::parse(unregistered.output);
    EXPECT_EQ(json["error"], "unregistered");
    EXPECT_EQ(json["unregistered"], nlohmann::json::parse(R"(["犬","子"])"));
    EXPECT_FALSE(json["message"].get<std::string>().empty());

    EXPECT_EQ(nlohmann::json::parse(RunJudge(folder, {"--json", "白鳥林鳥", "杏"}).output)["error"],
              "tooLong");
    EXPECT_EQ(nlohmann::json::parse(RunJudge(folder, {"--json", "𠮷田", "杏"}).output)["error"],
              "unsupportedCharacter");
    EXPECT_EQ(RunJudge(folder, {"白鳥", "杏子"}).status, 3);
}

TEST(NamoriJudge, UsageAndDataProblems) {
    TempFolder folder;
    EXPECT_EQ(RunJudge(folder, {"白鳥"}).status, 1);
    EXPECT_EQ(RunJudge(folder, {"--unknown", "白鳥", "杏奈"}).status, 1);
    EXPECT_EQ(RunJudge(folder, {"--batch", "白鳥", "杏奈"}).status, 1);
    EXPECT_EQ(RunJudge(folder, {"--help"}).status, 0);

    // No data files in the folder asked for; then a malformed dictionary, named with its line
    // in the message.
    EXPECT_EQ(RunJudge(folder, {"--data", folder.path().string(), "白鳥", "杏奈"}).status, 2);
    WriteData(folder);
    folder.WriteCp932("漢字辞書.txt", "\"白\",5\n\"鳥\",x\n");
    const RunResult malformed = RunJudge(folder, {"白鳥", "杏奈"});
    EXPECT_EQ(malformed.status, 2);
    EXPECT_NE(malformed.errors.find("「漢字辞書.txt」の2行目"), std::string::npos)
        << malformed.errors;
}

// Every refusal says in Japanese what is wrong; the only Latin letters are option names.
// The first run of two or more ASCII letters in text outside the program's name, options and
// paths: what an untranslated message leaves. (No std::regex: GCC 12 warns inside it at -O1.)
std::string EnglishWordIn(const std::string& text) {
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    std::size_t at = 0;
    while (at < text.size()) {
        if (text.compare(at, 12, "namori-judge") == 0) {
            at += 12;
        } else if (text.compare(at, 7, "fortune") == 0) {
            at += 7;  // a value of --sort
        } else if (text.compare(at, 2, "--") == 0) {
            at = text.find_first_not_of("abcdefghijklmnopqrstuvwxyz-", at + 2);
        } else if (text[at] == '/') {
            at = text.find_first_of(" \xE3\x80\x8D", at);  // up to a blank or 」
        } else if (isLetter(text[at])) {
            std::size_t end = at;
            while (end < text.size() && isLetter(text[end])) {
                ++end;
            }
            if (end - at >= 2) {
                return text.substr(at, end - at);
            }
            at = end;
        } else {
            ++at;
        }
    }
    return "";
}

TEST(NamoriJudge, RefusedCommandLinesAreExplainedInJapanese) {
    TempFolder folder;
    WriteData(folder);
    const struct {
        std::vector<std::string> arguments;
        const char* said;
    } rows[] = {
        {{"--limit", "99999999999", "--reading", "はると", "佐藤"}, "2147483647までの数"},
        {{"--lucky-strokes", "--chars", "4", "佐藤"}, "1から3までの数"},
        {{"--sex", "x", "--reading", "はると", "佐藤"}, "男 か 女"},
        {{"--data", (folder.path() / "none").string(), "白鳥", "杏奈"}, "がありません"},
        {{"--reading", "", "佐藤"}, "読みが空です"},
        {{"--unknown", "白鳥", "杏奈"}, "使えない引数"},
        {{"--html", "--json", "白鳥", "杏奈"}, "一緒に使えません"},
        {{"白鳥", "杏奈", "--limit"}, "--limit の値"},
        {{"--sort", "x", "--reading", "はると", "佐藤"}, "「x」ではなく、fortune を"},
        {{"---x", "佐藤", "太郎"}, "「---x」というオプションはありません"},
        {{"--data=", "佐藤", "太郎"}, "--data の値が空です"},
        {{"--limit", "3", "佐藤", "太郎"}, "--limit は --reading か --lucky-strokes と"},
        {{"--sex", "男", "佐藤", "太郎"}, "--reading と一緒に指定"},
        {{"--batch", "--reading", "はると"}, "--reading と --batch は一緒に使えません"},
        {{"--kanji", "a", "白鳥"}, "漢字１字で"},
        {{"--kanji", "斂", "白鳥"}, "子の名に使えない漢字"},
        {{"--kanji", "翔", "--reading", "ハルト", "白鳥"}, "ひらがなで"},
    };
    for (const auto& row : rows) {
        const RunResult run = RunJudge(folder, row.arguments);
        EXPECT_EQ(run.status, 1) << run.errors;
        EXPECT_NE(run.errors.find(row.said), std::string::npos) << run.errors;
        EXPECT_EQ(EnglishWordIn(run.errors), "") << run.errors;
    }
}

// The traditional counting takes a character's count from "漢字辞書旧字.txt" and otherwise
// keeps the dictionary's (a registration); the output says which counting was used.
TEST(NamoriJudge, CountingSwitch) {
    TempFolder folder;
    WriteData(folder);
    const std::string data = folder.path().string();
    folder.WriteCp932("漢字辞書旧字.txt", "\"鳥\",x\n");
    EXPECT_EQ(RunJudge(folder, {"--data", data, "--count", "traditional", "白鳥", "杏奈"}).status,
              2);
    folder.WriteCp932("漢字辞書旧字.txt", "\"鳥\",10\n\"鳥\",12\n\"林\",9\n");
    const struct {
        const char* counting;
        std::vector<int> strokes;
        const char* said;  // the default output stays as it was: no "counting"
    } rows[] = {{"modern", {5, 11, 7, 8}, nullptr}, {"traditional", {5, 12, 7, 8}, "traditional"}};
    for (const auto& row : rows) {
        // A single judgement and a batch line say the same.
        const RunResult single =
            RunJudge(folder, {"--data", data, "--count", row.counting, "--json", "白鳥", "杏奈"});
        const RunResult batch =
            RunJudge(folder, {"--data", data, "--count", row.counting, "--batch"}, "白鳥\t杏奈\n");
        for (const RunResult& run : {single, batch}) {
            ASSERT_EQ(run.status, 0) << run.errors;
            const auto json = nlohmann::json::parse(run.output);
            EXPECT_EQ(json["strokes"].get<std::vector<int>>(), row.strokes);
            EXPECT_EQ(json.contains("counting"), row.said != nullptr);
            if (row.said != nullptr) {
                EXPECT_EQ(json["counting"], row.said);
            }
        }
    }
    const RunResult refused = RunJudge(folder, {"--count", "old", "白鳥", "杏奈"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.errors.find("を指定してください"), std::string::npos) << refused.errors;
}

TEST(NamoriJudge, DataFolderOption) {
    TempFolder data;
    WriteData(data);
    TempFolder elsewhere;
    const RunResult run =
        RunJudge(elsewhere, {"--data", data.path().string(), "--json", "白鳥", "杏奈"});
    EXPECT_EQ(run.status, 0) << run.output;
}

TEST(NamoriJudge, BatchWritesOneObjectPerLineAndGoesOnAfterErrors) {
    TempFolder folder;
    WriteData(folder);
    // The byte order mark some editors start a UTF-8 file with is no part of the first name.
    const RunResult run =
        RunJudge(folder, {"--batch"}, "\xEF\xBB\xBF白鳥\t杏奈\r\n白鳥\t杏子\nno tab\n林\t奈");
    ASSERT_EQ(run.status, 0);
    std::istringstream lines(run.output);
    std::vector<nlohmann::json> objects;
    for (std::string line; std::getline(lines, line);) {
        objects.push_back(nlohmann::json::parse(line));
    }
    ASSERT_EQ(objects.size(), 4u);
    EXPECT_EQ(objects[0]["luck"][4]["value"], 31);
    EXPECT_EQ(objects[1]["error"], "unregistered");
    EXPECT_EQ(objects[1]["givenName"], "杏子");
    EXPECT_EQ(objects[2]["error"], "empty");
    EXPECT_EQ(objects[3]["strokes"], nlohmann::json::parse("[8,8]"));
}

TEST(NamoriJudge, NamingCandidatesAreJudgedExactlyAsTheJudgeCommandJudges) {
    TempFolder folder;
    for (const char* file : {"霊数.txt", "漢字辞書.txt"}) {
        std::filesystem::copy_file(testing::ShippedDataFolder() / std::filesystem::u8path(file),
                                   folder.path() / std::filesystem::u8path(file));
    }
    const RunResult natural =
        RunJudge(folder, {"--reading", "あんな", "--json", "--complement", "白鳥"});
    ASSERT_EQ(natural.status, 0);
    // --all: the default list, then the rare real names and compositions.
    const RunResult ranked =
        RunJudge(folder, {"--reading", "あんな", "--json", "--complement", "--all", "白鳥"});
    ASSERT_EQ(ranked.status, 0);
    ASSERT_GT(ranked.output.size(), natural.output.size());
    EXPECT_EQ(ranked.output.substr(0, natural.output.size()), natural.output);
    std::istringstream lines(ranked.output);
    std::vector<nlohmann::json> candidates;
    std::string names;
    for (std::string line; std::getline(lines, line);) {
        candidates.push_back(nlohmann::json::parse(line));
        if (!candidates.back()["fromReference"].get<bool>()) {
            names += "白鳥\t" + candidates.back()["spelling"].get<std::string>() + "\n";
        }
    }
    ASSERT_GT(candidates.size(), 100u);
    EXPECT_EQ(candidates.front()["rank"], 1);
    bool annaFound = false;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        annaFound |= candidates[i]["spelling"] == "杏奈" && candidates[i]["kind"] == "real";
        if (i < static_cast<std::size_t>(
                    std::count(natural.output.begin(), natural.output.end(), '\n'))) {
            ASSERT_TRUE(candidates[i]["natural"].get<bool>());
        } else {
            ASSERT_FALSE(candidates[i]["natural"].get<bool>());
            ASSERT_EQ(candidates[i]["band"], "まれ");
        }
    }
    EXPECT_TRUE(annaFound);

    const RunResult judged = RunJudge(folder, {"--batch", "--complement"}, names);
    std::istringstream judgedLines(judged.output);
    std::size_t compared = 0;
    for (const auto& candidate : candidates) {
        if (candidate["fromReference"].get<bool>()) {
            continue;
        }
        std::string line;
        ASSERT_TRUE(std::getline(judgedLines, line));
        const auto judgement = nlohmann::json::parse(line);
        ASSERT_EQ(judgement["givenName"], candidate["givenName"]);
        ASSERT_EQ(judgement["strokes"], candidate["strokes"]);
        for (int i = 0; i < 5; ++i) {
            ASSERT_EQ(judgement["luck"][i]["value"], candidate["luck"][i]["value"]);
            ASSERT_EQ(judgement["luck"][i]["mark"], candidate["luck"][i]["mark"]);
        }
        ASSERT_EQ(judgement["faces"], candidate["faces"]);
        ++compared;
    }
    EXPECT_GT(compared, 100u);

    EXPECT_EQ(RunJudge(folder, {"--reading", "ハルト", "白鳥"}).status, 1);
    EXPECT_EQ(RunJudge(folder, {"--reading", "はると", "白鳥", "杏奈"}).status, 1);
    EXPECT_EQ(RunJudge(folder, {"--reading", "はると", "--sex", "猫", "白鳥"}).status, 1);
    EXPECT_EQ(RunJudge(folder, {"--all", "白鳥", "杏奈"}).status, 1);
}

// A surname that cannot be judged is refused before any name is offered, as a judgement
// refuses it; a name typed decomposed (か and U+3099) is the composed name.
TEST(NamoriJudge, TypedNamesAreComposedAndUnjudgeableSurnamesRefused) {
    TempFolder folder;
    WriteData(folder);
    for (const char* surname : {"白 ", "＠", "A", "1", "〆", "　白"}) {
        for (const char* format : {"--json", "--all"}) {
            const RunResult run = RunJudge(folder, {format, "--reading", "あんな", surname});
            EXPECT_EQ(run.status, 3) << surname;
            EXPECT_EQ(run.output, "") << surname;
        }
    }
    folder.WriteCp932("漢字辞書.txt", "\"白\",5\n\"鳥\",11\n\"が\",3\n\"く\",1\n");
    const RunResult composed = RunJudge(folder, {"--json", "白鳥", "がく"});
    EXPECT_EQ(composed.status, 0) << composed.errors;
    EXPECT_EQ(RunJudge(folder, {"--json", "白鳥", "か\xE3\x82\x99く"}).output, composed.output);
}

TEST(NamoriJudge, LuckyStrokePatternsListFavourableCountsWithExampleKanji) {
    TempFolder folder;
    WriteData(folder);
    std::filesystem::remove(folder.path() / u8"漢字辞書.txt");
    std::filesystem::copy_file(testing::ShippedDataFolder() / u8"漢字辞書.txt",
                               folder.path() / u8"漢字辞書.txt");
    const RunResult table = RunJudge(folder, {"--lucky-strokes", "--chars", "2", "白鳥"});
    ASSERT_EQ(table.status, 0) << table.errors;
    // A header, then every row: rank, counts, five luck numbers, example kanji of each count.
    std::istringstream lines(table.output);
    std::string first;
    ASSERT_TRUE(std::getline(lines, first));
    EXPECT_EQ(first.substr(0, 7), "順位\t");
    ASSERT_TRUE(std::getline(lines, first));
    EXPECT_EQ(first.substr(0, 2), "1\t");
    EXPECT_EQ(std::count(first.begin(), first.end(), '\t'), 7);
    const RunResult json = RunJudge(folder, {"--lucky-strokes", "--json", "--limit", "3", "白鳥"});
    ASSERT_EQ(json.status, 0);
    std::istringstream jsonLines(json.output);
    int rows = 0;
    for (std::string line; std::getline(jsonLines, line); ++rows) {
        const auto pattern = nlohmann::json::parse(line);
        ASSERT_EQ(pattern["counts"].size(), 2u);
        // Only patterns some kanji can fill are listed.
        for (int i = 0; i < 2; ++i) {
            EXPECT_FALSE(pattern["examples"][i].get<std::string>().empty());
        }
    }
    EXPECT_EQ(rows, 3);

    struct Row {
        std::vector<std::string> arguments;
        int status;
        const char* message;
    };
    for (const Row& row : std::vector<Row>{
             {{"--lucky-strokes", "--chars", "4", "白鳥"}, 1, "--chars"},
             {{"--lucky-strokes", "白鳥", "杏奈"}, 1, "名字だけ"},
             {{"--lucky-strokes", "--reading", "はると", "白鳥"}, 1, "一緒に使えません"},
             {{"--chars", "2", "白鳥", "杏奈"}, 1, "--lucky-strokes"},
             {{"--lucky-strokes", "齟齬"}, 3, "画数が登録されていない文字があります：齟、齬"},
         }) {
        SCOPED_TRACE(row.arguments.back());
        const RunResult run = RunJudge(folder, row.arguments);
        EXPECT_EQ(run.status, row.status);
        EXPECT_NE(run.errors.find(row.message), std::string::npos) << run.errors;
    }
}

// The 鑑定書's closing 数の目安, with the shipped data: a count that recurs shows other kanji the
// second time (松本 結菜's pattern had 実奈佳／実奈佳), and a name needing one where no pattern
// exists says so (吉田 with a one-character name) rather than leaving the section out.
TEST(NamoriJudge, ReadingStrokeExamplesRepeatNoKanjiAndSayWhenThereAreNone) {
    TempFolder folder;
    const std::string data = testing::ShippedDataFolder().string();
    const RunResult matsumoto = RunJudge(folder, {"--html", "--data", data, "松本", "結菜"});
    ASSERT_EQ(matsumoto.status, 0) << matsumoto.errors;
    const std::u16string page = Utf8ToUtf16(matsumoto.output);
    int examples = 0;
    for (std::size_t at = page.find(u"字の例："); at != std::u16string::npos;
         at = page.find(u"字の例：", at + 1), ++examples) {
        const std::u16string kanji = page.substr(at + 4, page.find(u"）", at) - at - 4);
        std::set<char16_t> seen;
        for (char16_t c : kanji) {
            EXPECT_TRUE(c == u'／' || seen.insert(c).second) << Utf16ToUtf8(kanji);
        }
    }
    EXPECT_GT(examples, 0);
    const RunResult yoshida = RunJudge(folder, {"--html", "--data", data, "吉田", "紬"});
    ASSERT_EQ(yoshida.status, 0) << yoshida.errors;
    EXPECT_NE(yoshida.output.find("数の目安"), std::string::npos);
    EXPECT_NE(yoshida.output.find("見つかりませんでした"), std::string::npos);
}

TEST(NamoriJudge, OutputThatCannotBeWrittenOrInputThatCannotBeReadExitsWithFour) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    TempFolder folder;
    WriteData(folder);
    std::filesystem::create_directory(folder.path() / "a folder");
    std::string manyNames;
    for (int i = 0; i < 3000; ++i) {
        manyNames += "白鳥\t杏奈\n";
    }
    const std::string cannotWrite = "標準出力に書き込めません（ディスクの空きが足りません）";
    struct Row {
        std::vector<std::string> arguments;
        std::string input;
        bool inputIsFolder;
        std::string message;
    };
    for (const Row& row : std::vector<Row>{
             {{"白鳥", "杏奈"}, "", false, cannotWrite},
             {{"--json", "白鳥", "杏奈"}, "", false, cannotWrite},
             {{"--json", "白鳥", "杏子"}, "", false, cannotWrite},
             {{"--batch"}, "白鳥\t杏奈\n林\t奈\n", false, cannotWrite},
             {{"--batch"}, manyNames, false, cannotWrite},
             {{"--reading", "はると", "白鳥"}, "", false, cannotWrite},
             {{"--help"}, "", false, cannotWrite},
             {{"--batch"}, "", true, "標準入力を読めません（ファイルではなくフォルダです）"},
         }) {
        SCOPED_TRACE(row.arguments.front() + " " + std::to_string(row.input.size()));
        std::FILE* input =
            row.inputIsFolder ? std::fopen((folder.path() / "a folder").c_str(), "r") : nullptr;
        std::FILE* output = std::fopen(row.inputIsFolder ? "/dev/null" : "/dev/full", "w");
        ASSERT_NE(output, nullptr);
        const RunResult run = RunJudge(folder, row.arguments, row.input, input, output);
        EXPECT_EQ(run.status, 4);
        EXPECT_NE(run.errors.find("namori-judge: " + row.message), std::string::npos) << run.errors;
    }
}

}  // namespace
}  // namespace namori

namespace namori {
namespace {

// 佐7 藤18 陽12 翔12 悠11 斗4 湊12 as the shipped dictionary counts them; the numbers are summed by
// hand (助運 of a one-character given name adds the first surname character) and marked from
// the shipped 霊数.txt.
TEST(NamoriJudge, CompareSetsNamesSideBySide) {
    TempFolder folder;
    for (const char8_t* file : {u8"霊数.txt", u8"漢字辞書.txt"}) {
        std::filesystem::copy_file(testing::ShippedDataFolder() / file, folder.path() / file);
    }
    const RunResult table = RunJudge(folder, {"--compare", "佐藤", "陽翔", "悠斗", "湊=みなと"});
    ASSERT_EQ(table.status, 0) << table.errors;
    std::vector<std::string> lines;
    for (std::istringstream stream(table.output);
         lines.emplace_back(), std::getline(stream, lines.back());) {
    }
    lines.pop_back();
    ASSERT_EQ(lines.size(), 4u) << table.output;
    EXPECT_EQ(lines[0].substr(0, lines[0].find("\t5運")),
              "名字\t名前\t読み\t画数\t祖運\t主運\t初運\t助運\t総運");
    const std::string expected[] = {"佐藤\t陽翔\t\t7,18,12,12\t25◎\t30△\t24◎\t19△\t49△\t",
                                    "佐藤\t悠斗\t\t7,18,11,4\t25◎\t29◎\t15◎\t11◎\t40△\t",
                                    "佐藤\t湊\tみなと\t7,18,12\t25◎\t30△\t12△\t19△\t37◎\t"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(lines[i + 1].rfind(expected[i], 0), 0u) << lines[i + 1];
    }
    const RunResult json = RunJudge(folder, {"--json", "--compare", "佐藤", "湊", "彁"});
    EXPECT_EQ(json.status, 3);
    std::istringstream stream(json.output);
    std::string first;
    std::string second;
    std::getline(stream, first);
    std::getline(stream, second);
    EXPECT_EQ(nlohmann::json::parse(first)["luck"][3]["value"], 19);
    EXPECT_EQ(nlohmann::json::parse(second)["error"], "unregistered");
    EXPECT_NE(json.errors.find("彁"), std::string::npos);
    EXPECT_EQ(RunJudge(folder, {"--compare", "佐藤"}).status, 1);
    EXPECT_EQ(RunJudge(folder, {"--compare", "佐藤", "湊=ミナト"}).status, 1);
}

}  // namespace
}  // namespace namori
