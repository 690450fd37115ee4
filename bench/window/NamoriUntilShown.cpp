// The window program's start-up (tables, first saved surname, main window) up to the window on
// the screen, then exit. Runs in the current folder, like the program.
#include <memory>

#include "UntilShown.h"
#include "analysis/JudgementStore.h"
#include "ui/common/Fonts.h"
#include "ui/common/MessageBox.h"
#include "ui/main/Startup.h"
#include "ui/main/frmMain.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    namori::InstallFontSubstitutions();
    auto store = std::make_unique<namori::JudgementStore>();
    namori::MessageBox messages;
    if (!namori::PrepareStartUp(*store, messages, ".")) {
        return 1;
    }
    namori::frmMain window(*store, messages);
    namori::CentreOnScreen(window);
    return ExitWhenShown(window);
}
