#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

// Waits until window is on the screen and painted, then ends the process at once, without
// tearing the window down: the start-up benchmarks time processes from launch to here.
inline int ExitWhenShown(QWidget& window) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window, 10000)) {
        std::fprintf(stderr, "the window was not shown\n");
        std::_Exit(1);
    }
    window.repaint();
    QApplication::processEvents();
    std::_Exit(0);
}
