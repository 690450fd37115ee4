#include "ui/main/Startup.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <memory>

#include "analysis/JudgementStore.h"
#include "analysis/NameLookup.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/KanjiDictionaryFile.h"
#include "data/NameListFile.h"
#include "data/SpiritTableFile.h"
#include "ui/common/Fonts.h"
#include "ui/common/MessageBox.h"
#include "ui/main/frmMain.h"

namespace namori {

bool PrepareStartUp(JudgementStore& store, MessageBox& messages,
                    const std::filesystem::path& folder) {
    try {
        LoadSpiritNumbers(store, folder);
        LoadKanjiDictionary(store, folder);
    } catch (const DataFileError& error) {
        messages.Show(nullptr,
                      QString::fromUtf8(error.what()) +
                          QString::fromUtf8("\r\n\r\nナモリを起動できません。ファイルを確かめて"
                                            "から起動し直してください。"),
                      QString::fromUtf8("ナモリ"), MessageBox::kExclamationOk);
        return false;
    }
    store.currentSurname = ReadFirstNameListEntry(folder, kSurnameListFile);
    LookupSurname(store);
    return true;
}

int StartUp(const std::function<int(frmMain&)>& run) {
    InstallLayoutFonts();
    auto store = std::make_unique<JudgementStore>();
    MessageBox messages;
    if (!PrepareStartUp(*store, messages, ".")) {
        return 1;
    }
    frmMain window(*store, messages);
    CentreOnScreen(window);
    window.show();
    window.Form_Load();
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
