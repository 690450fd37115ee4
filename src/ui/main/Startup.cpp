#include "ui/main/Startup.h"
#include "analysis/ReferenceTables.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cstdio>
#include <memory>

#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/KanjiDictionaryFile.h"
#include "data/NameListFile.h"
#include "data/SpiritTableFile.h"
#include "ui/common/Fonts.h"
#include "ui/common/MessageBox.h"
#include "ui/main/MainWindow.h"

namespace namori {

namespace {

// A start-up failure is also written to standard error, for a start from a terminal.
void WriteToStandardError(const QString& text) {
    std::fprintf(stderr, "namori: %s\n", text.simplified().toUtf8().constData());
}

}  // namespace

bool PrepareStartUp(ReferenceTables& tables, MessageBox& messages,
                    const std::filesystem::path& folder,
                    const std::filesystem::path& spiritTableFolder) {
    try {
        LoadSpiritNumbers(tables, spiritTableFolder.empty() ? folder : spiritTableFolder);
        LoadKanjiDictionary(tables, folder);
    } catch (const DataFileError& error) {
        messages.ShowFailure(nullptr, error, QString::fromUtf8("ナモリ"),
                             QString::fromUtf8("\r\nデータフォルダ: ") +
                                 QString::fromStdString(folder.string()) +
                                 QString::fromUtf8("\r\n\r\nナモリを起動できません。ファイルを"
                                                   "確かめてから起動し直してください。"));
        return false;
    }
    return true;
}

int StartUp(const std::function<int(MainWindow&)>& run,
            std::optional<std::filesystem::path> requestedFolder) {
    MessageBox messages;
    std::filesystem::path folder;
    try {
        DataFolderSettings settings = ProcessDataFolderSettings(std::move(requestedFolder));
        settings.note = [](const std::string& note) {
            std::fprintf(stderr, "namori: %s\n", note.c_str());
        };
        folder = ResolveDataFolder(settings);
    } catch (const DataFolderError& error) {
        const QString text = QString::fromUtf8(error.what()) +
                             QString::fromUtf8(
                                 "\r\n\r\nナモリを起動できません。フォルダを確かめて"
                                 "から起動し直してください。");
        WriteToStandardError(text);
        messages.Show(nullptr, QString::fromUtf8("ナモリ"), text, MessageBox::Icon::Exclamation);
        return 1;
    }
    InstallLayoutFonts();
    auto tables = std::make_shared<ReferenceTables>();
    if (!PrepareStartUp(*tables, messages, folder,
                        FolderHolding(SearchPath(folder, {"data"}), kSpiritTableFile))) {
        WriteToStandardError(messages.lastText());
        return 1;
    }
    MainWindow window(tables, messages, folder);
    CentreOnScreen(window);
    window.show();
    // Ends the program at once when the window closes, open dialogs included.
    QObject::connect(&window, &MainWindow::quitRequested, [] { QCoreApplication::exit(0); });
    window.LoadLists();
    return run(window);
}

void CentreOnScreen(QWidget& window) {
    const QScreen* screen =
        window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

}  // namespace namori
