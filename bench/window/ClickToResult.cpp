// Time from a click on "占う" to the finished result, painted: the judge command of the real main
// window, alternating between two names so that every click changes the window.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "analysis/ReferenceTables.h"
#include "data/KanjiDictionaryFile.h"
#include "data/SpiritTableFile.h"
#include "ui/common/Fonts.h"
#include "ui/common/MessageBox.h"
#include "ui/main/MainWindow.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    namori::InstallLayoutFonts();
    auto tables = std::make_shared<namori::ReferenceTables>();
    namori::LoadSpiritNumbers(*tables, NAMORI_SHIPPED_DATA_DIR);
    namori::LoadKanjiDictionary(*tables, NAMORI_SHIPPED_DATA_DIR);
    namori::MessageBox messages;
    namori::MainWindow window(tables, messages);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return 1;
    }
    const auto& ui = window.controls();
    const char* names[][2] = {{"白鳥", "杏奈"}, {"佐々木", "由美子"}};
    std::vector<double> milliseconds;
    for (int i = 0; i < 200; ++i) {
        ui.surnameEdit->setText(QString::fromUtf8(names[i % 2][0]));
        ui.givenNameEdit->setText(QString::fromUtf8(names[i % 2][1]));
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(ui.judgeButton, Qt::LeftButton);
        window.repaint();
        milliseconds.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("click to painted result: median %.3f ms, 95th percentile %.3f ms, max %.3f ms\n",
                milliseconds[milliseconds.size() / 2], milliseconds[milliseconds.size() * 95 / 100],
                milliseconds.back());
    return messages.shownCount() == 0 ? 0 : 1;
}
