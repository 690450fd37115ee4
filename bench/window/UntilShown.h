#pragma once

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

// Waits until window is on the screen and painted, then ends the process at once, without
// tearing the window down: the start-up benchmarks time processes from launch to here.
inline int ExitWhenShown(QWidget& window) {
    window.show();
    // Waits for the window system's events themselves rather than polling, so that the time is
    // not rounded up to a polling interval.
    QTimer::singleShot(10000, [] {
        std::fprintf(stderr, "the window was not shown\n");
        std::_Exit(1);
    });
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    window.repaint();
    QApplication::processEvents();
    // With the argument "--memory", the peak resident memory so far, in KiB.
    if (QApplication::arguments().contains(QStringLiteral("--memory"))) {
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : status.readAll().split('\n')) {
                if (line.startsWith("VmHWM:")) {
                    std::printf("%s\n", line.mid(6).trimmed().constData());
                }
            }
        }
        std::fflush(stdout);
    }
    std::_Exit(0);
}
