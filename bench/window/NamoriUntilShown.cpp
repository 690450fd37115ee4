// The window program's start-up (tables, first saved surname, main window and its lists) up to
// the window on the screen, then exit. Runs in the current folder, like the program.
#include "UntilShown.h"
#include "ui/main/MainWindow.h"
#include "ui/main/Startup.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return namori::StartUp([](namori::MainWindow& window) { return ExitWhenShown(window); });
}
