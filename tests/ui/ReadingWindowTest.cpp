#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QXmlStreamReader>

#include "analysis/ReferenceTables.h"
#include "reading/DetailedReading.h"
#include "reading/ReadingDocument.h"
#include "rules/Judgement.h"
#include "support/TempFolder.h"
#include "ui/common/Fonts.h"
#include "ui/common/MessageBox.h"
#include "ui/main/MainWindow.h"
#include "ui/main/ReadingLauncher.h"
#include "ui/reading/ReadingWindow.h"

namespace namori {

namespace {

QString Text(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

// Every text a reader must find in the reading: the explanations and the table's texts.
QStringList TextsOf(const DetailedReading& reading) {
    QStringList texts;
    for (const LuckReading& luck : reading.luck) {
        texts << Text(luck.meaning) << Text(luck.phrase);
        for (const ReadingAspect& aspect : luck.aspects) {
            texts << Text(aspect.name) << Text(aspect.text);
        }
    }
    for (const ElementReading& element : reading.elements) {
        texts << Text(element.meaning);
    }
    texts << Text(reading.elementVerdictMeaning) << Text(reading.yinYangMeaning);
    texts << Text(reading.conclusion) << Text(reading.closingNote);
    return texts;
}

// Text with all white space removed: PDF text extraction breaks lines where the page did.
QString Squeezed(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class ReadingWindowTest : public QObject {
    Q_OBJECT

  private:
    ReferenceTables tables_;
    MessageBox messages_;
    std::unique_ptr<MainWindow> window_;

    void Judge(const char* surname, const char* givenName) {
        const auto& ui = window_->controls();
        ui.surnameEdit->setText(QString::fromUtf8(surname));
        ui.givenNameEdit->setText(QString::fromUtf8(givenName));
        QTest::mouseClick(ui.judgeButton, Qt::LeftButton);
    }

    ReadingWindow* OpenedWindow() const { return window_->findChild<ReadingWindow*>(); }

    // The reading of 白鳥 杏奈 with its explanations, as the window shows it.
    DetailedReading WorkedExample() {
        Judge("白鳥", "杏奈");
        DetailedReading reading =
            ReadingOf(namori::Judge({u"白鳥", u"杏奈"}, tables_), tables_.spiritTable);
        ExplainReading(reading, LoadReadingTexts({testing::ShippedDataFolder()}));
        return reading;
    }

    // Checks a PDF file: every page A4, every text of reading in it, and each luck number's
    // section on one page (its heading and its last aspect on the same page).
    void CheckPdf(const QString& file, const DetailedReading& reading) {
        const QString info = Run(QStringLiteral("pdfinfo"), {file});
        QVERIFY2(!info.isEmpty(), "pdfinfo (poppler-utils) could not read the file");
        const int pages =
            QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
        QVERIFY(pages >= 2);
        const QString sizes =
            Run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                            QStringLiteral("-l"), QString::number(pages), file});
        QCOMPARE(sizes.count(QStringLiteral("(A4)")), pages);

        const QString all = Squeezed(Run(QStringLiteral("pdftotext"), {file, QStringLiteral("-")}));
        for (const QString& text : TextsOf(reading)) {
            QVERIFY2(all.contains(Squeezed(text)), qPrintable(text));
        }
        QStringList pageTexts;
        for (int page = 1; page <= pages; ++page) {
            pageTexts << Squeezed(
                Run(QStringLiteral("pdftotext"),
                    {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                     QString::number(page), file, QStringLiteral("-")}));
            // Each page carries the name, the date of the reading and its number.
            for (const QString& band : {Text(reading.givenName), QString::fromUtf8("鑑定日"),
                                        QStringLiteral("%1/%2").arg(page).arg(pages)}) {
                QVERIFY2(pageTexts.back().contains(band), qPrintable(band));
            }
        }
        for (const LuckReading& luck : reading.luck) {
            const QString heading =
                Text(luck.name) + QString::number(luck.value) + Text(luck.phrase);
            const QString last = Squeezed(Text(luck.aspects.back().text));
            bool together = false;
            for (const QString& page : pageTexts) {
                together = together || (page.contains(heading) && page.contains(last));
            }
            QVERIFY2(together, qPrintable(heading));
        }
    }

  private slots:
    void initTestCase() { InstallLayoutFonts(); }

    void init() {
        tables_ = ReferenceTables();
        messages_ = MessageBox();
        LoadSpiritNumbers(tables_, testing::ShippedDataFolder());
        LoadKanjiDictionary(tables_, testing::ShippedDataFolder());
        window_ = std::make_unique<MainWindow>(std::make_shared<const ReferenceTables>(tables_),
                                               messages_);
        window_->show();
    }

    void cleanup() { window_.reset(); }

    void aClickOnTheDiagramOrTheLuckTableOpensTheReadingOfTheNameShown() {
        const auto& ui = window_->controls();
        QTest::mouseClick(ui.luckCells[1][1], Qt::LeftButton);
        QVERIFY(OpenedWindow() == nullptr);  // nothing judged yet

        Judge("白鳥", "杏奈");
        for (QLabel* label :
             {ui.nameCharacterLabels[2], ui.strokeCountLabels[2], ui.luckCells[4][2]}) {
            QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY(label->toolTip().contains(QString::fromUtf8("鑑定書")));
        }
        QTest::mouseClick(ui.luckCells[1][1], Qt::LeftButton);
        ReadingWindow* reading = OpenedWindow();
        QVERIFY(reading != nullptr && reading->isVisible());
        QVERIFY(reading->windowTitle().contains(QString::fromUtf8("白鳥 杏奈")));
        QVERIFY(reading->controls().view->toPlainText().contains(QString::fromUtf8("鉄志成功")));

        // A name that stops for registration leaves the reading of the name still shown.
        Judge("彁山", "杏奈");
        QTest::mouseClick(ui.nameCharacterLabels[3], Qt::LeftButton);
        QCOMPARE(window_->findChildren<ReadingWindow*>().size(), 1);
        QVERIFY(OpenedWindow()->windowTitle().contains(QString::fromUtf8("白鳥 杏奈")));

        // From the keyboard: Ctrl+K opens it, Esc closes it.
        OpenedWindow()->close();
        QTRY_VERIFY(OpenedWindow() == nullptr);
        Judge("佐藤", "翔");
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QTest::keyClick(window_.get(), Qt::Key_K, Qt::ControlModifier);
        QVERIFY(OpenedWindow() != nullptr);
        QCOMPARE(window_->findChildren<ReadingWindow*>().size(), 1);
        QVERIFY(OpenedWindow()->windowTitle().contains(QString::fromUtf8("佐藤 翔")));
        // 主運 藤18＋翔12＝30 is 凶: the reading closes with the 吉数表's patterns for 佐藤.
        QVERIFY(
            OpenedWindow()->controls().view->toPlainText().contains(QString::fromUtf8("数の目安")));
        OpenedWindow()->activateWindow();
        QTRY_VERIFY(OpenedWindow()->isActiveWindow());
        QTest::keyClick(OpenedWindow()->controls().view, Qt::Key_Escape);
        QTRY_VERIFY(OpenedWindow() == nullptr);
        QCOMPARE(messages_.shownCount(), 0);
    }

    void thePageIsWellFormedAndHoldsEveryText() {
        DetailedReading reading = WorkedExample();
        // Texts with markup characters (a dictionary may hold any character) stay text.
        for (const std::u16string surname : {u"白鳥", u"<&\">"}) {
            reading.surname = surname;
            const std::string page = ReadingPage(ReadingDocumentOf(reading));
            QXmlStreamReader xml(QByteArray::fromStdString(page));
            QString characters;
            int headings = 0;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isCharacters()) {
                    characters += xml.text();
                }
                headings +=
                    xml.isStartElement() && xml.attributes().value(QStringLiteral("class")) ==
                                                QStringLiteral("heading")
                        ? 1
                        : 0;
            }
            QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
            QCOMPARE(headings, 8);  // conclusion, five luck numbers, five elements, yin-yang
            const QStringList texts = TextsOf(reading) << Text(surname);
            for (const QString& text : texts) {
                QVERIFY2(characters.contains(text), qPrintable(text));
            }
            QVERIFY(!QString::fromStdString(page).contains(
                QStringLiteral("src=")));  // nothing external
        }
    }

    void printingAndSavingGiveA4DocumentsWithEveryText() {
        const DetailedReading reading = WorkedExample();
        window_->readingLauncher().Open();
        ReadingWindow* window = OpenedWindow();
        QVERIFY(window != nullptr);
        testing::TempFolder folder;
        const QString saved = QString::fromStdString((folder.path() / "saved.pdf").string());
        window->setPdfFileChooser([&] { return saved; });
        QTest::mouseClick(window->controls().pdfButton, Qt::LeftButton);
        CheckPdf(saved, reading);

        const QString printed = QString::fromStdString((folder.path() / "printed.pdf").string());
        window->setPrinterChooser([&] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(printed);
            return printer;
        });
        QTest::mouseClick(window->controls().printButton, Qt::LeftButton);
        CheckPdf(printed, reading);
        QCOMPARE(messages_.shownCount(), 0);

        // A file that cannot be made is reported and nothing is left behind.
        const QString impossible = saved + QStringLiteral("/inside-a-file.pdf");
        window->setPdfFileChooser([&] { return impossible; });
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(window->controls().pdfButton, Qt::LeftButton);
        QCOMPARE(messages_.shownCount(), 1);
        QVERIFY(messages_.lastText().contains(QString::fromUtf8("保存できませんでした")));
        QVERIFY(!QFile::exists(impossible));
    }
};

}  // namespace namori

QTEST_MAIN(namori::ReadingWindowTest)
#include "ReadingWindowTest.moc"
