// A bare Qt window of the same size with a caption, up to the window on the screen, then exit:
// the yardstick for the window program's start-up.
#include "UntilShown.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.setFixedSize(627, 448);
    return ExitWhenShown(window);
}
