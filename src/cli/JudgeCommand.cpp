#include "cli/JudgeCommand.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

#include "analysis/ReferenceTables.h"
#include "analysis/StrokeCounting.h"
#include "cli/BatchJsonWriter.h"
#include "cli/CompareCommand.h"
#include "cli/FuriganaOption.h"
#include "cli/JudgementReport.h"
#include "cli/LuckyStrokesCommand.h"
#include "cli/NamingCommand.h"
#include "cli/ReadingGroundsOutput.h"
#include "cli/StandardStreams.h"
#include "cli/UsageMessages.h"
#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/KanjiDictionaryFile.h"
#include "data/ReadingTextsFile.h"
#include "data/SpiritTableFile.h"
#include "naming/NameGuide.h"
#include "naming/ReadingGrounds.h"
#include "reading/DetailedReading.h"
#include "reading/ReadingDocument.h"
#include "reading/ReadingLuckyPatterns.h"
#include "rules/Judgement.h"

namespace namori {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kTraditionalCountingMember = ",\"counting\":\"traditional\"}\n";

int RunBatch(const ReferenceTables& tables, const JudgeOptions& options,
             const JudgeStreams& streams) {
    BatchJsonWriter writer;
    // The default counting's lines stay as they always were; only the other one is said.
    const bool traditional = options.counting == StrokeCounting::Traditional;
    std::string buffer;
    char* lineData = nullptr;
    std::size_t lineCapacity = 0;
    int status = kJudged;
    bool firstLine = true;
    for (ssize_t length = 0; (length = getline(&lineData, &lineCapacity, streams.input)) >= 0;) {
        std::string_view line(lineData, static_cast<std::size_t>(length));
        // Editors on other systems start UTF-8 text with a byte order mark; it is no character
        // of the name.
        if (std::exchange(firstLine, false) && line.starts_with(kUtf8ByteOrderMark)) {
            line.remove_prefix(kUtf8ByteOrderMark.size());
        }
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            line.remove_suffix(1);
        }
        const std::size_t tab = line.find('\t');
        const std::u16string surname = TypedText(line.substr(0, tab));
        const std::u16string givenName =
            tab == std::string_view::npos ? std::u16string() : TypedText(line.substr(tab + 1));
        const Judgement judgement = Judge({surname, givenName, options.complement}, tables);
        if (judgement.ready()) {
            writer.Append(judgement, tables.spiritTable, buffer);
            if (traditional) {
                // The line's object ends "}\n": the counting joins it as its last member.
                buffer.resize(buffer.size() - 2);
                buffer += kTraditionalCountingMember;
            }
        } else {
            buffer += RefusalAsJson(surname, givenName, judgement.preparation).dump();
            buffer += '\n';
        }
        if (buffer.size() > (1u << 16)) {
            if (!WriteText(streams.output, buffer)) {
                status = ReportWriteFailure(streams.errors, errno);
                break;
            }
            buffer.clear();
        }
    }
    // getline ends both at the end of the input and on a read error; only ferror tells them apart.
    const int readError = errno;
    const bool readFailed = status == kJudged && std::ferror(streams.input) != 0;
    std::free(lineData);
    if (status == kJudged && !WriteText(streams.output, buffer)) {
        return ReportWriteFailure(streams.errors, errno);
    }
    return readFailed ? ReportReadFailure(streams.errors, readError) : status;
}

// How each character of the given name reads its part of the --furigana reading; nothing without
// --furigana. Empty after saying why the grounds cannot be read.
std::optional<std::vector<CharacterGround>> FuriganaGrounds(const JudgeOptions& options,
                                                            const std::filesystem::path& dataFolder,
                                                            std::FILE* errors) {
    const std::size_t gap = options.furigana.find(u'　');
    if (gap == std::u16string::npos) {
        return std::vector<CharacterGround>{};
    }
    try {
        const auto index = ReadingGroundsIndex::Open(SearchPath(dataFolder, {"naming", "data"}));
        return GroundReading(index, TypedText(options.givenName),
                             std::u16string_view(options.furigana).substr(gap + 1));
    } catch (const DataFileError& error) {
        WriteText(errors, std::string("namori-judge: ") + error.what() + "\n");
        return std::nullopt;
    }
}

// The output of one judged name: the table, or with --json or --html the detailed reading,
// whose texts are read only then. Empty after saying why the texts cannot be had.
std::optional<std::string> SingleOutput(const Judgement& judgement, const ReferenceTables& tables,
                                        const JudgeOptions& options,
                                        const std::filesystem::path& dataFolder,
                                        std::FILE* errors) {
    const SpiritTable& table = tables.spiritTable;
    const auto grounds = FuriganaGrounds(options, dataFolder, errors);
    if (!grounds) {
        return std::nullopt;
    }
    const std::string groundsLines = grounds->empty() ? "" : GroundsLines(*grounds);
    if (!options.json && !options.html) {
        return JudgementAsTable(judgement, table) + CountingNoteLine(options.counting) +
               groundsLines;
    }
    DetailedReading reading = ReadingOf(judgement, table);
    reading.furigana = options.furigana;
    reading.counting = options.counting;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) != nullptr) {
        reading.readingDate =
            ReadingDateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    }
    reading.unlawfulKanji =
        FindUnlawfulKanji(reading.givenName, SearchPath(dataFolder, {"naming", "data"}));
    try {
        ExplainReading(reading, LoadReadingTexts(SearchPath(dataFolder, {"data"})));
        reading.luckyPatterns = ReadingLuckyPatterns(tables, judgement, options.complement,
                                                     SearchPath(dataFolder, {"naming", "data"}),
                                                     kReadingLuckyPatternLines);
    } catch (const DataFileError& error) {
        WriteText(errors, std::string("namori-judge: ") + error.what() + "\n");
        return std::nullopt;
    }
    if (options.html) {
        std::string page = ReadingPage(ReadingDocumentOf(reading));
        // Under the name and its furigana, which it explains; at the top when the page has no
        // date line.
        const std::size_t date = page.find("<p class=\"date\"");
        const std::size_t body = page.find("<body>");
        const std::size_t at = date != std::string::npos   ? date
                               : body != std::string::npos ? body + 6
                                                           : std::string::npos;
        if (!groundsLines.empty() && at != std::string::npos) {
            // Kanji, kana and punctuation only: nothing to escape.
            page.insert(
                at, "<p class=\"reading-grounds\" style=\"text-align:center;font-size:smaller\">" +
                        groundsLines + "</p>");
        }
        return page;
    }
    nlohmann::ordered_json result = DetailedJudgementAsJson(judgement, table, reading);
    AddCounting(result, options.counting);
    if (!grounds->empty()) {
        AddGroundsToJson(*grounds, result);
    }
    return result.dump() + "\n";
}

int RunSingle(const ReferenceTables& tables, const JudgeOptions& options,
              const std::filesystem::path& dataFolder, const JudgeStreams& streams) {
    const std::u16string surname = TypedText(options.surname);
    const std::u16string givenName = TypedText(options.givenName);
    const Judgement judgement = Judge({surname, givenName, options.complement}, tables);
    const NamePreparation& preparation = judgement.preparation;
    if (!preparation.ready()) {
        if (!options.json) {
            WriteText(streams.errors, "namori-judge: " + Utf16ToUtf8(preparation.message) + "\n");
        } else if (!WriteText(streams.output,
                              RefusalAsJson(surname, givenName, preparation).dump() + "\n")) {
            return ReportWriteFailure(streams.errors, errno);
        }
        return kNameRefused;
    }
    const std::optional<std::string> output =
        SingleOutput(judgement, tables, options, dataFolder, streams.errors);
    if (!output) {
        return kDataProblem;
    }
    if (!WriteText(streams.output, *output)) {
        return ReportWriteFailure(streams.errors, errno);
    }
    return kJudged;
}

// Loads the reference tables of the chosen data folder into tables; false after saying why not.
bool LoadReferenceTables(ReferenceTables& tables, const DataFolderSettings& settings,
                         StrokeCounting counting, std::filesystem::path& dataFolder,
                         std::FILE* errors) {
    try {
        dataFolder = ResolveDataFolder(settings);
        LoadSpiritNumbers(tables,
                          FolderHolding(SearchPath(dataFolder, {"data"}), kSpiritTableFile));
        LoadKanjiDictionary(tables, dataFolder);
        if (counting == StrokeCounting::Traditional) {
            UseTraditionalCounts(tables, SearchPath(dataFolder, {"data"}));
        }
        return true;
    } catch (const DataFolderError& error) {
        WriteText(errors, std::string("namori-judge: ") + error.what() + "\n");
    } catch (const DataFileError& error) {
        WriteText(errors, std::string("namori-judge: ") + error.what() + "（データフォルダ「" +
                              dataFolder.string() + "」）\n");
    }
    return false;
}

// Refuses options that do nothing in the mode chosen, and modes that cannot go together,
// by throwing CLI::ValidationError with the Japanese reason.
void CheckCombination(const CLI::App& app, const JudgeOptions& options) {
    const bool byKanji = app.count("--kanji") > 0;
    const bool naming = app.count("--reading") > 0 || byKanji;
    const bool hasName = app.count("SURNAME") > 0 && app.count("GIVEN") > 0;
    if ((options.all || options.goodOnly || app.count("--sort") > 0 || app.count("--sex") > 0) &&
        !naming) {
        throw CLI::ValidationError(
            "--all・--good-only・--sort・--sex は --kanji か --reading と一緒に指定してください");
    }
    if (app.count("--limit") > 0 && !naming && !options.luckyStrokes) {
        throw CLI::ValidationError(
            "--limit は --reading か --lucky-strokes と一緒に指定してください（--kanji "
            "とも使えます）");
    }
    if (app.count("--compare") > 0) {
        if (app.count("SURNAME") > 0 || options.batch || options.html ||
            app.count("--reading") > 0 || options.luckyStrokes) {
            throw CLI::ValidationError(
                "--compare には「名字 名前 名前…」だけを続けてください（--batch・--html・"
                "--reading・--lucky-strokes とは使えません）");
        }
        if (options.compare.size() < 2) {
            throw CLI::ValidationError(
                "--compare には名字と、比べる名前を１つ以上指定してください");
        }
        return;
    }
    const auto mode = [&]() -> std::string {
        return options.luckyStrokes ? "--lucky-strokes"
               : byKanji            ? "--kanji"
               : naming             ? "--reading"
                                    : "";
    };
    if (!mode().empty() && (options.batch || options.html)) {
        throw CLI::ValidationError(mode() + " と " + (options.batch ? "--batch" : "--html") +
                                   " は一緒に使えません");
    }
    if (naming && options.luckyStrokes) {
        throw CLI::ValidationError(byKanji ? "--kanji と --lucky-strokes は一緒に使えません"
                                           : "--reading と --lucky-strokes は一緒に使えません");
    }
    if (!mode().empty()) {
        if (app.count("SURNAME") == 0 || app.count("GIVEN") > 0) {
            throw CLI::ValidationError(mode() + " には名字だけを指定してください");
        }
        if (app.count("--reading") > 0 &&
            options.reading.find_first_not_of(" \t") == std::string::npos) {
            throw CLI::ValidationError("--reading の読みが空です。ひらがなで指定してください");
        }
        if (byKanji && options.kanji.find_first_not_of(" \t") == std::string::npos) {
            throw CLI::ValidationError("--kanji の漢字が空です。漢字１字で指定してください");
        }
    } else if (app.count("--chars") > 0) {
        throw CLI::ValidationError(
            "--chars は --lucky-strokes か --kanji・--reading と一緒に指定してください");
    } else if (options.batch && options.html) {
        throw CLI::ValidationError("--html は名前1つの鑑定書です。--batch とは使えません");
    } else if (options.batch == hasName) {
        throw CLI::ValidationError(options.batch ? "--batch では名字と名前を引数に書きません"
                                                 : "名字と名前の両方を指定してください");
    }
}

}  // namespace

std::variant<JudgeOptions, int> ParseJudgeArguments(int argc, const char* const* argv,
                                                    const JudgeStreams& streams) {
    JudgeOptions options;
    std::string dataFolder;
    CLI::App app("姓名判断を行い、結果を表示します。", "namori-judge");
    UseJapaneseHelp(app);
    app.add_option("--data", dataFolder,
                   "霊数.txt と 漢字辞書.txt のあるフォルダ（省略時は、それがあれば現在のフォルダ、"
                   "なければ $XDG_DATA_HOME/namori、既定では ~/.local/share/namori）")
        ->check(ExistingFolder());
    app.footer(
        "終了コード: 0 判断した、1 使い方の誤り、2 データファイルの問題、3 判断できない名前、"
        "4 標準出力に書き込めないか標準入力を読めない、70 予期しないエラー");
    app.set_version_flag("--version", std::string("namori-judge ") + NAMORI_VERSION,
                         "名前と版を表示して終了する");
    app.add_flag("--complement", options.complement, "１字の時の補数を採用");
    std::string counting = "modern";
    app.add_option(
           "--count", counting,
           "画数の数え方: modern（新字体、既定）か traditional（旧字体、部首は元の字の画数）")
        ->check(OneOf({"modern", "traditional"}));
    app.add_flag("--json", options.json, "結果をJSON（UTF-8）で出力する");
    app.add_flag("--html", options.html, "鑑定書（詳しい解説）を1つのHTMLページ（UTF-8）で出力する")
        ->excludes("--json");
    app.add_flag("--batch", options.batch,
                 "標準入力の「名字<TAB>名前」の行をすべて判断し、1行に1つのJSONを出力する");
    app.add_option("--reading", options.reading,
                   "名付け支援: この呼び名（ひらがな）で読めるすべての名前を判断して順に並べる");
    app.add_option("--kanji", options.kanji,
                   "名付け支援: 名前に使いたい漢字（１字）。その字を含む名前を判断して順に並べる"
                   "（--reading も指定するとその呼び名の名前だけ）");
    app.add_option("--sex", options.sex, "名付け支援: 男 か 女（省略時はどちらも）")
        ->check(OneOf({"男", "女"}));
    app.add_option("--limit", options.limit, "名付け支援・吉数表: 上位から何件まで出すか")
        ->check(WholeNumberFrom(0, std::numeric_limits<int>::max()));
    app.add_flag("--all", options.all, "名付け支援: まれな表記も表示（自然な候補の後に並べる）");
    app.add_flag("--good-only", options.goodOnly,
                 "名付け支援: ５運・５行・陰陽の三つとも良の名前だけを出す");
    app.add_option("--sort", options.sort,
                   "名付け支援: fortune で運勢順（省略時は人気・よくある・自然・まれの順に並べ、"
                   "その中を運勢順）")
        ->check(OneOf({"fortune"}));
    app.add_flag("--lucky-strokes", options.luckyStrokes,
                 "吉数表: この名字で５運・５行・陰陽がすべて良くなる名前の画数の組み合わせを出す");
    app.add_option("--chars", options.characters,
                   "吉数表・名付け支援: 名前の文字数（1～3、吉数表の省略時は2、名付け支援では"
                   "省略時はすべて）")
        ->check(WholeNumberFrom(1, 3));
    std::string furigana;
    app.add_option("--furigana", furigana,
                   "鑑定書: 名前の上に添える読み（ひらがなで「みょうじ,なまえ」）");
    app.add_option("--compare", options.compare,
                   "候補の比較: 「名字 名前 名前…」を並べて判断し、表（--json でJSON）にする。"
                   "名前は「陽翔=はると」のように読みを添えてもよい")
        ->expected(1, CLI::detail::expected_max_vector_size);
    app.add_option("SURNAME", options.surname, "名字");
    app.add_option("GIVEN", options.givenName, "名前");
    try {
        if (const std::string empty = MisreadArgument(argc, argv); !empty.empty()) {
            throw CLI::ValidationError(empty);
        }
        app.parse(argc, argv);
        CheckCombination(app, options);
        if (app.count("--furigana") > 0 && !FuriganaOf(furigana)) {
            throw CLI::ValidationError(
                "--furigana は「さとう,はると」のように、名字と名前の読みをひらがなで"
                "コンマで区切って指定してください");
        }
    } catch (const CLI::ParseError& error) {
        // Help and version end normally; every other parse error is a usage error.
        std::ostringstream out;
        std::ostringstream err;
        const int code = app.exit(error, out, err);
        if (!WriteText(streams.output, out.str())) {
            return ReportWriteFailure(streams.errors, errno);
        }
        WriteText(streams.errors, err.str());
        return FinishOutput(streams.output, streams.errors, code == 0 ? kJudged : kUsage);
    }
    if (app.count("--data") > 0) {
        options.dataFolder = dataFolder;
    }
    options.furigana = FuriganaOf(furigana).value_or(u"");
    if (!options.luckyStrokes && app.count("--chars") > 0) {
        options.nameLength = options.characters;
    }
    options.counting =
        counting == "traditional" ? StrokeCounting::Traditional : StrokeCounting::Modern;
    return options;
}

int RunJudgeCommand(const JudgeOptions& options, DataFolderSettings settings,
                    const JudgeStreams& streams) {
    if (options.dataFolder) {
        settings.requested = options.dataFolder;
    }
    settings.note = [&streams](const std::string& note) {
        WriteText(streams.errors, "namori-judge: " + note + "\n");
    };
    auto tables = std::make_unique<ReferenceTables>();
    std::filesystem::path dataFolder;
    if (!LoadReferenceTables(*tables, settings, options.counting, dataFolder, streams.errors)) {
        return kDataProblem;
    }
    int status = kJudged;
    if (!options.compare.empty()) {
        status = RunCompareCommand(*tables, SearchPath(dataFolder, {"naming", "data"}), options,
                                   streams);
    } else if (options.luckyStrokes) {
        status = RunLuckyStrokesCommand(*tables, SearchPath(dataFolder, {"naming", "data"}),
                                        options, streams);
    } else if (!options.reading.empty() || !options.kanji.empty()) {
        status =
            RunNamingCommand(*tables, SearchPath(dataFolder, {"naming", "data"}), options, streams);
    } else {
        status = options.batch ? RunBatch(*tables, options, streams)
                               : RunSingle(*tables, options, dataFolder, streams);
    }
    return FinishOutput(streams.output, streams.errors, status);
}

int RunJudgeCommand(int argc, char** argv) {
    const JudgeStreams streams;
    const auto parsed = ParseJudgeArguments(argc, argv, streams);
    if (const int* exit = std::get_if<int>(&parsed)) {
        return FinishStandardOutput(*exit);
    }
    const JudgeOptions& options = std::get<JudgeOptions>(parsed);
    return FinishStandardOutput(
        RunJudgeCommand(options, ProcessDataFolderSettings(options.dataFolder), streams));
}

}  // namespace namori
