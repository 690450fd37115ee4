// Time from a click on the result panel's luck table to the 鑑定書 window, shown and painted:
// the first click (which reads the explanation texts) and then clicks alternating between the
// readings of several names, so that every click changes the window's document. Given a file
// name, also saves the last reading's printed pages there as a PDF file, to look at.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "analysis/ReferenceTables.h"
#include "ui/common/Fonts.h"
#include "ui/common/MessageBox.h"
#include "ui/main/MainWindow.h"
#include "ui/reading/ReadingPrinter.h"
#include "ui/reading/ReadingWindow.h"

namespace {

// Clicks the luck table and waits until the reading window has painted; milliseconds.
double ClickToPaintedReading(namori::MainWindow& window) {
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(window.controls().luckCells[1][1], Qt::LeftButton);
    auto* reading = window.findChild<namori::ReadingWindow*>();
    if (reading == nullptr) {
        return -1;
    }
    reading->repaint();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    namori::InstallLayoutFonts();
    auto tables = std::make_shared<namori::ReferenceTables>();
    namori::LoadSpiritNumbers(*tables, NAMORI_SHIPPED_DATA_DIR);
    namori::LoadKanjiDictionary(*tables, NAMORI_SHIPPED_DATA_DIR);
    namori::MessageBox messages;
    namori::MainWindow window(tables, messages, NAMORI_SHIPPED_DATA_DIR);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return 1;
    }
    const auto& ui = window.controls();
    const char* names[][2] = {
        {"白鳥", "杏奈"}, {"佐々木", "由美子"}, {"高橋", "大翔"}, {"林", "陽"}, {"渡辺", "結菜"}};
    std::vector<double> milliseconds;
    double first = 0;
    for (int i = 0; i < 101; ++i) {
        const auto& name = names[i % 5];
        ui.surnameEdit->setText(QString::fromUtf8(name[0]));
        ui.givenNameEdit->setText(QString::fromUtf8(name[1]));
        QTest::mouseClick(ui.judgeButton, Qt::LeftButton);
        QApplication::processEvents();
        const double elapsed = ClickToPaintedReading(window);
        if (elapsed < 0) {
            return 1;
        }
        (i == 0 ? first : milliseconds.emplace_back()) = elapsed;
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf(
        "click to painted reading: first %.3f ms; then median %.3f ms, 95th percentile "
        "%.3f ms, max %.3f ms\n",
        first, milliseconds[milliseconds.size() / 2], milliseconds[milliseconds.size() * 95 / 100],
        milliseconds.back());
    if (argc > 1) {
        QString reason;
        const auto* reading = window.findChild<namori::ReadingWindow*>();
        if (!namori::SaveReadingPdf(reading->document(), QString::fromLocal8Bit(argv[1]), reason)) {
            std::fprintf(stderr, "%s\n", qPrintable(reason));
            return 1;
        }
    }
    return messages.shownCount() == 0 ? 0 : 1;
}
