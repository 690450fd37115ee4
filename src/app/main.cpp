#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>

#include "ui/common/MessageBox.h"
#include "ui/common/QtTranslations.h"
#include "ui/main/Startup.h"

namespace {

constexpr const char* kUsage = "使い方: namori [--data フォルダ] [--help] [--version]\n";
constexpr const char* kHelp =
    "姓名判断の窓を開きます。\n"
    "\n"
    "  --data フォルダ  霊数.txt と 漢字辞書.txt のあるフォルダ（省略時は、それがあれば現在の\n"
    "                   フォルダ、なければ $XDG_DATA_HOME/namori、既定では\n"
    "                   ~/.local/share/namori）\n"
    "  -h, --help       この使い方を表示して終了する\n"
    "  --version        名前と版を表示して終了する\n";

// What the command line asks for: a data folder, or an exit with a status.
struct Request {
    std::optional<std::filesystem::path> dataFolder;
    std::optional<int> exitStatus;
};

// Parses namori's own options. Before the window system starts, Qt's options (-platform, …) are
// still among the arguments, so only --help and --version are acted on (they need no display);
// afterwards every argument must be ours.
Request Parse(const QStringList& arguments, bool allArgumentsOurs) {
    QCommandLineParser parser;
    const QCommandLineOption data(QStringLiteral("data"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({data, help, version});
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(help)) {
        std::fputs(kUsage, stdout);
        std::fputs(kHelp, stdout);
        return {std::nullopt, 0};
    }
    if (parser.isSet(version)) {
        std::fputs("namori " NAMORI_VERSION "\n", stdout);
        return {std::nullopt, 0};
    }
    if (!allArgumentsOurs) {
        return {};
    }
    if (!parsed || !parser.positionalArguments().isEmpty() || parser.values(data).size() > 1) {
        std::fprintf(stderr, "namori: %s", kUsage);
        return {std::nullopt, 1};
    }
    if (parser.isSet(data)) {
        return {QFile::encodeName(parser.value(data)).toStdString(), std::nullopt};
    }
    return {};
}

constexpr const char* kNoDisplay =
    "namori: ナモリの窓を開くにはデスクトップの画面が必要ですが、ここには画面がありません"
    "（DISPLAY も WAYLAND_DISPLAY も設定されていません）。\n"
    "デスクトップのセッションから起動してください。画面のない所では、同じデータで"
    "コマンドラインの namori-judge が使えます（例: namori-judge 白鳥 杏奈。使い方は "
    "namori-judge --help）。\n";

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// Whether Qt can find a window system: a display of X or Wayland, or a platform the user chose
// (QT_QPA_PLATFORM, -platform). Without one, Qt's default platform ends the program with an abort.
bool CanShowWindows(int argc, char** argv) {
    if (IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM")) {
        return true;
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            return true;
        }
    }
    return false;
}

QStringList ArgumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QFile::decodeName(argv[i]);
    }
    return arguments;
}

}  // namespace

int main(int argc, char** argv) {
    // A write past a file-size limit must fail with an error the program reports, not end it.
    std::signal(SIGXFSZ, SIG_IGN);
    if (const Request early = Parse(ArgumentsOf(argc, argv), false); early.exitStatus) {
        return *early.exitStatus;
    }
    if (!CanShowWindows(argc, argv)) {
        std::fputs(kNoDisplay, stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.namori.Namori"));
    // The windows' sizes and places are kept in ~/.config/namori/namori.conf.
    QCoreApplication::setOrganizationName(QStringLiteral("namori"));
    QCoreApplication::setApplicationName(QStringLiteral("namori"));
    namori::InstallQtTranslations();
    // Qt has taken its own options out; what is left is ours: --data DIR, as namori-judge takes.
    const Request request = Parse(QApplication::arguments(), true);
    if (request.exitStatus) {
        return *request.exitStatus;
    }
    try {
        return namori::StartUp([](namori::MainWindow&) { return QApplication::exec(); },
                               request.dataFolder);
    } catch (const std::exception& error) {
        // The lists and the dictionary are written at every change, so nothing is lost here.
        const QString message = QString::fromUtf8("予期しないエラーでナモリを終了します（%1）。")
                                    .arg(QString::fromLocal8Bit(error.what()));
        std::fprintf(stderr, "namori: %s\n", message.toLocal8Bit().constData());
        namori::MessageBox().Show(nullptr, QStringLiteral("ナモリ"), message,
                                  namori::MessageBox::Icon::Exclamation);
        return 70;
    }
}
