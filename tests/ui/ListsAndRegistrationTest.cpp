#include <sys/resource.h>
#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <csignal>
#include <fstream>
#include <optional>
#include <sstream>

#include "analysis/ReferenceTables.h"
#include "data/Cp932.h"
#include "data/KanjiDictionaryFile.h"
#include "data/SpiritTableFile.h"
#include "support/TempFolder.h"
#include "ui/common/Fonts.h"
#include "ui/common/MessageBox.h"
#include "ui/main/MainWindow.h"
#include "ui/registration/KanjiRegistrationDialog.h"

namespace namori {

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The bytes a list or dictionary file should hold: UTF-8 lines turned into code page 932, each
// ended by CR LF.
std::string Cp932Lines(std::initializer_list<const char*> lines) {
    std::string bytes;
    for (const char* line : lines) {
        bytes += *EncodeCp932(Utf8ToUtf16(line)) + "\r\n";
    }
    return bytes;
}

QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int row = 0; row < list->count(); ++row) {
        items << list->item(row)->text();
    }
    return items;
}

}  // namespace

class ListsAndRegistrationTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testing::TempFolder> folder_;
    std::shared_ptr<const ReferenceTables> tables_;  // as the last registration left them
    MessageBox messages_;
    std::unique_ptr<MainWindow> window_;

    // Keeps tables_ as the registrations that source hands on leave them.
    template <typename Source>
    void Follow(Source* source) {
        connect(source, &Source::tablesChanged, this, [this](auto tables) { tables_ = tables; });
    }

    const MainWindowControls& ui() const { return window_->controls(); }

    std::string FileBytes(const char* name) const {
        std::ifstream stream(folder_->path() / std::filesystem::u8path(name), std::ios::binary);
        std::stringstream bytes;
        bytes << stream.rdbuf();
        return bytes.str();
    }

    void Open() {
        auto tables = std::make_shared<ReferenceTables>();
        LoadSpiritNumbers(*tables, folder_->path());
        LoadKanjiDictionary(*tables, folder_->path());
        tables_ = tables;
        window_ = std::make_unique<MainWindow>(tables_, messages_, folder_->path());
        Follow(window_.get());
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        window_->LoadLists();
    }

    void DoubleClickRow(QListWidget* list, int row) {
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    // Runs action on the registration dialog once it is open and modal. A dialog the action
    // leaves open (a failed check) is closed, so that the test fails rather than waits.
    void WhenDialogOpens(std::function<void(KanjiRegistrationDialog*)> action) {
        QTimer::singleShot(0, this, [this, action] {
            const QPointer<KanjiRegistrationDialog> dialog = window_->registrationDialog();
            QVERIFY(dialog != nullptr);
            QVERIFY(dialog->isModal());
            action(dialog);
            if (dialog != nullptr && dialog->isVisible()) {
                dialog->close();
            }
        });
    }

    void PressEnter(QLineEdit* box, const char* text) {
        box->setFocus();
        box->setText(Text(text));
        QTest::keyClick(box, Qt::Key_Return);
    }

    // Types counts into the stroke boxes from the top and clicks "保存", answering its message.
    void SaveCounts(const KanjiRegistrationDialog& dialog,
                    std::initializer_list<const char*> counts) {
        int row = 0;
        for (const char* count : counts) {
            dialog.controls().strokeEdits[row++]->setText(count);
        }
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(dialog.controls().saveButton, Qt::LeftButton);
    }

  private slots:
    void initTestCase() {
        InstallLayoutFonts();
        std::signal(SIGXFSZ, SIG_IGN);
    }

    void init() {
        folder_ = std::make_unique<testing::TempFolder>();
        std::filesystem::copy(testing::ShippedDataFolder() / u8"霊数.txt", folder_->path());
        std::filesystem::copy(testing::ShippedDataFolder() / u8"漢字画数参考.txt", folder_->path());
        folder_->WriteCp932("漢字辞書.txt",
                            "\"白\",5\n\"鳥\",11\n\"杏\",7\n\"奈\",8\n\"林\",8\n"
                            "\"山\",3\n\"田\",5\n\"中\",4\n\"翔\",12\n");
        folder_->WriteCp932("名字.txt", "山田\n田中\n山田\n");
        folder_->WriteCp932("名前.txt", "杏奈\n翔\n");
        messages_ = MessageBox();
        Open();
    }

    void cleanup() {
        window_.reset();
        folder_.reset();
    }

    void listsLoadInFileOrderAndFillTheBoxes() {
        QCOMPARE(Items(ui().surnameList), (QStringList{Text("山田"), Text("田中"), Text("山田")}));
        QCOMPARE(ui().surnameEdit->text(), Text("山田"));
        QCOMPARE(ui().givenNameEdit->text(), Text("杏奈"));
        QCOMPARE(ui().surnameList->currentRow(), -1);
        QCOMPARE(messages_.shownCount(), 0);

        folder_->WriteCp932("名字.txt", "山田,太郎\n");
        std::filesystem::remove(folder_->path() / u8"名前.txt");
        Open();
        QCOMPARE(Items(ui().surnameList), (QStringList{Text("山田"), Text("太郎")}));
        QVERIFY(ui().givenNameList->count() == 0);
        QVERIFY(ui().givenNameEdit->text().isEmpty());
    }

    void clickCopiesTheEntryOnly() {
        const QRect rect = ui().surnameList->visualItemRect(ui().surnameList->item(1));
        QTest::mouseClick(ui().surnameList->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(ui().surnameEdit->text(), Text("田中"));
        QCOMPARE(messages_.shownCount(), 0);
    }

    void deleteOneRewritesTheFileOrChangesNothingOnCancel() {
        messages_.setNextAnswer(MessageBox::Answer::Cancel);
        DoubleClickRow(ui().surnameList, 1);
        QCOMPARE(messages_.lastText(), Text("『田中』をリストから削除します"));
        QCOMPARE(messages_.lastTitle(), Text("削除確認"));
        QCOMPARE(messages_.lastIcon(), MessageBox::Icon::Exclamation);
        QCOMPARE(messages_.lastButtons(), MessageBox::Buttons::OkCancelDefaultCancel);
        QCOMPARE(ui().surnameList->count(), 3);
        QCOMPARE(ui().surnameEdit->text(), Text("田中"));
        QCOMPARE(FileBytes("名字.txt"), Cp932Lines({"山田", "田中", "山田"}));

        messages_.setNextAnswer(MessageBox::Answer::Ok);
        DoubleClickRow(ui().surnameList, 1);
        QCOMPARE(Items(ui().surnameList), (QStringList{Text("山田"), Text("山田")}));
        QVERIFY(ui().surnameEdit->text().isEmpty());
        QCOMPARE(FileBytes("名字.txt"), Cp932Lines({"山田", "山田"}));
        // No other entry is left looking chosen.
        QVERIFY(ui().surnameList->selectedItems().isEmpty());
        QVERIFY(!ui().surnameList->currentIndex().isValid());

        messages_.setNextAnswer(MessageBox::Answer::Ok);
        DoubleClickRow(ui().givenNameList, 1);
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        DoubleClickRow(ui().givenNameList, 0);
        QCOMPARE(ui().givenNameList->count(), 0);
        QCOMPARE(FileBytes("名前.txt"), std::string());
    }

    void deleteAllFromEveryHeaderThatOffersIt() {
        messages_.setNextAnswer(MessageBox::Answer::Cancel);
        QTest::mouseDClick(ui().surnameHeader, Qt::LeftButton);
        QCOMPARE(messages_.lastText(), Text("名字リスト全てを削除します"));
        QCOMPARE(ui().surnameList->count(), 3);

        messages_.setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseDClick(ui().surnameClearingLabels.at(0),
                           Qt::LeftButton);  // the header "祖-主-初"
        QCOMPARE(messages_.lastText(), Text("名字リスト全てを削除します"));
        QCOMPARE(ui().surnameList->count(), 0);
        QVERIFY(ui().surnameEdit->text().isEmpty());
        QCOMPARE(FileBytes("名字.txt"), std::string());

        messages_.setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseDClick(ui().givenNameHeader, Qt::LeftButton);
        QCOMPARE(messages_.lastText(), Text("名前リスト全てを削除します"));
        QCOMPARE(messages_.lastIcon(), MessageBox::Icon::Exclamation);
        QCOMPARE(messages_.lastButtons(), MessageBox::Buttons::OkCancelDefaultCancel);
        QCOMPARE(ui().givenNameList->count(), 0);
        QCOMPARE(FileBytes("名前.txt"), std::string());

        // With nothing selected a double-click on an empty list removes nothing.
        const int shown = messages_.shownCount();
        QTest::mouseDClick(ui().givenNameList->viewport(), Qt::LeftButton);
        QCOMPARE(messages_.shownCount(), shown);
    }

    // Without a mouse: arrows choose an entry, Enter puts it into the box as a click does,
    // Delete asks to delete it as a double-click does, Shift+Delete asks to delete them all.
    void listKeysDoWhatTheMouseDoes() {
        QApplication::setActiveWindow(window_.get());
        QListWidget* list = ui().surnameList;
        list->setFocus();
        ui().surnameEdit->clear();
        struct Step {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            std::optional<MessageBox::Answer> answer;  // none: no question
            const char* question;
            const char* box;
            std::initializer_list<const char*> file;
        };
        const Step steps[] = {
            {Qt::Key_Home, {}, std::nullopt, "", "", {"山田", "田中", "山田"}},
            {Qt::Key_Down, {}, std::nullopt, "", "", {"山田", "田中", "山田"}},
            {Qt::Key_Return, {}, std::nullopt, "", "田中", {"山田", "田中", "山田"}},
            {Qt::Key_Delete,
             {},
             MessageBox::Answer::Cancel,
             "『田中』をリストから削除します",
             "田中",
             {"山田", "田中", "山田"}},
            {Qt::Key_Delete,
             {},
             MessageBox::Answer::Ok,
             "『田中』をリストから削除します",
             "",
             {"山田", "山田"}},
            {Qt::Key_Down, {}, std::nullopt, "", "", {"山田", "山田"}},
            {Qt::Key_Enter, Qt::KeypadModifier, std::nullopt, "", "山田", {"山田", "山田"}},
            {Qt::Key_Delete,
             Qt::ShiftModifier,
             MessageBox::Answer::Cancel,
             "名字リスト全てを削除します",
             "山田",
             {"山田", "山田"}},
            {Qt::Key_Delete,
             Qt::ShiftModifier,
             MessageBox::Answer::Ok,
             "名字リスト全てを削除します",
             "",
             {}},
        };
        int step = 0;
        for (const Step& row : steps) {
            ++step;
            const int shown = messages_.shownCount();
            if (row.answer) {
                messages_.setNextAnswer(*row.answer);
            }
            QTest::keyClick(list, row.key, row.modifiers);
            QVERIFY2(messages_.shownCount() == shown + (row.answer ? 1 : 0),
                     qPrintable(QString("step %1").arg(step)));
            if (row.answer) {
                QCOMPARE(messages_.lastText(), Text(row.question));
                QCOMPARE(messages_.lastIcon(), MessageBox::Icon::Exclamation);
                QCOMPARE(messages_.lastButtons(), MessageBox::Buttons::OkCancelDefaultCancel);
            }
            QVERIFY2(ui().surnameEdit->text() == Text(row.box),
                     qPrintable(QString("step %1: %2").arg(step).arg(ui().surnameEdit->text())));
            QVERIFY2(FileBytes("名字.txt") == Cp932Lines(row.file),
                     qPrintable(QString("step %1").arg(step)));
            QCOMPARE(list->count(), static_cast<int>(row.file.size()));
        }
    }

    void doubleClickInAnEntryBoxSelectsAWordAndDeletesNothing() {
        messages_.setNextAnswer(MessageBox::Answer::Ok);  // what a wrongly shown prompt would get
        for (QLineEdit* box : {ui().surnameEdit, ui().givenNameEdit}) {
            box->setText(Text("山田"));
            QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
            QCOMPARE(messages_.shownCount(), 0);
            QCOMPARE(box->selectedText(), Text("山田"));
        }
        QCOMPARE(ui().surnameList->count(), 3);
        QCOMPARE(ui().givenNameList->count(), 2);
        QCOMPARE(FileBytes("名字.txt"), Cp932Lines({"山田", "田中", "山田"}));
    }

    void enterAddsNewNamesAndMovesTheFocus() {
        QApplication::setActiveWindow(window_.get());
        PressEnter(ui().surnameEdit, "白鳥");
        QCOMPARE(Items(ui().surnameList).last(), Text("白鳥"));
        QCOMPARE(FileBytes("名字.txt"), Cp932Lines({"山田", "田中", "山田", "白鳥"}));
        QCOMPARE(QApplication::focusWidget(), ui().givenNameEdit);

        // Already listed: nothing written, the focus moves on all the same.
        PressEnter(ui().surnameEdit, "田中");
        QCOMPARE(ui().surnameList->count(), 4);
        QCOMPARE(QApplication::focusWidget(), ui().givenNameEdit);

        QTest::keyClick(ui().givenNameEdit, Qt::Key_A);
        PressEnter(ui().givenNameEdit, "奈");
        QCOMPARE(Items(ui().givenNameList).last(), Text("奈"));
        QCOMPARE(FileBytes("名前.txt"), Cp932Lines({"杏奈", "翔", "奈"}));
        QCOMPARE(QApplication::focusWidget(), ui().givenNameEdit);
        PressEnter(ui().givenNameEdit, "翔");
        QCOMPARE(QApplication::focusWidget(), ui().judgeButton);
        QCOMPARE(FileBytes("名前.txt"), Cp932Lines({"杏奈", "翔", "奈"}));

        // Exact comparison: a full-width writing is another entry. Neither has stroke counts,
        // so each opens the registration dialog, which is left with "戻る".
        const auto goBack = [](KanjiRegistrationDialog* dialog) {
            QTest::mouseClick(dialog->controls().backButton, Qt::LeftButton);
        };
        WhenDialogOpens(goBack);
        PressEnter(ui().surnameEdit, "ＡＢ");
        WhenDialogOpens(goBack);
        PressEnter(ui().surnameEdit, "AB");
        QCOMPARE(ui().surnameList->count(), 6);
    }

    void anAddedNameIsScrolledIntoView() {
        std::string names;
        for (int i = 0; i < 40; ++i) {
            names += "田中\n";
        }
        folder_->WriteCp932("名字.txt", names);
        Open();
        QListWidget* list = ui().surnameList;
        QVERIFY(!list->viewport()->rect().contains(list->visualItemRect(list->item(39))));
        PressEnter(ui().surnameEdit, "白鳥");
        QCOMPARE(list->count(), 41);
        QVERIFY(list->viewport()->rect().contains(list->visualItemRect(list->item(40))));
    }

    void enterInAnEmptyBoxChangesNothing() {
        ui().surnameEdit->clear();
        QTest::keyClick(ui().surnameEdit, Qt::Key_Return);
        QCOMPARE(ui().surnameList->count(), 3);
    }

    void focusColoursTheBoxes() {
        QApplication::setActiveWindow(window_.get());
        ui().surnameEdit->setFocus();
        QCOMPARE(ui().surnameEdit->palette().color(QPalette::Base), QColor("#FFFFFF"));
        ui().givenNameEdit->setFocus();
        QCOMPARE(ui().surnameEdit->palette().color(QPalette::Base), QColor("#FFFFC0"));
        QCOMPARE(ui().givenNameEdit->palette().color(QPalette::Base), QColor("#FFFFFF"));
    }

    // With the option, a one-character part's "１" counts one stroke: nothing to register.
    void complementInTheBoxesAndTheOption() {
        ui().complementCheckBox->setChecked(true);
        PressEnter(ui().surnameEdit, "林");
        QCOMPARE(Items(ui().surnameList).last(), Text("林"));
        QCOMPARE(FileBytes("名字.txt"), Cp932Lines({"山田", "田中", "山田", "林"}));
        PressEnter(ui().givenNameEdit, "翔");
        QVERIFY(window_->registrationDialog() == nullptr);
        QCOMPARE(Items(ui().givenNameList).last(), Text("翔"));
    }

    void entriesTheFileCannotKeepAreRefused() {
        for (const char* bad : {"山,田", "\"林\"", " 林", "長谷川家"}) {
            messages_.setNextAnswer(MessageBox::Answer::Ok);
            PressEnter(ui().surnameEdit, bad);
            QCOMPARE(messages_.lastIcon(), MessageBox::Icon::Exclamation);
            QCOMPARE(messages_.lastButtons(), MessageBox::Buttons::Ok);
            QCOMPARE(ui().surnameList->count(), 3);
        }
        QCOMPARE(FileBytes("名字.txt"), Cp932Lines({"山田", "田中", "山田"}));
    }

    void unreadableListIsReportedAndNeverRewritten() {
        const std::string bad = "\x8e\x52\x93\x63\r\n\xff\xff\r\n";
        folder_->WriteBytes("名字.txt", bad);
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        Open();
        QVERIFY(messages_.lastText().contains(Text("名字.txt")));
        messages_.setNextAnswer(MessageBox::Answer::Ok);  // delete all: OK
        messages_.setNextAnswer(MessageBox::Answer::Ok);  // the refusal
        QTest::mouseDClick(ui().surnameHeader, Qt::LeftButton);
        QVERIFY(messages_.lastText().contains(Text("変更できません")));
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        PressEnter(ui().surnameEdit, "白鳥");
        QCOMPARE(FileBytes("名字.txt"), bad);
    }

    void failedWritesLeaveFilesAsTheyWereAndSaySo() {
        const std::string names = FileBytes("名字.txt");
        const std::string dictionary = FileBytes("漢字辞書.txt");
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit = old;
        limit.rlim_cur = 8;  // smaller than either file
        setrlimit(RLIMIT_FSIZE, &limit);

        messages_.setNextAnswer(MessageBox::Answer::Ok);  // confirm
        messages_.setNextAnswer(MessageBox::Answer::Ok);  // the failure
        DoubleClickRow(ui().surnameList, 0);
        const QString rewriteMessage = messages_.lastText();
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        PressEnter(ui().surnameEdit, "白鳥");
        const QString appendMessage = messages_.lastText();

        KanjiRegistrationDialog dialog(tables_, {u"犬"}, messages_, folder_->path(), {},
                                       window_.get());
        SaveCounts(dialog, {"4"});
        const QString registrationMessage = messages_.lastText();
        setrlimit(RLIMIT_FSIZE, &old);

        for (const QString& message : {rewriteMessage, appendMessage, registrationMessage}) {
            QVERIFY2(message.contains(Text("書き込めませんでした")), qPrintable(message));
        }
        QCOMPARE(FileBytes("名字.txt"), names);
        QCOMPARE(FileBytes("漢字辞書.txt"), dictionary);
        QCOMPARE(Items(ui().surnameList).size(), 3);
        QCOMPARE(tables_->dictionary.StrokesOf(u"犬"), 0);
    }

    void registrationFromEnterSavesTheDialogLineForm() {
        WhenDialogOpens([](KanjiRegistrationDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), Text("臨時漢字入力"));
            QCOMPARE(dialog->controls().kanjiEdits[0]->text(), Text("漢"));
            // The reference count is offered beside the boxes, never as text in one.
            QVERIFY(dialog->controls().suggestionButton->isVisible());
            QVERIFY(dialog->controls().suggestionButton->text().contains(Text("13")));
            QVERIFY(dialog->controls().strokeEdits[0]->text().isEmpty());
            QVERIFY(dialog->controls().strokeEdits[0]->placeholderText().isEmpty());
            QTest::keyClick(dialog->controls().strokeEdits[0], Qt::Key_Space);  // takes it
            QCOMPARE(dialog->controls().strokeEdits[0]->text(), Text("13"));
            dialog->controls().strokeEdits[1]->setText(
                "5");  // rows beyond the characters are not saved
            // Enter goes on to "保存" (no other row needs a count), and Enter there saves.
            QTest::keyClick(dialog->controls().strokeEdits[0], Qt::Key_Return);
            QCOMPARE(dialog->focusWidget(), dialog->controls().saveButton);
            QTest::keyClick(dialog->controls().saveButton, Qt::Key_Return);
        });
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        PressEnter(ui().surnameEdit, "漢");
        QCOMPARE(messages_.lastText(), Text("登録しました"));
        QCOMPARE(messages_.lastTitle(), Text("画数データ登録確認"));
        QCOMPARE(messages_.lastIcon(), MessageBox::Icon::Information);
        QCOMPARE(messages_.lastButtons(), MessageBox::Buttons::Ok);
        const std::string dictionary = FileBytes("漢字辞書.txt");
        QCOMPARE(dictionary.substr(dictionary.size() - 9), std::string("\"\x8a\xbf\",13\r\n"));
        QCOMPARE(tables_->dictionary.StrokesOf(u"漢"), 13);
        QCOMPARE(Items(ui().surnameList).last(), Text("漢"));
        QVERIFY(window_->registrationDialog() == nullptr);
    }

    void registrationSuggestionsEnterAndTypingInProgress() {
        KanjiRegistrationDialog dialog(tables_, {u"犬", u"猫", u"鴨"}, messages_, folder_->path(),
                                       {{u'犬', 4}, {u'猫', 11}}, window_.get());
        Follow(&dialog);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.controls().strokeEdits[0]);
        QVERIFY(dialog.controls().suggestionButton->text().contains(Text("4")));

        // Enter moves on to the next empty count; the suggestion follows the box in use, and a
        // click on it takes it.
        QTest::keyClick(dialog.controls().strokeEdits[0], Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), dialog.controls().strokeEdits[1]);
        QVERIFY(dialog.controls().suggestionButton->text().contains(Text("11")));
        QTest::mouseClick(dialog.controls().suggestionButton, Qt::LeftButton);
        QCOMPARE(dialog.controls().strokeEdits[1]->text(), Text("11"));
        QCOMPARE(QApplication::focusWidget(), dialog.controls().strokeEdits[1]);
        QTest::keyClick(dialog.controls().strokeEdits[1], Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), dialog.controls().strokeEdits[2]);
        QVERIFY(dialog.controls().suggestionButton->isHidden());  // no reference count for 鴨

        // Row 3: the user types another character, "〜", and a count still being converted, and
        // clicks "保存" while row 1 has no count: refused, with what was typed kept as it reads
        // back from the file.
        dialog.controls().kanjiEdits[2]->setText(Text("〜"));
        QInputMethodEvent composing(Text("１６"), {});
        QApplication::sendEvent(dialog.controls().strokeEdits[2], &composing);
        QVERIFY(dialog.controls().strokeEdits[2]->text().isEmpty());
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(dialog.controls().saveButton, Qt::LeftButton);
        QCOMPARE(messages_.lastText(), Text("画数が抜けています"));
        QCOMPARE(dialog.controls().strokeEdits[2]->text(), Text("１６"));
        QCOMPARE(dialog.controls().kanjiEdits[2]->text(), Text("～"));

        // Enter goes back to the one count still empty, then to "保存".
        QTest::keyClick(dialog.controls().strokeEdits[2], Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), dialog.controls().strokeEdits[0]);
        QTest::keyClick(dialog.controls().strokeEdits[0], Qt::Key_Space);
        QTest::keyClick(dialog.controls().strokeEdits[0], Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), dialog.controls().saveButton);
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        QTest::keyClick(dialog.controls().saveButton, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(messages_.lastText(), Text("登録しました"));
        QVERIFY(FileBytes("漢字辞書.txt")
                    .ends_with(Cp932Lines({"\"犬\",4", "\"猫\",11", "\"～\",16"})));
        QCOMPARE(tables_->dictionary.StrokesOf(u"～"), 16);
    }

    // The open dialog saves the characters it was opened for, whatever is judged meanwhile.
    void registrationKeepsItsCharactersWhileTheWindowJudgesOthers() {
        ui().surnameEdit->setText(Text("薔薇"));
        ui().givenNameEdit->setText(Text("翔"));
        QTest::mouseClick(ui().judgeButton, Qt::LeftButton);
        const QPointer<KanjiRegistrationDialog> dialog = window_->registrationDialog();
        QVERIFY(dialog != nullptr && !dialog->isModal());
        ui().surnameEdit->setText(Text("犬"));  // one unregistered character, in row 1
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(ui().judgeButton, Qt::LeftButton);
        QCOMPARE(messages_.lastTitle(), Text("漢字登録"));  // the user is told, not ignored
        SaveCounts(*dialog, {"16", "16"});
        QCOMPARE(messages_.lastText(), Text("登録しました"));
        QVERIFY(FileBytes("漢字辞書.txt").ends_with(Cp932Lines({"\"薔\",16", "\"薇\",16"})));
        QCOMPARE(tables_->dictionary.StrokesOf(u"犬"), 0);  // 犬 is still without a count
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(window_->registrationDialog()->controls().kanjiEdits[0]->text(), Text("犬"));
    }

    void registrationRoundsDecimalsAndWritesThemAsTyped() {
        KanjiRegistrationDialog dialog(tables_, {u"犬", u"猫"}, messages_, folder_->path(), {},
                                       window_.get());
        Follow(&dialog);
        SaveCounts(dialog, {"12.5", "13.5"});
        const std::string dictionary = FileBytes("漢字辞書.txt");
        QVERIFY(dictionary.ends_with(Cp932Lines({"\"犬\",12.5", "\"猫\",13.5"})));
        QCOMPARE(tables_->dictionary.StrokesOf(u"犬"), 12);
        QCOMPARE(tables_->dictionary.StrokesOf(u"猫"), 14);
    }

    void registrationRefusalsSaveNothing() {
        const std::string before = FileBytes("漢字辞書.txt");
        KanjiRegistrationDialog dialog(tables_, {u"犬", u"猫"}, messages_, folder_->path(), {},
                                       window_.get());
        dialog.show();

        dialog.controls().strokeEdits[0]->setText("4");  // row 2 has a character and no count
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        QTest::mouseClick(dialog.controls().saveButton, Qt::LeftButton);
        QCOMPARE(messages_.lastText(), Text("画数が抜けています"));
        QCOMPARE(messages_.lastTitle(), Text("入力漏れ"));
        QCOMPARE(messages_.lastIcon(), MessageBox::Icon::Information);
        QCOMPARE(messages_.lastButtons(), MessageBox::Buttons::Ok);

        const std::pair<const char*, const char*> rows[] = {
            {"犬", "0"}, {"犬", "100"}, {"犬", "abc"}, {"", "4"}, {"犬犬", "4"}};
        for (const auto& [kanji, strokes] : rows) {
            dialog.controls().kanjiEdits[1]->setText(Text(kanji));
            dialog.controls().strokeEdits[1]->setText(Text(strokes));
            messages_.setNextAnswer(MessageBox::Answer::Ok);
            QTest::mouseClick(dialog.controls().saveButton, Qt::LeftButton);
            QCOMPARE(messages_.lastIcon(), MessageBox::Icon::Exclamation);
            QCOMPARE(messages_.lastButtons(), MessageBox::Buttons::Ok);
            QVERIFY(dialog.isVisible());
        }
        QCOMPARE(FileBytes("漢字辞書.txt"), before);

        // "戻る" closes without saving.
        QTest::mouseClick(dialog.controls().backButton, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(FileBytes("漢字辞書.txt"), before);
        QCOMPARE(tables_->dictionary.StrokesOf(u"犬"), 0);
    }

    // Another window on the same folder changed the list file: each change here applies to the
    // file as it is now, and the window then shows what the file holds.
    void changesApplyToTheFileAsAnotherWindowLeftIt() {
        folder_->WriteCp932("名字.txt", "田中\n佐藤\n");
        messages_.setNextAnswer(MessageBox::Answer::Ok);
        DoubleClickRow(ui().surnameList, 1);  // 田中, still shown here
        QCOMPARE(Items(ui().surnameList), QStringList{Text("佐藤")});
        QCOMPARE(FileBytes("名字.txt"), Cp932Lines({"佐藤"}));
        PressEnter(ui().surnameEdit, "林");
        QCOMPARE(Items(ui().surnameList), (QStringList{Text("佐藤"), Text("林")}));
        QCOMPARE(FileBytes("名字.txt"), Cp932Lines({"佐藤", "林"}));
        QCOMPARE(ui().surnameList->selectedItems().size(), 0);
    }

    void registrationBeyond2000EntriesIsRefused() {
        std::string text;
        for (int i = 0; i < 1999; ++i) {
            text += "\"一\",1\n";
        }
        // Another window filled the file; this one still holds the nine entries it loaded.
        folder_->WriteCp932("漢字辞書.txt", text);
        const std::string before = FileBytes("漢字辞書.txt");
        KanjiRegistrationDialog dialog(tables_, {u"犬", u"猫"}, messages_, folder_->path(), {},
                                       window_.get());
        Follow(&dialog);
        SaveCounts(dialog, {"4", "11"});
        QVERIFY(messages_.lastText().contains(Text("2000")));
        QVERIFY(messages_.lastText().contains(Text("残り1件")));
        QCOMPARE(FileBytes("漢字辞書.txt"), before);
        QCOMPARE(tables_->dictionary.dictCount(), 9);
    }
};

}  // namespace namori

QTEST_MAIN(namori::ListsAndRegistrationTest)
#include "ListsAndRegistrationTest.moc"
