// Time from opening the name-choosing window to its first search's table painted (佐藤 / はると,
// a fresh window each time, so every search is a first one), and the same for the 吉数表 tab
// (佐藤, two characters). With --show [candidates|lucky] it opens the window once with that
// search done and stays open, for a screenshot.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "analysis/ReferenceTables.h"
#include "ui/common/Fonts.h"
#include "ui/common/MessageBox.h"
#include "ui/naming/LuckyStrokesPage.h"
#include "ui/naming/NamingWindow.h"

namespace {

const std::filesystem::path kShipped = NAMORI_SHIPPED_DATA_DIR;

std::unique_ptr<namori::NamingWindow> OpenWindow(
    std::shared_ptr<const namori::ReferenceTables> tables, namori::MessageBox& messages) {
    auto window = std::make_unique<namori::NamingWindow>(
        tables, messages,
        std::vector<std::filesystem::path>{kShipped.parent_path() / "naming", kShipped});
    window->controls().surnameBox->setText(QString::fromUtf8("佐藤"));
    window->controls().readingBox->setText(QString::fromUtf8("はると"));
    window->show();
    return window;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    namori::InstallLayoutFonts();
    auto tables = std::make_shared<namori::ReferenceTables>();
    namori::LoadSpiritNumbers(*tables, kShipped);
    namori::LoadKanjiDictionary(*tables, kShipped);
    namori::MessageBox messages;
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() >= 2 && arguments[1] == QStringLiteral("--show")) {
        auto window = OpenWindow(tables, messages);
        if (arguments.size() >= 3 && arguments[2] == QStringLiteral("lucky")) {
            window->controls().tabs->setCurrentWidget(window->controls().luckyPage);
            window->controls().luckyPage->ShowPatterns();
            window->controls().luckyPage->controls().table->selectRow(0);
        } else {
            window->Search();
        }
        return QApplication::exec();
    }
    std::vector<double> search;
    std::vector<double> lucky;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer timer;
        timer.start();
        auto window = OpenWindow(tables, messages);
        window->Search();
        window->repaint();
        search.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        window->controls().tabs->setCurrentWidget(window->controls().luckyPage);
        QApplication::processEvents();
        timer.restart();
        window->controls().luckyPage->ShowPatterns();
        window->repaint();
        lucky.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::printf(
        "window opened to first search painted (佐藤 / はると): median %.1f ms, max %.1f ms\n",
        Median(search), *std::max_element(search.begin(), search.end()));
    std::printf("吉数表 (佐藤, 2 characters) computed and painted: median %.1f ms, max %.1f ms\n",
                Median(lucky), *std::max_element(lucky.begin(), lucky.end()));
    return messages.shownCount() == 0 ? 0 : 1;
}
