#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::TempFolder;

struct ProcessResult {
    int status = -1;
    std::string output;
};

// The shell command that runs namori-judge in folder with the given arguments (each quoted for
// the shell). Its user's data folder is inside folder, so no test touches the real one.
std::string JudgeCommand(const TempFolder& folder, const std::vector<std::string>& arguments) {
    const std::string quotedFolder = "'" + folder.path().string() + "'";
    std::string command = "cd " + quotedFolder + " && HOME=" + quotedFolder +
                          "/home XDG_DATA_HOME= '" NAMORI_JUDGE_PATH "'";
    for (const std::string& argument : arguments) {
        command += " '" + argument + "'";
    }
    return command;
}

// Runs namori-judge in folder with the given arguments and input.
ProcessResult RunJudge(const TempFolder& folder, const std::vector<std::string>& arguments,
                       const std::string& input = "") {
    folder.WriteBytes("stdin.txt", input);
    const std::string command = JudgeCommand(folder, arguments) + " < stdin.txt 2> stderr.txt";
    ProcessResult run;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t read = 0; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        run.output.append(buffer, read);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream stream(path);
    std::stringstream text;
    text << stream.rdbuf();
    return text.str();
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
    const ProcessResult run = RunJudge(folder, {"--json", "白鳥", "杏奈"});
    ASSERT_EQ(run.status, 0) << run.output;
    const auto json = nlohmann::ordered_json::parse(run.output);
    std::vector<std::string> keys;
    for (const auto& item : json.items()) {
        keys.push_back(item.key());
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"surname", "givenName", "chars", "strokes", "luck",
                                              "elementDigits", "elementTriple", "elementVerdict",
                                              "yinYangPattern", "yinYangVerdict", "faces"}));
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

TEST(NamoriJudge, ComplementAndReadableTable) {
    TempFolder folder;
    WriteData(folder);
    const ProcessResult json = RunJudge(folder, {"--complement", "--json", "林", "杏"});
    ASSERT_EQ(json.status, 0);
    const auto parsed = nlohmann::json::parse(json.output);
    EXPECT_EQ(parsed["surname"], "１林");
    EXPECT_EQ(parsed["givenName"], "杏１");
    EXPECT_EQ(parsed["strokes"], nlohmann::json::parse("[1,8,7,1]"));

    const ProcessResult table = RunJudge(folder, {"白鳥", "杏奈"});
    ASSERT_EQ(table.status, 0);
    for (const char* expected :
         {"祖運", "総運　 31", "土金土 ------", "災難陰陽", "５運 良", "陰陽 悪"}) {
        EXPECT_NE(table.output.find(expected), std::string::npos) << expected;
    }
}

TEST(NamoriJudge, RefusedNamesExitWithThree) {
    TempFolder folder;
    WriteData(folder);
    const ProcessResult unregistered = RunJudge(folder, {"--json", "犬鳥", "杏子"});
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
    EXPECT_EQ(RunJudge(folder, {"--data", ".", "白鳥", "杏奈"}).status, 2);
    WriteData(folder);
    folder.WriteCp932("漢字辞書.txt", "\"白\",5\n\"鳥\",x\n");
    EXPECT_EQ(RunJudge(folder, {"白鳥", "杏奈"}).status, 2);
    const std::string message = ReadText(folder.path() / "stderr.txt");
    EXPECT_NE(message.find("「漢字辞書.txt」の2行目"), std::string::npos) << message;
}

TEST(NamoriJudge, DataFolderOption) {
    TempFolder data;
    WriteData(data);
    TempFolder elsewhere;
    const ProcessResult run =
        RunJudge(elsewhere, {"--data", data.path().string(), "--json", "白鳥", "杏奈"});
    EXPECT_EQ(run.status, 0) << run.output;
}

TEST(NamoriJudge, BatchWritesOneObjectPerLineAndGoesOnAfterErrors) {
    TempFolder folder;
    WriteData(folder);
    const ProcessResult run =
        RunJudge(folder, {"--batch"}, "白鳥\t杏奈\r\n白鳥\t杏子\nno tab\n林\t奈");
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
    const ProcessResult ranked =
        RunJudge(folder, {"--reading", "あんな", "--json", "--complement", "白鳥"});
    ASSERT_EQ(ranked.status, 0);
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
    for (const auto& candidate : candidates) {
        annaFound |= candidate["spelling"] == "杏奈" && candidate["kind"] == "real";
    }
    EXPECT_TRUE(annaFound);

    const ProcessResult judged = RunJudge(folder, {"--batch", "--complement"}, names);
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
    folder.WriteBytes("names.tsv", "白鳥\t杏奈\n林\t奈\n");
    folder.WriteBytes("many.tsv", manyNames);
    const std::string cannotWrite = "標準出力に書き込めません（ディスクの空きが足りません）";
    struct Row {
        std::vector<std::string> arguments;
        std::string input;
        std::string output;
        std::string message;
    };
    for (const Row& row : std::vector<Row>{
             {{"白鳥", "杏奈"}, "names.tsv", "/dev/full", cannotWrite},
             {{"--json", "白鳥", "杏奈"}, "names.tsv", "/dev/full", cannotWrite},
             {{"--json", "白鳥", "杏子"}, "names.tsv", "/dev/full", cannotWrite},
             {{"--batch"}, "names.tsv", "/dev/full", cannotWrite},
             {{"--batch"}, "many.tsv", "/dev/full", cannotWrite},
             {{"--reading", "はると", "白鳥"}, "names.tsv", "/dev/full", cannotWrite},
             {{"--help"}, "names.tsv", "/dev/full", cannotWrite},
             {{"--batch"},
              "a folder",
              "out.jsonl",
              "標準入力を読めません（ファイルではなくフォルダです）"},
         }) {
        const std::string command = JudgeCommand(folder, row.arguments) + " < '" + row.input +
                                    "' > '" + row.output + "' 2> stderr.txt";
        SCOPED_TRACE(command);
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 4);
        const std::string errors = ReadText(folder.path() / "stderr.txt");
        EXPECT_NE(errors.find("namori-judge: " + row.message), std::string::npos) << errors;
    }
}

}  // namespace
}  // namespace namori
