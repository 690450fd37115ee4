#include <QApplication>
#include <QFile>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>

#include "ui/common/MessageBox.h"
#include "ui/common/QtTranslations.h"
#include "ui/main/Startup.h"

int main(int argc, char** argv) {
    // A write past a file-size limit must fail with an error the program reports, not end it.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.namori.Namori"));
    namori::InstallQtTranslations();
    // Qt has taken its own options out; what is left is ours: --data DIR, as namori-judge takes.
    const QStringList arguments = QApplication::arguments().mid(1);
    const char* const usage = "使い方: namori [--data フォルダ]\n";
    std::optional<std::filesystem::path> dataFolder;
    if (arguments.size() == 2 && arguments[0] == QStringLiteral("--data")) {
        dataFolder = QFile::encodeName(arguments[1]).toStdString();
    } else if (arguments.size() == 1 && arguments[0].startsWith(QStringLiteral("--data="))) {
        dataFolder = QFile::encodeName(arguments[0].mid(7)).toStdString();
    } else if (arguments == QStringList{QStringLiteral("--help")}) {
        std::fputs(usage, stdout);
        return 0;
    } else if (!arguments.isEmpty()) {
        std::fprintf(stderr, "namori: %s", usage);
        return 1;
    }
    try {
        return namori::StartUp([](namori::MainWindow&) { return QApplication::exec(); },
                               dataFolder);
    } catch (const std::exception& error) {
        // The lists and the dictionary are written at every change, so nothing is lost here.
        const QString message = QString::fromUtf8("予期しないエラーでナモリを終了します（%1）。")
                                    .arg(QString::fromLocal8Bit(error.what()));
        std::fprintf(stderr, "namori: %s\n", message.toLocal8Bit().constData());
        namori::MessageBox().Show(nullptr, message, QStringLiteral("ナモリ"),
                                  namori::MessageBox::kExclamationOk);
        return 70;
    }
}
