#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextTable>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/ReferenceTables.h"
#include "data/DataFiles.h"
#include "data/KanjiDictionaryFile.h"
#include "data/SpiritTableFile.h"
#include "support/TempFolder.h"
#include "ui/common/Fonts.h"
#include "ui/common/MessageBox.h"
#include "ui/help/HelpViewer.h"
#include "ui/main/MainWindow.h"
#include "ui/main/NameDiagram.h"
#include "ui/main/ReadingLauncher.h"
#include "ui/main/Startup.h"
#include "ui/naming/NamingWindow.h"
#include "ui/reading/ReadingWindow.h"
#include "ui/registration/KanjiRegistrationDialog.h"

namespace namori {

namespace {

// Rows of the luck table (祖運 to 総運 from 0).
constexpr int kAssistLuckRow = 3;
constexpr int kTotalLuckRow = 4;

// Everything a user can see of the result frame: every label's caption and every control's
// visibility, by object name.
QStringList Snapshot(const QWidget& window) {
    QStringList lines;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        QString line = widget->objectName() + (widget->isHidden() ? " hidden" : " shown");
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            line += " " + label->text();
        }
        lines << line;
    }
    return lines;
}

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The colour a widget's text is drawn on: its own background where it fills it, else that of
// the nearest container that does (or the window's).
QColor BackgroundBehind(const QWidget* widget) {
    if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractItemView*>(widget)) {
        return widget->palette().color(QPalette::Base);
    }
    for (const QWidget* at = widget; at != nullptr; at = at->parentWidget()) {
        if (at->autoFillBackground() || at->isWindow()) {
            return at->palette().color(at->backgroundRole());
        }
    }
    return widget->palette().color(QPalette::Window);
}

// Each text of a window with the colour it is drawn in and the colour it stands on.
QStringList TextColours(const QWidget& window) {
    QStringList colours;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        QPalette::ColorRole text = QPalette::NoRole;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            text = label->text().isEmpty() ? QPalette::NoRole : widget->foregroundRole();
        } else if (qobject_cast<const QLineEdit*>(widget) ||
                   qobject_cast<const QAbstractItemView*>(widget)) {
            text = QPalette::Text;
        } else if (qobject_cast<const QCheckBox*>(widget)) {
            text = QPalette::WindowText;
        }
        if (text != QPalette::NoRole) {
            colours << widget->objectName() + " " + widget->palette().color(text).name() + " on " +
                           BackgroundBehind(widget).name();
        }
    }
    return colours;
}

// A dark desktop palette like qt6ct's "darker" scheme.
QPalette DarkDesktopPalette() {
    QPalette dark(QColor(0x42, 0x42, 0x45), QColor(0x22, 0x20, 0x20));
    dark.setColor(QPalette::Base, QColor(0x3D, 0x3D, 0x3D));
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        dark.setColor(role, Qt::white);
    }
    dark.setColor(QPalette::Link, QColor(0x09, 0x86, 0xD3));
    return dark;
}

// Contrast ratio of two colours by relative luminance, 1 (same) to 21 (black on white).
double Contrast(const QColor& first, const QColor& second) {
    const auto luminance = [](const QColor& colour) {
        const auto channel = [](double value) {
            return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
               0.0722 * channel(colour.blueF());
    };
    const double a = luminance(first) + 0.05;
    const double b = luminance(second) + 0.05;
    return std::max(a, b) / std::min(a, b);
}

// The palest pair the layout draws, white on #FF80FF, has 2.1; text that vanishes (black or dark
// blue on dark grey, white on light yellow) has under 1.8.
constexpr double kReadable = 2.0;

// The texts of a window drawn with too little contrast to their background, as "name: colour on
// colour".
QStringList FaintTexts(const QWidget& window) {
    QStringList faint;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window)) {
            continue;
        }
        QColor text;
        QColor back = BackgroundBehind(widget);
        const QPalette& palette = widget->palette();
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            if (label->text().isEmpty()) {
                continue;
            }
            text = palette.color(widget->foregroundRole());
        } else if (qobject_cast<const QLineEdit*>(widget) ||
                   qobject_cast<const QAbstractItemView*>(widget)) {
            text = palette.color(QPalette::Text);
        } else if (qobject_cast<const QCheckBox*>(widget)) {
            text = palette.color(QPalette::WindowText);
        } else if (qobject_cast<const QAbstractButton*>(widget) ||
                   qobject_cast<const QComboBox*>(widget)) {
            text = palette.color(QPalette::ButtonText);
            const auto* tool = qobject_cast<const QToolButton*>(widget);
            if (tool == nullptr || !tool->autoRaise()) {
                back = palette.color(QPalette::Button);
            }
        } else {
            continue;
        }
        if (Contrast(text, back) < kReadable) {
            faint << widget->objectName() + ": " + text.name() + " on " + back.name();
        }
    }
    return faint;
}

// The same for the text of a help page, fragment by fragment, with the colours the page sets.
QStringList FaintTexts(const QTextBrowser& browser) {
    QStringList faint;
    const QTextDocument* document = browser.document();
    const auto colourOf = [](const QBrush& brush, QColor& colour) {
        if (brush.style() == Qt::NoBrush) {
            return false;
        }
        colour = brush.color();
        return true;
    };
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment piece = fragment.fragment();
            if (piece.text().trimmed().isEmpty()) {
                continue;
            }
            const QTextCharFormat format = piece.charFormat();
            QColor text = browser.palette().color(QPalette::Text);
            colourOf(format.foreground(), text);
            QColor back = browser.palette().color(QPalette::Base);
            QTextCursor at(const_cast<QTextDocument*>(document));
            at.setPosition(piece.position());
            const QTextTable* table = at.currentTable();
            if (!colourOf(format.background(), back) &&
                !colourOf(block.blockFormat().background(), back) &&
                !(table != nullptr && colourOf(table->cellAt(at).format().background(), back))) {
                if (table != nullptr) {
                    colourOf(table->format().background(), back);
                }
            }
            if (Contrast(text, back) < kReadable) {
                faint << piece.text() + ": " + text.name() + " on " + back.name();
            }
        }
    }
    return faint;
}

// What a screen reader gets for a widget through Qt's accessibility interface.
QString Spoken(QObject* widget, QAccessible::Text what) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible != nullptr ? accessible->text(what) : QString();
}

bool IsJapanese(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; });
}

// Where a label draws the ink of its text, in device pixels at the given scale: the text is set
// as the label sets it (centred across and down) in its font scaled to the device.
QRectF InkRect(const QLabel& label, double scale) {
    QFont font = label.font();
    font.setPixelSize(static_cast<int>(std::lround(font.pixelSize() * scale)));
    const QFontMetricsF metrics(font);
    const QRectF box(QRectF(label.contentsRect().translated(label.pos())).topLeft() * scale,
                     QSizeF(label.contentsRect().size()) * scale);
    const QString text = label.text();
    const double left = box.left() + (box.width() - metrics.horizontalAdvance(text)) / 2;
    const double baseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
    return metrics.boundingRect(text).translated(left, baseline);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    ReferenceTables tables_;
    std::shared_ptr<const ReferenceTables> Tables() const {
        return std::make_shared<const ReferenceTables>(tables_);
    }
    MessageBox messages_;
    std::unique_ptr<MainWindow> window_;

    const MainWindowControls& ui() const { return window_->controls(); }

    void Judge(const char* surname, const char* givenName, bool complement = false) {
        ui().surnameEdit->setText(Text(surname));
        ui().givenNameEdit->setText(Text(givenName));
        ui().complementCheckBox->setChecked(complement);
        QTest::mouseClick(ui().judgeButton, Qt::LeftButton);
    }

    void ExpectSlots(std::initializer_list<std::pair<int, const char*>> shown) {
        for (int slot = 0; slot < 6; ++slot) {
            bool expected = false;
            for (const auto& [shownSlot, character] : shown) {
                if (shownSlot == slot) {
                    expected = true;
                    QCOMPARE(ui().nameCharacterLabels[slot]->text(), Text(character));
                }
            }
            QCOMPARE(!ui().nameCharacterLabels[slot]->isHidden(), expected);
            QCOMPARE(!ui().strokeCountLabels[slot]->isHidden(), expected);
        }
    }

    // The lengths of surname and given name the brackets are drawn for.
    std::pair<int, int> DiagramShape() const {
        return {ui().nameDiagram->surnameLength(), ui().nameDiagram->givenNameLength()};
    }

    QStringList VisibleFaces() const {
        QStringList names;
        for (int slot = 0; slot < 3; ++slot) {
            for (const QLabel* face : {ui().favourableFaces[slot], ui().middlingFaces[slot],
                                       ui().unfavourableFaces[slot]}) {
                if (!face->isHidden())
                    names << face->accessibleName();
            }
        }
        return names;
    }

  private slots:
    void initTestCase() {
        InstallLayoutFonts();
        QStandardPaths::setTestModeEnabled(true);
    }

    void init() {
        QSettings().clear();
        tables_ = ReferenceTables();
        messages_ = MessageBox();
        LoadSpiritNumbers(tables_, testing::ShippedDataFolder());
        tables_.dictionary.Assign(
            ParseKanjiDictionary(u"白,5,鳥,11,杏,7,奈,8,林,8,翔,12,佐,7,々,3,木,4,由,5,美,9,子,3,"
                                 u"～,2,櫻,21,澤,16,鷹,24,耀,20,麗,19",
                                 "test"));
        window_ = std::make_unique<MainWindow>(Tables(), messages_);
        window_->show();
    }

    void cleanup() { window_.reset(); }

    void explanationPanelCoversTheResultFrameAtStart() {
        QVERIFY(!ui().explanationPanel->isHidden());
        QCOMPARE(ui().explanationPanel->geometry(), ui().resultFrame->geometry());
        const QPoint inside = ui().resultFrame->geometry().center();
        const QWidget* top = window_->childAt(inside);
        QVERIFY(top == ui().explanationPanel || ui().explanationPanel->isAncestorOf(top));
        QCOMPARE(window_->windowTitle(), Text("ナモリ"));
        QCOMPARE(window_->size(), QSize(627, 448));
    }

    void emptyBoxesAreRefusedWithTheExactMessage() {
        const QStringList before = Snapshot(*window_);
        for (const auto& [surname, givenName] : {std::pair{"", "杏奈"}, std::pair{"白鳥", ""}}) {
            messages_.setNextAnswer(MessageBox::Answer::Ok);
            Judge(surname, givenName);
            QCOMPARE(messages_.lastText(), Text("名字と名前を正しく入力してください"));
            QCOMPARE(messages_.lastTitle(), Text("入力漏れ確認"));
            QCOMPARE(messages_.lastIcon(), MessageBox::Icon::Exclamation);
            QCOMPARE(messages_.lastButtons(), MessageBox::Buttons::Ok);
        }
        QCOMPARE(Snapshot(*window_), before);
    }

    void workedExampleFillsEveryCellSlotSegmentAndFace() {
        Judge("白鳥", "杏奈");
        QCOMPARE(messages_.shownCount(), 0);
        ExpectSlots({{1, "白"}, {2, "鳥"}, {3, "杏"}, {4, "奈"}});
        QCOMPARE(ui().strokeCountLabels[1]->text(), Text("5 "));
        QCOMPARE(ui().strokeCountLabels[2]->text(), Text("11 "));
        QCOMPARE(ui().strokeCountLabels[3]->text(), Text("7 "));
        QCOMPARE(ui().strokeCountLabels[4]->text(), Text("8 "));
        QCOMPARE(DiagramShape(), std::pair(2, 2));
        const int values[] = {16, 18, 15, 13, 31};  // 祖運 to 総運
        for (std::size_t row = 0; row < std::size(values); ++row) {
            const auto& cells = ui().luckCells[row];
            QCOMPARE(cells[0]->text(), QString::number(values[row]));
            QCOMPARE(cells[1]->text(),
                     QString::fromStdU16String(tables_.spiritTable.spiritPhrase[values[row]]));
            QCOMPARE(cells[2]->text(), Text("◎"));
        }
        QCOMPARE(ui().elementDigitsCell->text(), Text("6 - 8 - 5"));
        QCOMPARE(ui().elementVerdictCell->text(), Text("土金土 ------"));
        QCOMPARE(ui().yinYangPatternCell->text(), Text("○○○●"));
        QCOMPARE(ui().yinYangVerdictCell->text(), Text("災難陰陽"));
        QCOMPARE(VisibleFaces(),
                 (QStringList{"５運 笑顔（良）", "５行 笑顔（良）", "陰陽 悲しい顔（悪）"}));
        QVERIFY(ui().explanationPanel->isHidden());
    }

    void complementOnAndOffForOneCharacterParts() {
        Judge("林", "翔", true);
        ExpectSlots({{1, "１"}, {2, "林"}, {3, "翔"}, {4, "１"}});
        QCOMPARE(ui().strokeCountLabels[1]->text(), Text("1 "));
        QCOMPARE(ui().strokeCountLabels[4]->text(), Text("1 "));
        QCOMPARE(ui().luckCells[kTotalLuckRow][0]->text(), QString::number(8 + 12));

        Judge("林", "翔", false);
        ExpectSlots({{2, "林"}, {3, "翔"}});
        QCOMPARE(DiagramShape(), std::pair(1, 1));
        QCOMPARE(ui().luckCells[kTotalLuckRow][0]->text(), QString::number(8 + 12));
        QCOMPARE(ui().luckCells[kAssistLuckRow][0]->text(), QString::number(8 + 12));
    }

    void unregisteredCharactersStopBeforeAnyResult() {
        Judge("白鳥", "杏奈");
        const QString shownSum = ui().luckCells[kTotalLuckRow][0]->text();
        Judge("犬鳥", "杏菜");
        // The registration dialog lists the characters of both parts, surname first, and the
        // main window stays usable.
        KanjiRegistrationDialog* dialog = window_->registrationDialog();
        QVERIFY(dialog != nullptr);
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->controls().kanjiEdits[0]->text(), Text("犬"));
        QCOMPARE(dialog->controls().kanjiEdits[1]->text(), Text("菜"));
        QVERIFY(dialog->controls().kanjiEdits[2]->text().isEmpty());
        QCOMPARE(messages_.shownCount(), 0);
        QVERIFY(VisibleFaces().isEmpty());
        QCOMPARE(ui().luckCells[kTotalLuckRow][0]->text(), shownSum);
        QVERIFY(ui().explanationPanel->isHidden());

        // A second judgement while it is open brings the same dialog forward.
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        Judge("犬鳥", "杏菜");
        QCOMPARE(window_->registrationDialog(), dialog);
        QCOMPARE(window_->findChildren<KanjiRegistrationDialog*>().size(), 1);

        // Before any judgement the explanation panel stays where it is.
        window_ = std::make_unique<MainWindow>(Tables(), messages_);
        Judge("白鳥", "杏子犬");
        QVERIFY(!ui().explanationPanel->isHidden());
    }

    void namesOutsideTheRulesAreRefusedAndChangeNothing() {
        Judge("白鳥", "杏奈");
        const QStringList before = Snapshot(*window_);
        for (const char* surname : {"白鳥林鳥", "𠮷田"}) {
            messages_.setNextAnswer(MessageBox::Answer::Ok);
            Judge(surname, "杏奈");
            QCOMPARE(messages_.lastIcon(), MessageBox::Icon::Exclamation);
            QCOMPARE(messages_.lastButtons(), MessageBox::Buttons::Ok);
            QVERIFY(!messages_.lastText().isEmpty());
            QCOMPARE(Snapshot(*window_), before);
        }
    }

    void shorterNameAfterLongerLeavesNoTrace() {
        Judge("佐々木", "由美子");
        ExpectSlots({{0, "佐"}, {1, "々"}, {2, "木"}, {3, "由"}, {4, "美"}, {5, "子"}});
        Judge("林", "翔");
        ExpectSlots({{2, "林"}, {3, "翔"}});
        QCOMPARE(DiagramShape(), std::pair(1, 1));
        QCOMPARE(VisibleFaces().size(), 3);
    }

    void twoJudgementsInARowAreIdentical() {
        Judge("白鳥", "杏奈");
        const QStringList first = Snapshot(*window_);
        Judge("白鳥", "杏奈");
        QCOMPARE(Snapshot(*window_), first);
    }

    void explanationPanelStaysHiddenForGood() {
        Judge("白鳥", "杏奈");
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        Judge("", "");
        QVERIFY(ui().explanationPanel->isHidden());
    }

    void boxesAreReadWithTheirCompositionAndAsTheFilesGiveThemBack() {
        // Text still being converted by an input method (underlined in the box, not yet part of
        // its text) counts when 占う is clicked; characters the files store as another
        // character are judged, shown and left in the box as the one that reads back.
        struct Case {
            const char* surname;
            const char* surnameComposing;
            const char* givenName;
            const char* givenNameComposing;
            const char16_t* judgedSurname;
            const char16_t* judgedGivenName;
        };
        const Case cases[] = {
            {"白", "鳥", "杏奈", "", u"白鳥", u"杏奈"},
            {"白鳥", "", "", "杏奈", u"白鳥", u"杏奈"},
            {"白鳥", "", "杏〜", "", u"白鳥", u"杏～"},
            {"白鳥", "", "杏", "〜", u"白鳥", u"杏～"},
        };
        QApplication::setActiveWindow(window_.get());
        for (const Case& c : cases) {
            const std::pair<QLineEdit*, const char*> boxes[] = {
                {ui().surnameEdit, c.surnameComposing}, {ui().givenNameEdit, c.givenNameComposing}};
            ui().surnameEdit->setText(Text(c.surname));
            ui().givenNameEdit->setText(Text(c.givenName));
            for (const auto& [box, composing] : boxes) {
                if (*composing != 0) {
                    box->setFocus();
                    QInputMethodEvent event(Text(composing), {});
                    QApplication::sendEvent(box, &event);
                }
            }
            // The composition is not yet part of the text.
            QCOMPARE(ui().surnameEdit->text(), Text(c.surname));
            QCOMPARE(ui().givenNameEdit->text(), Text(c.givenName));
            QTest::mouseClick(ui().judgeButton, Qt::LeftButton);
            QCOMPARE(messages_.shownCount(), 0);
            QCOMPARE(ui().surnameEdit->text(), QString::fromUtf16(c.judgedSurname));
            QCOMPARE(ui().givenNameEdit->text(), QString::fromUtf16(c.judgedGivenName));
            QCOMPARE(ui().nameCharacterLabels[3]->text(),
                     QString::fromUtf16(c.judgedGivenName).left(1));
            // Nothing of the composition is left to be added a second time.
            QTest::mouseClick(ui().judgeButton, Qt::LeftButton);
            QCOMPARE(ui().givenNameEdit->text(), QString::fromUtf16(c.judgedGivenName));
        }
    }

    void threeDigitLuckNumbersShowInFull() {
        Judge("白鳥", "杏奈");
        const QLabel* cell = ui().luckCells[kTotalLuckRow][0];
        const QRect drawn = cell->geometry();
        const QFont designFont = cell->font();
        Judge("櫻澤", "鷹耀麗");  // 21 + 16 + 24 + 20 + 19
        QCOMPARE(cell->text(), QString("100"));
        QVERIFY2(
            cell->fontMetrics().horizontalAdvance(cell->text()) <= cell->contentsRect().width(),
            qPrintable(QString::number(cell->fontMetrics().horizontalAdvance(cell->text()))));
        QCOMPARE(cell->geometry(), drawn);
        QCOMPARE(cell->font().pixelSize(), designFont.pixelSize());
        Judge("白鳥", "杏奈");
        QCOMPARE(cell->font(), designFont);
    }

    void focusedButtonsShowTheirFocusAndClickOnEnter() {
        QApplication::setActiveWindow(window_.get());
        QToolButton* button = ui().judgeButton;
        ui().surnameEdit->setFocus();
        const QImage unfocused = button->grab().toImage();
        button->setFocus();
        QVERIFY(button->hasFocus());
        QVERIFY(button->grab().toImage() != unfocused);

        QSignalSpy clicks(button, &QToolButton::clicked);
        const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
            {Qt::Key_Return, Qt::NoModifier},
            {Qt::Key_Enter, Qt::KeypadModifier},
            {Qt::Key_Space, Qt::NoModifier}};
        int expected = 0;
        for (const auto& [key, modifiers] : keys) {
            ui().nameCharacterLabels[1]->clear();
            ui().surnameEdit->setText(Text("白鳥"));
            ui().givenNameEdit->setText(Text("杏奈"));
            QTest::keyClick(button, key, modifiers);
            QCOMPARE(clicks.count(), ++expected);
            QCOMPARE(ui().nameCharacterLabels[1]->text(), Text("白"));
        }
        QVERIFY(ui().explanationPanel->isHidden());
    }

    // On a dark desktop the main window and the registration dialog draw every text in the
    // colours the layout gives it on a light one: no text is lost on a dark background.
    void textsKeepTheDesignColoursOnADarkDesktop() {
        const QPalette desktop = QGuiApplication::palette();
        const QPalette dark = DarkDesktopPalette();
        std::vector<QStringList> seen;
        for (const QPalette& palette : {desktop, dark}) {
            QApplication::setPalette(palette);
            MainWindow window(Tables(), messages_);
            window.show();
            window.controls().surnameEdit->setText(Text("白鳥"));
            window.controls().givenNameEdit->setText(Text("杏奈"));
            QTest::mouseClick(window.controls().judgeButton, Qt::LeftButton);
            KanjiRegistrationDialog dialog(Tables(), {}, messages_, ".", {}, &window);
            seen.push_back(TextColours(window) + TextColours(dialog));
        }
        QApplication::setPalette(desktop);
        QVERIFY(seen[0].size() > 40);
        QCOMPARE(seen[1], seen[0]);
    }

    // Every window, on a light and on a dark desktop, draws each text readably on its
    // background: the main window and the registration dialog in the layout's colours, the help
    // pages in their own, the naming window and the message boxes in the desktop's.
    void everyTextIsReadableOnLightAndDarkDesktops() {
        const QPalette desktop = QGuiApplication::palette();
        for (const QPalette& palette : {desktop, DarkDesktopPalette()}) {
            QApplication::setPalette(palette);
            MainWindow window(Tables(), messages_);
            window.show();
            const QStringList atStart = FaintTexts(window);
            QVERIFY2(atStart.isEmpty(), qPrintable(atStart.join('\n')));
            window.controls().surnameEdit->setText(Text("白鳥"));
            window.controls().givenNameEdit->setText(Text("杏奈"));
            QTest::mouseClick(window.controls().judgeButton, Qt::LeftButton);
            KanjiRegistrationDialog dialog(Tables(), {}, messages_, ".", {}, &window);
            NamingWindow* naming = window.OpenNamingSupport();
            for (const QWidget* shown :
                 {static_cast<const QWidget*>(&window), static_cast<const QWidget*>(&dialog),
                  static_cast<const QWidget*>(naming)}) {
                const QStringList faint = FaintTexts(*shown);
                QVERIFY2(faint.isEmpty(), qPrintable(shown->objectName() + faint.join('\n')));
            }
            for (const char* help : {"TevoHelp.chm", "KoruviHelp.chm"}) {
                const QTextBrowser* browser = window.helpViewer().Display(Text(help));
                QVERIFY(browser->document()->characterCount() > 1000);
                const QStringList faint = FaintTexts(*browser) + FaintTexts(*browser->window());
                QVERIFY2(faint.isEmpty(), qPrintable(Text(help) + faint.join('\n')));
            }
        }
        QApplication::setPalette(desktop);
    }

    // What a screen reader says for each control a user works with and for the result rows:
    // a Japanese name and description, and the exact words for the worked example.
    void screenReadersGetEveryControlAndResultRowInJapanese() {
        Judge("白鳥", "杏奈");
        KanjiRegistrationDialog dialog(Tables(), {}, messages_, ".", {}, window_.get());
        dialog.show();
        QWidget* help = window_->helpViewer().Display("TevoHelp.chm")->window();
        NamingWindow* naming = window_->OpenNamingSupport();
        QWidget* reading = window_->readingLauncher().Open();
        QVERIFY(reading != nullptr);
        const std::pair<QWidget*, const char*> spoken[] = {
            {ui().judgeButton, "占う"},
            {ui().surnameEdit, "名字の入力欄"},
            {ui().givenNameList, "名前リスト"},
            {ui().luckRowHeaders[1], "主運 18 鉄志成功 ◎"},
            {ui().luckRowHeaders[4], "総運 31 智勇統率 ◎"},
            {ui().verdictRowHeaders[1], "五行 土金土 ------"},
            {ui().verdictRowHeaders[3], "運 災難陰陽"},
            {ui().unfavourableFaces[2], "陰陽 悲しい顔（悪）"},
            {dialog.controls().strokeEdits[1], "2行目の画数"},
            {naming->controls().table, "名付け候補"},
        };
        for (const auto& [widget, name] : spoken) {
            QCOMPARE(Spoken(widget, QAccessible::Name), Text(name));
        }

        // Every control that takes the focus, the result rows and the suggestion: a name (a
        // number cell's is its number) and a Japanese description.
        std::vector<QWidget*> controls{dialog.controls().suggestionButton};
        for (QWidget* window :
             {static_cast<QWidget*>(window_.get()), static_cast<QWidget*>(&dialog), help,
              static_cast<QWidget*>(naming), reading}) {
            for (QWidget* widget : window->findChildren<QWidget*>()) {
                if ((widget->focusPolicy() & Qt::TabFocus) != 0 && widget->isVisibleTo(window)) {
                    controls.push_back(widget);
                }
            }
        }
        controls.insert(controls.end(), ui().luckRowHeaders.begin(), ui().luckRowHeaders.end());
        controls.insert(controls.end(), ui().verdictRowHeaders.begin(),
                        ui().verdictRowHeaders.end());
        for (const auto& cells : ui().luckCells) {
            controls.insert(controls.end(), cells.begin(), cells.end());
        }
        QStringList unspoken;
        for (QWidget* control : controls) {
            // A tab bar is read tab by tab: each tab is named by its caption.
            if (const auto* tabBar = qobject_cast<QTabBar*>(control)) {
                QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(control);
                for (int tab = 0; tab < tabBar->count(); ++tab) {
                    if (!IsJapanese(bar->child(tab)->text(QAccessible::Name))) {
                        unspoken << control->objectName() + " tab " + QString::number(tab);
                    }
                }
                continue;
            }
            if (Spoken(control, QAccessible::Name).trimmed().isEmpty() ||
                !IsJapanese(Spoken(control, QAccessible::Description))) {
                unspoken << control->objectName() + " (" + control->metaObject()->className() + ")";
            }
        }
        QVERIFY(controls.size() > 30);
        QVERIFY2(unspoken.isEmpty(), qPrintable(unspoken.join(", ")));
    }

    // The stroke counts beside the large characters of the name diagram never touch them: the
    // count's whole cell stays at least a pixel clear of the widest characters' ink, at 100 %,
    // 150 % and 200 %, and the widest two-digit count fits its cell.
    void strokeCountsStandClearOfTheCharacters() {
        tables_.dictionary.Assign(
            {{u"鷹", 24}, {u"櫻", 21}, {u"澤", 16}, {u"耀", 20}, {u"麗", 19}, {u"龍", 16}});
        window_ = std::make_unique<MainWindow>(Tables(), messages_);
        window_->show();
        Judge("鷹櫻澤", "耀麗龍");
        for (const double scale : {1.0, 1.5, 2.0}) {
            for (int slot = 0; slot < 6; ++slot) {
                const QLabel* count = ui().strokeCountLabels[slot];
                QVERIFY(!count->isHidden());
                const QRectF ink = InkRect(*ui().nameCharacterLabels[slot], scale);
                const QRectF cell(QPointF(count->pos()) * scale, QSizeF(count->size()) * scale);
                QVERIFY2(!cell.intersects(ink.adjusted(-1, -1, 1, 1)),
                         qPrintable(QString("slot %1 at %2: cell from x %3, ink to x %4")
                                        .arg(slot)
                                        .arg(scale)
                                        .arg(cell.left())
                                        .arg(ink.right())));
            }
        }
        const QLabel* count = ui().strokeCountLabels[0];
        double widest = 0;
        for (int strokes = 10; strokes <= 99; ++strokes) {
            widest = std::max(
                widest,
                QFontMetricsF(count->font()).horizontalAdvance(QString::number(strokes) + u' '));
        }
        QVERIFY2(widest <= count->contentsRect().width(), qPrintable(QString::number(widest)));
    }

    void startUpWithoutSavedSurnames() {
        testing::TempFolder folder;
        std::filesystem::copy(testing::ShippedDataFolder() / u8"霊数.txt", folder.path());
        std::filesystem::copy(testing::ShippedDataFolder() / u8"漢字辞書.txt", folder.path());
        ReferenceTables tables;
        MessageBox messages;
        QVERIFY(PrepareStartUp(tables, messages, folder.path()));
        QCOMPARE(messages.shownCount(), 0);
        QCOMPARE(tables.dictionary.StrokesOf(u"鳥"), 11);
    }

    void countingOptionRecountsIsRememberedAndFallsBackOnABadTable() {
        testing::TempFolder folder;
        folder.WriteCp932("漢字辞書旧字.txt", "\"鳥\",12\n\"奈\",9\n");
        window_ = std::make_unique<MainWindow>(Tables(), messages_, folder.path());
        window_->show();
        Judge("白鳥", "杏奈");
        QCOMPARE(ui().luckCells[kTotalLuckRow][0]->text(), QString::number(5 + 11 + 7 + 8));
        // Ticking counts the shown name again, and the next window starts the same way.
        ui().traditionalCountingCheckBox->click();
        QCOMPARE(ui().luckCells[kTotalLuckRow][0]->text(), QString::number(5 + 12 + 7 + 9));
        window_ = std::make_unique<MainWindow>(Tables(), messages_, folder.path());
        window_->show();
        QVERIFY(ui().traditionalCountingCheckBox->isChecked());
        Judge("白鳥", "杏奈");
        QCOMPARE(ui().luckCells[kTotalLuckRow][0]->text(), QString::number(5 + 12 + 7 + 9));
        ui().traditionalCountingCheckBox->click();
        QCOMPARE(ui().luckCells[kTotalLuckRow][0]->text(), QString::number(5 + 11 + 7 + 8));

        // A damaged table is said, and the window goes on counting as the dictionary does.
        folder.WriteCp932("漢字辞書旧字.txt", "\"鳥\",x\n");
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        ui().traditionalCountingCheckBox->click();
        QVERIFY(messages_.lastText().contains(Text("漢字辞書旧字.txt")));
        QVERIFY(!ui().traditionalCountingCheckBox->isChecked());
        QCOMPARE(window_->counting(), StrokeCounting::Modern);
        Judge("白鳥", "杏奈");
        QCOMPARE(ui().luckCells[kTotalLuckRow][0]->text(), QString::number(5 + 11 + 7 + 8));
    }

    void startUpEndsWithAMessageWhenReferenceFilesAreMissingOrBad() {
        testing::TempFolder folder;
        ReferenceTables tables;
        MessageBox messages;
        messages.setNextAnswer(MessageBox::Answer::Ok);
        QVERIFY(!PrepareStartUp(tables, messages, folder.path()));
        QVERIFY(messages.lastText().contains(Text("霊数.txt")));
        QCOMPARE(messages.lastIcon(), MessageBox::Icon::Exclamation);
        QCOMPARE(messages.lastButtons(), MessageBox::Buttons::Ok);

        std::filesystem::copy(testing::ShippedDataFolder() / u8"霊数.txt", folder.path());
        folder.WriteCp932("漢字辞書.txt", "\"白\",5\n\"鳥\"\n");
        messages.setNextAnswer(MessageBox::Answer::Ok);
        QVERIFY(!PrepareStartUp(tables, messages, folder.path()));
        QVERIFY(messages.lastText().contains(Text("「漢字辞書.txt」の2行目")));
    }
};

}  // namespace namori

QTEST_MAIN(namori::MainWindowTest)
#include "MainWindowTest.moc"
