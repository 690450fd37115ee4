#include <QApplication>
#include <QDialogButtonBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include "analysis/ReferenceTables.h"
#include "data/KanjiDictionaryFile.h"
#include "data/SpiritTableFile.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"
#include "ui/common/Fonts.h"
#include "ui/common/MessageBox.h"
#include "ui/common/QtTranslations.h"
#include "ui/help/HelpViewer.h"
#include "ui/main/MainWindow.h"
#include "ui/main/WindowPrinter.h"
#include "ui/naming/NamingWindow.h"

namespace namori {

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The first page of a PDF file as an image, at a low resolution; null when it cannot be read.
QImage RenderFirstPage(const QString& pdf, const QString& folder) {
    const QString prefix = folder + "/page";
    QProcess::execute("pdftoppm",
                      {"-r", "40", "-png", "-f", "1", "-l", "1", "-singlefile", pdf, prefix});
    return QImage(prefix + ".png");
}

int PageCount(const QString& pdf) {
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished();
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n')) {
        if (line.startsWith("Pages:")) {
            return line.mid(6).trimmed().toInt();
        }
    }
    return -1;
}

// Mean difference per colour channel (0..255) between two images brought to one small size.
double MeanDifference(const QImage& a, const QImage& b) {
    const QSize size(96, 69);
    const QImage x = a.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_RGB32);
    const QImage y = b.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_RGB32);
    double total = 0;
    for (int row = 0; row < size.height(); ++row) {
        for (int column = 0; column < size.width(); ++column) {
            const QRgb p = x.pixel(column, row);
            const QRgb q = y.pixel(column, row);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                     std::abs(qBlue(p) - qBlue(q));
        }
    }
    return total / (3.0 * size.width() * size.height());
}

// The smallest rectangle holding every pixel that is not white.
QRect PrintedArea(const QImage& page) {
    QRect area;
    for (int row = 0; row < page.height(); ++row) {
        for (int column = 0; column < page.width(); ++column) {
            if (qGray(page.pixel(column, row)) < 250) {
                area |= QRect(column, row, 1, 1);
            }
        }
    }
    return area;
}

}  // namespace

class PrintHelpExitTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testing::TempFolder> folder_;
    ReferenceTables tables_;
    MessageBox messages_;
    std::unique_ptr<MainWindow> window_;
    int quitCalls_ = 0;

    QString PdfPath(const char* name) const {
        return QString::fromStdString((folder_->path() / name).string());
    }

    std::function<std::unique_ptr<QPrinter>()> PdfPrinter(const QString& file) {
        return [file] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(file);
            return printer;
        };
    }

  private slots:
    void initTestCase() {
        // Window sizes and places go to a settings file of the test's own.
        QStandardPaths::setTestModeEnabled(true);
        InstallLayoutFonts();
        QVERIFY(InstallQtTranslations());
    }

    void init() {
        folder_ = std::make_unique<testing::TempFolder>();
        tables_ = ReferenceTables();
        messages_ = MessageBox();
        LoadSpiritNumbers(tables_, testing::ShippedDataFolder());
        LoadKanjiDictionary(tables_, testing::ShippedDataFolder());
        window_ = std::make_unique<MainWindow>(std::make_shared<const ReferenceTables>(tables_),
                                               messages_, folder_->path());
        quitCalls_ = 0;
        connect(window_.get(), &MainWindow::quitRequested, this, [this] { ++quitCalls_; });
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup() {
        window_.reset();
        folder_.reset();
    }

    void cancelPrintsNothing() {
        int printersAsked = 0;
        window_->printer().setPrinterChooser([&printersAsked] {
            ++printersAsked;
            return std::unique_ptr<QPrinter>();
        });
        messages_.setNextAnswer(MessageBox::Answer::Cancel);
        QTest::mouseClick(window_->controls().printButton, Qt::LeftButton);
        QCOMPARE(messages_.lastText(), Text("表示中の画面イメージで印刷しますか？\r\n\r\n良かったら"
                                            "ＯＫボタンを押してください"));
        QCOMPARE(messages_.lastTitle(), Text("印刷確認"));
        QCOMPARE(messages_.lastIcon(), MessageBox::Icon::Exclamation);
        QCOMPARE(messages_.lastButtons(), MessageBox::Buttons::OkCancel);
        QCOMPARE(printersAsked, 0);
        QCOMPARE(messages_.shownCount(), 1);
    }

    void okPrintsOnePageThatIsTheWindowAsShown() {
        const QString pdf = PdfPath("print.pdf");
        window_->printer().setPrinterChooser(PdfPrinter(pdf));
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(window_->controls().printButton, Qt::LeftButton);
        QCOMPARE(messages_.shownCount(), 1);  // no failure message
        QCOMPARE(PageCount(pdf), 1);
        const QImage page = RenderFirstPage(pdf, QString::fromStdString(folder_->path().string()));
        QVERIFY(!page.isNull());
        const QRect printed = PrintedArea(page);
        // Scaled to fit and centred: as wide as the page's printable width, in the middle.
        QVERIFY(std::abs(printed.center().x() - page.width() / 2) <= 2);
        const double windowRatio = double(window_->width()) / window_->height();
        QVERIFY(std::abs(double(printed.width()) / printed.height() - windowRatio) < 0.05);
        const QImage shown = window_->grab().toImage();
        const double difference = MeanDifference(page.copy(printed), shown);
        QVERIFY2(difference < 12, qPrintable(QString::number(difference)));
        // A different window image would not match: the check can fail.
        QImage black(shown.size(), QImage::Format_RGB32);
        black.fill(Qt::black);
        QVERIFY(MeanDifference(page.copy(printed), black) > 100);
    }

    void withoutAPrinterThePageCanGoToAPdfFile() {
        window_->printer().setPrinterChooser([] { return std::unique_ptr<QPrinter>(); });
        messages_.setNextAnswer(MessageBox::Answer::Ok);      // print?
        messages_.setNextAnswer(MessageBox::Answer::Cancel);  // save as PDF instead?
        QTest::mouseClick(window_->controls().printButton, Qt::LeftButton);
        QVERIFY(messages_.lastText().contains(Text("PDF")));
        QCOMPARE(messages_.lastIcon(), MessageBox::Icon::Exclamation);
        QCOMPARE(messages_.lastButtons(), MessageBox::Buttons::OkCancel);

        const QString pdf = PdfPath("saved.pdf");
        window_->printer().setPdfFileChooser([pdf] { return pdf; });
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(window_->controls().printButton, Qt::LeftButton);
        QCOMPARE(PageCount(pdf), 1);
        QCOMPARE(messages_.shownCount(), 4);
    }

    // A page that cannot be written whole, to the printer's file or to the offered PDF file,
    // leaves the old file as it was and says so.
    void failedWritesOfThePageKeepTheOldFileAndSaySo() {
        const QString pdf = PdfPath("old.pdf");
        folder_->WriteBytes("old.pdf", std::string(200, 'x'));
        window_->printer().setPrinterChooser(PdfPrinter(pdf));
        window_->printer().setPdfFileChooser([pdf] { return pdf; });
        {
            testing::FileSizeLimit limit(1000);
            for (const auto answer :
                 {MessageBox::Answer::Ok, MessageBox::Answer::Ok, MessageBox::Answer::Ok}) {
                messages_.setNextAnswer(answer);  // print?, save as PDF instead?, the failure
            }
            QTest::mouseClick(window_->controls().printButton, Qt::LeftButton);
        }
        QCOMPARE(messages_.shownCount(), 3);
        QVERIFY2(messages_.lastText().contains(Text("ディスクの空きが足りません")),
                 qPrintable(messages_.lastText()));
        QCOMPARE(testing::FileBytes(folder_->path() / "old.pdf"), std::string(200, 'x'));
        for (const auto& entry : std::filesystem::directory_iterator(folder_->path())) {
            QVERIFY(!entry.path().filename().string().starts_with("old.pdf."));  // no temporary
        }
    }

    void qtsOwnTextsAreJapanese() {
        // The save dialog after a failed print and the boxes' context menu are Qt's own.
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), Text("キャンセル"));
        const std::unique_ptr<QMenu> menu(
            window_->controls().surnameEdit->createStandardContextMenu());
        QStringList captions;
        for (const QAction* action : menu->actions()) {
            captions << action->text().section('\t', 0, 0).remove('&');
        }
        QVERIFY2(captions.contains(Text("すべてを選択")), qPrintable(captions.join('|')));
        QVERIFY(!captions.contains("Select All"));
    }

    void helpOpensFromTheDataFolderFirstAndSaysWhenMissing() {
        folder_->WriteBytes("TevoHelp.html",
                            "<html><head><title>local help</title></head><body>here</body></html>");
        for (int press = 0; press < 3; ++press) {
            QTest::mouseClick(window_->controls().helpButton, Qt::LeftButton);
        }
        QCOMPARE(window_->helpViewer().openCount(), 1);  // one window, raised again
        auto* browser = window_->findChild<QTextBrowser*>();
        QVERIFY(browser != nullptr);
        QCOMPARE(browser->window()->windowTitle(), QString("local help"));
        QVERIFY(browser->toPlainText().contains("here"));

        QTextBrowser* missing = window_->helpViewer().Display("Nowhere.chm");
        QVERIFY(missing->toPlainText().contains(Text("見つかりません")));
        QCOMPARE(window_->helpViewer().openCount(), 2);
        window_->helpViewer().CloseAll();
        QCOMPARE(window_->helpViewer().openCount(), 0);
    }

    void introductionShowsItsTextBeforeTheHelp() {
        int helpWindowsWhenShown = -1;
        messages_.setShowHook([&] { helpWindowsWhenShown = window_->helpViewer().openCount(); });
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(window_->controls().introductionButton, Qt::LeftButton);
        QCOMPARE(messages_.lastTitle(), Text("コルヴィのご紹介"));
        QCOMPARE(messages_.lastIcon(), MessageBox::Icon::Information);
        QCOMPARE(messages_.lastButtons(), MessageBox::Buttons::Ok);
        QCOMPARE(messages_.lastText(),
                 Text("お子様の名付け支援には『コルヴィ』をぜひどうぞ！\r\n\r\n"
                      "姓名判断結果の詳細な解説も見れるほか、\r\n"
                      "呼び名を入力すると数千通りの組み合わせを一括して姓名判断する…など\r\n"
                      "多彩な機能で楽しく名付け作業をサポートします。\r\n\r\n"
                      "どんなことができるソフトなのかはコルヴィのヘルプをぜひご覧ください。"));
        QCOMPARE(helpWindowsWhenShown, 0);
        QCOMPARE(window_->helpViewer().openCount(), 1);
        // The help that opens is the one the message names.
        const auto* browser = window_->findChild<QTextBrowser*>();
        QCOMPARE(browser->window()->windowTitle(), Text("コルヴィのヘルプ"));
        QVERIFY(browser->toPlainText().contains(Text("『コルヴィ』")));
    }

    void exitClosesEveryHelpWindowThenEndsTheProgram() {
        QTest::mouseClick(window_->controls().helpButton, Qt::LeftButton);
        window_->helpViewer().Display("KoruviHelp.chm");
        QCOMPARE(window_->helpViewer().openCount(), 2);
        QTest::mouseClick(window_->controls().exitButton, Qt::LeftButton);
        QCOMPARE(window_->helpViewer().openCount(), 0);
        QCOMPARE(quitCalls_, 1);
    }

    void standardKeysPressTheButtonsAndCloseTheSecondaryWindows() {
        const auto press = [](QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
            QApplication::setActiveWindow(target);
            QTest::keyClick(target, key, modifiers);
        };
        press(window_.get(), Qt::Key_F1, Qt::NoModifier);
        QCOMPARE(window_->helpViewer().openCount(), 1);
        press(window_->findChild<QTextBrowser*>()->window(), Qt::Key_W, Qt::ControlModifier);
        QTRY_COMPARE(window_->helpViewer().openCount(), 0);
        press(window_->helpViewer().Display("TevoHelp.chm")->window(), Qt::Key_Escape,
              Qt::NoModifier);
        QTRY_COMPARE(window_->helpViewer().openCount(), 0);
        const QPointer<QWidget> naming = window_->OpenNamingSupport();
        press(naming, Qt::Key_W, Qt::ControlModifier);
        QTRY_VERIFY(naming.isNull() || !naming->isVisible());
        messages_.setNextAnswer(MessageBox::Answer::Cancel);
        press(window_.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(messages_.lastTitle(), Text("印刷確認"));
        press(window_.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(quitCalls_, 1);
        QVERIFY(window_->controls().helpButton->toolTip().endsWith(Text("（F1）")));
        QVERIFY(window_->controls().printButton->toolTip().endsWith(Text("（Ctrl+P）")));
        QVERIFY(window_->controls().exitButton->toolTip().endsWith(Text("（Ctrl+Q）")));
    }

    void closeBoxEndsTheProgramWithoutAsking() {
        window_->close();
        QCOMPARE(quitCalls_, 1);
        QCOMPARE(messages_.shownCount(), 0);
    }
};

}  // namespace namori

QTEST_MAIN(namori::PrintHelpExitTest)
#include "PrintHelpExitTest.moc"
