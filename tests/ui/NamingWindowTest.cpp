#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <fstream>
#include <sstream>

#include "analysis/ReferenceTables.h"
#include "data/KanjiDictionaryFile.h"
#include "data/SpiritTableFile.h"
#include "support/TempFolder.h"
#include "ui/common/Fonts.h"
#include "ui/common/MessageBox.h"
#include "ui/help/HelpViewer.h"
#include "ui/main/MainWindow.h"
#include "ui/main/ReadingLauncher.h"
#include "ui/naming/CandidateTableModel.h"
#include "ui/naming/LuckyStrokesPage.h"
#include "ui/naming/NamingWindow.h"
#include "ui/reading/ComparisonTableModel.h"
#include "ui/reading/ReadingWindow.h"
#include "ui/reading/ShortlistWindow.h"

namespace namori {

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The row of the table (as shown) that holds spelling, or -1.
int RowOf(const NamingWindow& window, const QString& spelling) {
    const QAbstractItemModel* shown = window.controls().table->model();
    for (int row = 0; row < shown->rowCount(); ++row) {
        if (shown->index(row, CandidateTableModel::kSpelling).data().toString() == spelling) {
            return row;
        }
    }
    return -1;
}

}  // namespace

class NamingWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testing::TempFolder> folder_;
    ReferenceTables tables_;
    MessageBox messages_;
    std::unique_ptr<MainWindow> window_;

    NamingWindow* OpenFromTheHelpPage() {
        // The help page's link "namori:naming" opens the aid.
        emit window_->helpViewer().programLinkActivated(QStringLiteral("naming"));
        return window_->findChild<NamingWindow*>();
    }

  private slots:
    void initTestCase() { InstallLayoutFonts(); }

    void init() {
        folder_ = std::make_unique<testing::TempFolder>();
        tables_ = ReferenceTables();
        messages_ = MessageBox();
        LoadSpiritNumbers(tables_, testing::ShippedDataFolder());
        LoadKanjiDictionary(tables_, testing::ShippedDataFolder());
        window_ = std::make_unique<MainWindow>(std::make_shared<const ReferenceTables>(tables_),
                                               messages_, folder_->path());
        window_->show();
    }

    void cleanup() {
        window_.reset();
        folder_.reset();
    }

    void opensWithTheMainWindowsSurnameAndListsTheRankedCandidates() {
        window_->controls().surnameEdit->setText(Text("佐藤"));
        NamingWindow* naming = OpenFromTheHelpPage();
        QVERIFY(naming != nullptr);
        QCOMPARE(naming->controls().surnameBox->text(), Text("佐藤"));
        QCOMPARE(OpenFromTheHelpPage(), naming);  // one window, brought forward

        naming->controls().readingBox->setText(Text("はると"));
        QTest::mouseClick(naming->controls().searchButton, Qt::LeftButton);
        QVERIFY(naming->shownRows() >= 20);
        QVERIFY(RowOf(*naming, Text("陽翔")) >= 0);
        QVERIFY(RowOf(*naming, Text("晴人")) >= 0);
        const QAbstractItemModel* shown = naming->controls().table->model();
        QCOMPARE(shown->index(0, CandidateTableModel::kRank).data().toInt(), 1);
        QCOMPARE(naming->model().candidate(0).surname, u"佐藤");

        // Sorting by 総運 puts the numbers in order.
        naming->controls().table->sortByColumn(CandidateTableModel::kTotal, Qt::AscendingOrder);
        for (int row = 1; row < shown->rowCount(); ++row) {
            QVERIFY(shown->index(row - 1, CandidateTableModel::kTotal)
                        .data(CandidateTableModel::SortRole)
                        .toInt() <= shown->index(row, CandidateTableModel::kTotal)
                                        .data(CandidateTableModel::SortRole)
                                        .toInt());
        }
    }

    // Without a mouse: Tab through the help page's links to "コルヴィを開く", then Enter.
    void theHelpPageLinkOpensTheAidFromTheKeyboard() {
        QTextBrowser* browser = window_->helpViewer().Display("KoruviHelp.chm");
        QApplication::setActiveWindow(browser->window());
        browser->setFocus();
        for (int link = 0;
             link < 30 && browser->textCursor().selectedText() != Text("コルヴィを開く"); ++link) {
            QTest::keyClick(browser, Qt::Key_Tab);
        }
        QCOMPARE(browser->textCursor().selectedText(), Text("コルヴィを開く"));
        QVERIFY(window_->findChild<NamingWindow*>() == nullptr);
        QTest::keyClick(browser, Qt::Key_Return);
        QVERIFY(window_->findChild<NamingWindow*>() != nullptr);
    }

    void filtersToNamesWhoseFacesAreAllFavourable() {
        NamingWindow* naming = OpenFromTheHelpPage();
        naming->controls().surnameBox->setText(Text("佐藤"));
        naming->controls().readingBox->setText(Text("はると"));
        // Rare compositions too: no real name nor natural composition read はると has three
        // favourable faces beside 佐藤.
        naming->controls().rareBox->setChecked(true);
        naming->Search();
        const int all = naming->shownRows();
        naming->controls().favourableOnlyBox->setChecked(true);
        const int favourable = naming->shownRows();
        QVERIFY(favourable > 0 && favourable < all);
        const QAbstractItemModel* shown = naming->controls().table->model();
        for (int row = 0; row < shown->rowCount(); ++row) {
            for (int column : {CandidateTableModel::kLuckFace, CandidateTableModel::kElementFace,
                               CandidateTableModel::kYinYangFace}) {
                QCOMPARE(shown->index(row, column).data().toString(), Text("良"));
            }
        }
    }

    void sexFilterNarrowsTheRealNames() {
        NamingWindow* naming = OpenFromTheHelpPage();
        naming->controls().surnameBox->setText(Text("白鳥"));
        naming->controls().readingBox->setText(Text("あんな"));
        naming->Search();
        const int either = naming->shownRows();
        QVERIFY(RowOf(*naming, Text("杏奈")) >= 0);
        naming->controls().sexBox->setCurrentIndex(1);  // 男の子
        naming->Search();
        QVERIFY(naming->shownRows() < either);
        QCOMPARE(RowOf(*naming, Text("杏奈")), -1);
    }

    void doubleClickHandsTheSpellingToTheMainWindow() {
        NamingWindow* naming = OpenFromTheHelpPage();
        naming->controls().surnameBox->setText(Text("白鳥"));
        naming->controls().readingBox->setText(Text("あんな"));
        naming->Search();
        QVERIFY(QTest::qWaitForWindowExposed(naming));
        const int row = RowOf(*naming, Text("杏奈"));
        QVERIFY(row >= 0);
        naming->controls().table->scrollTo(naming->controls().table->model()->index(row, 1));
        QApplication::processEvents();
        const QRect cell =
            naming->controls().table->visualRect(naming->controls().table->model()->index(row, 1));
        QTest::mouseClick(naming->controls().table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(naming->controls().table->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(window_->controls().givenNameEdit->text(), Text("杏奈"));
        // The 鑑定書 of the name prints the reading chosen with it above the name.
        window_->controls().surnameEdit->setText(Text("白鳥"));
        QTest::mouseClick(window_->controls().judgeButton, Qt::LeftButton);
        ReadingWindow* reading = window_->readingLauncher().Open();
        QVERIFY(reading != nullptr);
        QVERIFY(reading->controls().view->toPlainText().contains(Text("あんな")));
        reading->close();

        // Enter on the row the arrows chose does the same.
        window_->controls().givenNameEdit->clear();
        QApplication::setActiveWindow(naming);
        naming->controls().table->setFocus();
        QTest::keyClick(naming->controls().table, Qt::Key_Down);
        const QModelIndex chosen = naming->controls().table->currentIndex();
        QCOMPARE(chosen.row(), row + 1);
        QTest::keyClick(naming->controls().table, Qt::Key_Return);
        QCOMPARE(window_->controls().givenNameEdit->text(),
                 chosen.siblingAtColumn(1).data().toString());
    }

    void exportsTheTableAsShownToCsv() {
        NamingWindow* naming = OpenFromTheHelpPage();
        naming->controls().surnameBox->setText(Text("白鳥"));
        naming->controls().readingBox->setText(Text("あんな"));
        naming->Search();
        naming->controls().favourableOnlyBox->setChecked(true);
        const auto file = folder_->path() / "candidates.csv";
        naming->setCsvFileChooser([&file] { return QString::fromStdString(file.string()); });
        QTest::mouseClick(naming->controls().exportButton, Qt::LeftButton);
        std::ifstream stream(file, std::ios::binary);
        std::stringstream bytes;
        bytes << stream.rdbuf();
        const QString text = QString::fromUtf8(bytes.str());
        QVERIFY(bytes.str().rfind("\xEF\xBB\xBF", 0) == 0);
        const QString withoutMark = text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
        const QStringList lines = withoutMark.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), naming->shownRows() + 1);
        QVERIFY(lines.front().startsWith(Text("順位,名前,読み分け,画数,祖運")));
        QCOMPARE(lines.at(1).split(',').at(1), naming->controls()
                                                   .table->model()
                                                   ->index(0, CandidateTableModel::kSpelling)
                                                   .data()
                                                   .toString());
    }

    void rareSpellingsFollowTheNaturalOnesWhenAsked() {
        NamingWindow* naming = OpenFromTheHelpPage();
        naming->controls().surnameBox->setText(Text("佐藤"));
        naming->controls().readingBox->setText(Text("はると"));
        naming->Search();
        const int natural = naming->shownRows();
        const QAbstractItemModel* shown = naming->controls().table->model();
        const QString firstSpelling =
            shown->index(0, CandidateTableModel::kSpelling).data().toString();
        QVERIFY(!shown->index(0, CandidateTableModel::kNaturalness).data().toString().isEmpty());
        for (int row = 0; row < natural; ++row) {
            QVERIFY(shown->index(row, CandidateTableModel::kNaturalness).data().toString() !=
                    Text("まれ"));
        }
        naming->controls().rareBox->setChecked(true);  // searches again
        QVERIFY(naming->shownRows() > natural);
        QCOMPARE(shown->index(0, CandidateTableModel::kSpelling).data().toString(), firstSpelling);
        for (int row = natural; row < naming->shownRows(); ++row) {
            QCOMPARE(shown->index(row, CandidateTableModel::kNaturalness).data().toString(),
                     Text("まれ"));
        }
    }

    void luckyStrokesTabListsPatternsAndTheKanjiOfAClickedOne() {
        NamingWindow* naming = OpenFromTheHelpPage();
        naming->controls().surnameBox->setText(Text("佐藤"));
        naming->controls().tabs->setCurrentWidget(naming->controls().luckyPage);
        QCOMPARE(naming->controls().tabs->tabText(1), Text("吉数表"));
        LuckyStrokesPage* page = naming->controls().luckyPage;
        page->controls().charactersBox->setCurrentIndex(1);  // 名前２字
        QTest::mouseClick(page->controls().showButton, Qt::LeftButton);
        QVERIFY(page->controls().table->rowCount() > 10);
        QVERIFY(QTest::qWaitForWindowExposed(naming));
        // The first pattern's counts, then a click lists every dictionary kanji of each.
        const QStringList counts = page->controls().table->item(0, 1)->text().split(',');
        QCOMPARE(counts.size(), 2);
        const QRect cell =
            page->controls().table->visualItemRect(page->controls().table->item(0, 1));
        QTest::mouseClick(page->controls().table->viewport(), Qt::LeftButton, {}, cell.center());
        const QStringList lines = page->controls().kanjiView->toPlainText().split('\n');
        QCOMPARE(lines.size(), 2);
        const QStringList examples = page->controls().table->item(0, 7)->text().split(" / ");
        QCOMPARE(examples.size(), 2);
        for (int i = 0; i < 2; ++i) {
            QVERIFY2(lines[i].contains(counts[i] + Text("画")), qPrintable(lines[i]));
            for (QChar kanji : examples[i]) {
                QVERIFY(lines[i].contains(kanji));
            }
        }
        // A surname the dictionary lacks is refused with a message.
        naming->controls().surnameBox->setText(Text("鬱鬱"));
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        page->ShowPatterns();
        QVERIFY(messages_.lastText().contains(Text("鬱")));
    }

    // Ctrl+N opens the aid at once; a ☆ and the main window's Ctrl+D put names on the 候補 page,
    // which judges them side by side, opens a row's 鑑定書, saves a PDF and takes a row off.
    void starredAndJudgedNamesAreComparedOnTheShortlistPage() {
        QVERIFY(window_->controls().introductionButton->toolTip().contains(Text("Ctrl+N")));
        QApplication::setActiveWindow(window_.get());
        QTest::keyClick(window_.get(), Qt::Key_N, Qt::ControlModifier);
        NamingWindow* naming = window_->findChild<NamingWindow*>();
        QVERIFY(naming != nullptr && naming->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(naming));
        naming->controls().surnameBox->setText(Text("佐藤"));
        naming->controls().readingBox->setText(Text("はると"));
        naming->Search();
        QTableView* table = naming->controls().table;
        const QModelIndex star =
            table->model()->index(RowOf(*naming, Text("陽翔")), CandidateTableModel::kShortlisted);
        table->scrollTo(star);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(star).center());
        QCOMPARE(star.data().toString(), Text("★"));

        window_->controls().surnameEdit->setText(Text("佐藤"));
        window_->controls().givenNameEdit->setText(Text("湊"));
        QTest::mouseClick(window_->controls().judgeButton, Qt::LeftButton);
        QApplication::setActiveWindow(window_.get());
        window_->controls().givenNameEdit->setFocus();
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        QTest::keyClick(window_.get(), Qt::Key_D, Qt::ControlModifier);
        QVERIFY2(messages_.lastText().contains(Text("湊")), qPrintable(messages_.lastText()));

        QTest::mouseClick(naming->controls().shortlistButton, Qt::LeftButton);
        ShortlistWindow* page = window_->findChild<ShortlistWindow*>();
        QVERIFY(page != nullptr && page->isVisible());
        const auto& names = page->model().names();
        QCOMPARE(names.size(), std::size_t{2});
        QVERIFY(names[0].entry.givenName == u"陽翔" && names[0].entry.reading == u"はると");
        // 佐7 藤18 陽12 翔12 and 湊12 summed by hand: 祖運 主運 初運 助運 総運.
        QVERIFY((names[0].luck == std::array<int, 5>{25, 30, 24, 19, 49}));
        QVERIFY((names[1].luck == std::array<int, 5>{25, 30, 12, 19, 37}));
        // Sorted by 総運 from the smallest, 湊 (37) stands above 陽翔 (49).
        page->controls().table->sortByColumn(ComparisonTableModel::kLastLuck, Qt::AscendingOrder);
        QCOMPARE(page->controls().table->model()->index(0, 1).data().toString(), Text("湊"));

        const auto pdf = folder_->path() / "comparison.pdf";
        page->setPdfFileChooser([&pdf] { return QString::fromStdString(pdf.string()); });
        QTest::mouseClick(page->controls().pdfButton, Qt::LeftButton);
        QVERIFY(testing::FileBytes(pdf).rfind("%PDF", 0) == 0);

        page->controls().table->selectRow(1);
        QTest::mouseClick(page->controls().readingButton, Qt::LeftButton);
        ReadingWindow* reading = window_->findChild<ReadingWindow*>();
        QVERIFY(reading != nullptr && reading->windowTitle().contains(Text("陽翔")));
        QVERIFY(reading->controls().view->toPlainText().contains(Text("はると")));

        page->controls().table->selectRow(0);
        QApplication::setActiveWindow(page);
        page->controls().table->setFocus();
        QTest::keyClick(page->controls().table, Qt::Key_Delete);
        QCOMPARE(page->model().rowCount(), 1);
        QVERIFY(page->model().names()[0].entry.givenName == u"陽翔");
    }

    // 使いたい漢字 with a reading: every row holds the kanji, is read so and says its grounds;
    // a kanji the law does not allow is refused.
    void searchesByAKanjiWithTheReadingsGrounds() {
        NamingWindow* naming = OpenFromTheHelpPage();
        naming->controls().surnameBox->setText(Text("佐藤"));
        naming->controls().readingBox->setText(Text("はると"));
        naming->controls().kanjiBox->setText(Text("翔"));
        naming->Search();
        QVERIFY(RowOf(*naming, Text("陽翔")) >= 0);
        const QAbstractItemModel* shown = naming->controls().table->model();
        for (int row = 0; row < shown->rowCount(); ++row) {
            QVERIFY(shown->index(row, CandidateTableModel::kSpelling)
                        .data()
                        .toString()
                        .contains(Text("翔")));
            QCOMPARE(shown->index(row, CandidateTableModel::kReading).data().toString(),
                     Text("はると"));
        }
        QCOMPARE(shown->index(RowOf(*naming, Text("陽翔")), CandidateTableModel::kGrounds)
                     .data()
                     .toString(),
                 Text("陽=はる（名乗り）・翔=と（訓）"));
        naming->controls().kanjiBox->setText(Text("斂"));
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        naming->Search();
        QVERIFY(messages_.lastText().contains(Text("使えない漢字")));
    }

    void badReadingsAreRefusedWithAMessage() {
        NamingWindow* naming = OpenFromTheHelpPage();
        naming->controls().surnameBox->setText(Text("白鳥"));
        naming->controls().readingBox->setText(Text("ハルト"));
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        naming->Search();
        QVERIFY(messages_.lastText().contains(Text("ひらがな")));
        QCOMPARE(naming->shownRows(), 0);
    }
};

}  // namespace namori

QTEST_MAIN(namori::NamingWindowTest)
#include "NamingWindowTest.moc"
