#include <QApplication>
#include <csignal>
#include <memory>

#include "analysis/JudgementStore.h"
#include "ui/common/Fonts.h"
#include "ui/common/MessageBox.h"
#include "ui/main/Startup.h"
#include "ui/main/frmMain.h"

int main(int argc, char** argv) {
    // A write past a file-size limit must fail with an error the program reports, not end it.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    namori::InstallFontSubstitutions();
    auto store = std::make_unique<namori::JudgementStore>();
    namori::MessageBox messages;
    if (!namori::PrepareStartUp(*store, messages, ".")) {
        return 1;
    }
    namori::frmMain window(*store, messages);
    namori::CentreOnScreen(window);
    window.show();
    window.Form_Load();
    return QApplication::exec();
}
