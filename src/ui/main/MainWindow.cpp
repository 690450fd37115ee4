#include "ui/main/MainWindow.h"

#include <utility>

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QShortcut>
#include <QSignalBlocker>
#include <QToolButton>

#include "analysis/ReferenceTables.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "rules/Judgement.h"
#include "ui/common/Artwork.h"
#include "ui/common/DesignPalette.h"
#include "ui/common/EntryBox.h"
#include "ui/common/Fonts.h"
#include "ui/common/MessageBox.h"
#include "ui/common/QtText.h"
#include "ui/common/WindowHabits.h"
#include "ui/help/HelpCommands.h"
#include "ui/help/HelpViewer.h"
#include "ui/lists/NameEntryBoxes.h"
#include "ui/lists/NameList.h"
#include "ui/main/ReadingLauncher.h"
#include "ui/main/ResultPanel.h"
#include "ui/main/WindowPrinter.h"
#include "ui/naming/NamingWindow.h"
#include "ui/reading/ShortlistWindow.h"
#include "ui/registration/KanjiRegistrationDialog.h"

namespace namori {

namespace {

// The settings key of the counting the window judges with ("modern" or "traditional").
const QString kCountingKey = QStringLiteral("judging/counting");

}  // namespace

MainWindow::MainWindow(std::shared_ptr<const ReferenceTables> tables, MessageBox& messages,
                       std::filesystem::path dataFolder, QWidget* parent)
    : QWidget(parent),
      modernTables_(tables),
      tables_(std::move(tables)),
      messages_(messages),
      dataFolder_(std::move(dataFolder)) {
    setObjectName("frmMain");
    KeepDesignPalette(*this);
    setWindowTitle(QString::fromUtf8("ナモリ"));
    setWindowIcon(ArtworkIcon("namori"));
    // The layout's Gothic at 9 points for every control that sets none; other windows and the
    // message boxes keep the desktop's font.
    setFont(LayoutFont(kGothic, 9));
    BuildMainWindow(this, controls_);

    resultPanel_ = std::make_unique<ResultPanel>(controls_);
    std::vector<QLabel*> surnameHeaders{controls_.surnameHeader};
    surnameHeaders.insert(surnameHeaders.end(), controls_.surnameClearingLabels.begin(),
                          controls_.surnameClearingLabels.end());
    surnames_ = std::make_unique<NameList>(controls_.surnameList, controls_.surnameEdit,
                                           kSurnameListFile, "名字リスト全てを削除します",
                                           surnameHeaders, messages_, dataFolder_, this);
    givenNames_ = std::make_unique<NameList>(controls_.givenNameList, controls_.givenNameEdit,
                                             kGivenNameListFile, "名前リスト全てを削除します",
                                             std::vector<QLabel*>{controls_.givenNameHeader},
                                             messages_, dataFolder_, this);
    const NameEntryControls entryControls{controls_.surnameEdit, controls_.givenNameEdit,
                                          controls_.complementCheckBox, controls_.judgeButton};
    entryBoxes_ = std::make_unique<NameEntryBoxes>(tables_, messages_, entryControls, *surnames_,
                                                   *givenNames_, this);
    printer_ = std::make_unique<WindowPrinter>(*this, controls_.printButton, messages_);
    helpCommands_ = std::make_unique<HelpCommands>(
        *this, messages_, dataFolder_, controls_.surnameEdit, controls_.helpButton,
        controls_.introductionButton, controls_.exitButton);
    connect(&helpCommands_->helpViewer(), &HelpViewer::programLinkActivated, this,
            [this](const QString& target) {
                if (target == QStringLiteral("naming")) {
                    OpenNamingSupport();
                }
            });

    readingLauncher_ = std::make_unique<ReadingLauncher>(
        *this, controls_, messages_, SearchPath(dataFolder_, {"data", "naming"}));

    // The desktop's standard keys press the buttons, and their tooltips say so.
    const std::pair<QToolButton*, QKeySequence> keys[] = {
        {controls_.exitButton, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {controls_.helpButton, QKeySequence(Qt::Key_F1)},
        {controls_.printButton, QKeySequence(Qt::CTRL | Qt::Key_P)}};
    for (const auto& [button, key] : keys) {
        connect(new QShortcut(key, this), &QShortcut::activated, button, &QToolButton::click);
        button->setToolTip(WithShortcut(button->toolTip(), key.toString()));
    }
    // Keys with no button of their own: the naming aid straight away (named in 名付け's tooltip),
    // the judged name onto the shortlist and the 候補 page (named in the result's tooltips).
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), this), &QShortcut::activated, this,
            &MainWindow::OpenNamingSupport);
    controls_.introductionButton->setToolTip(
        controls_.introductionButton->toolTip() +
        QString::fromUtf8("（Ctrl+N で名付け支援の画面を直接開きます）"));
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this), &QShortcut::activated, this,
            &MainWindow::ShortlistJudgedName);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_B), this), &QShortcut::activated, this,
            &MainWindow::OpenShortlist);

    connect(controls_.judgeButton, &QToolButton::clicked, this, &MainWindow::onJudgeClicked);
    // Characters typed in an entry box without a count are registered before Enter goes on.
    connect(entryBoxes_.get(), &NameEntryBoxes::registrationNeeded, this,
            [this](const std::vector<std::u16string>& characters) {
                OpenRegistrationDialog(characters, true);
            });
    connect(this, &MainWindow::tablesChanged, entryBoxes_.get(), &NameEntryBoxes::setTables);

    if (QSettings().value(kCountingKey).toString() == QLatin1String("traditional")) {
        counting_ = StrokeCounting::Traditional;
        if (CountTables()) {
            controls_.traditionalCountingCheckBox->setChecked(true);
        } else {
            counting_ = StrokeCounting::Modern;
        }
    }
    connect(controls_.traditionalCountingCheckBox, &QCheckBox::toggled, this,
            &MainWindow::onCountingToggled);
}

bool MainWindow::CountTables() {
    if (counting_ == StrokeCounting::Modern) {
        tables_ = modernTables_;
        return true;
    }
    auto counted = std::make_shared<ReferenceTables>(*modernTables_);
    try {
        UseTraditionalCounts(*counted, SearchPath(dataFolder_, {"data"}));
    } catch (const DataFileError& error) {
        messages_.ShowFailure(this, error, QString::fromUtf8("画数の数え方"),
                              QString::fromUtf8("\r\n\r\n新字体の画数で数えます。"));
        return false;
    }
    tables_ = std::move(counted);
    return true;
}

void MainWindow::UseModernCounting() {
    counting_ = StrokeCounting::Modern;
    tables_ = modernTables_;
    const QSignalBlocker blocker(controls_.traditionalCountingCheckBox);
    controls_.traditionalCountingCheckBox->setChecked(false);
}

void MainWindow::onCountingToggled(bool traditional) {
    counting_ = traditional ? StrokeCounting::Traditional : StrokeCounting::Modern;
    if (!CountTables()) {
        UseModernCounting();
        return;
    }
    QSettings().setValue(kCountingKey, QString::fromLatin1(CountingName(counting_).data()));
    emit tablesChanged(tables_);
    if (controls_.resultFrame->isVisible()) {
        onJudgeClicked();
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::LoadLists() {
    surnames_->Load();
    givenNames_->Load();
}

HelpViewer& MainWindow::helpViewer() {
    return helpCommands_->helpViewer();
}

NamingWindow* MainWindow::OpenNamingSupport() {
    if (namingWindow_ == nullptr) {
        // The aid's indexes and the stroke reference table.
        auto* window =
            new NamingWindow(tables_, messages_, SearchPath(dataFolder_, {"naming", "data"}), this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        connect(this, &MainWindow::tablesChanged, window, &NamingWindow::setTables);
        connect(window, &NamingWindow::nameChosen, this,
                [this](const QString& spelling, const QString& reading) {
                    readingLauncher_->KnowGivenNameReading(spelling.toStdU16String(),
                                                           reading.toStdU16String());
                    controls_.givenNameEdit->setText(spelling);
                    raise();
                    activateWindow();
                });
        connect(window, &NamingWindow::shortlistRequested, this, &MainWindow::OpenShortlist);
        window->setShortlistFolder(dataFolder_);
        namingWindow_ = window;
    }
    namingWindow_->ShowFor(ReadEntryBox(controls_.surnameEdit),
                           controls_.complementCheckBox->isChecked());
    return namingWindow_;
}

ShortlistWindow* MainWindow::OpenShortlist() {
    if (shortlistWindow_ == nullptr) {
        auto* window = new ShortlistWindow(tables_, dataFolder_, messages_, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        connect(this, &MainWindow::tablesChanged, window, &ShortlistWindow::setTables);
        connect(
            window, &ShortlistWindow::readingRequested, this, [this](const ShortlistEntry& entry) {
                const Judgement judgement =
                    Judge({entry.surname, entry.givenName, entry.complement}, *tables_);
                if (judgement.ready()) {
                    readingLauncher_->OpenFor(judgement, tables_, entry.complement, entry.reading);
                }
            });
        shortlistWindow_ = window;
    }
    if (shortlistWindow_->isVisible()) {
        shortlistWindow_->Reload();
    }
    shortlistWindow_->show();
    shortlistWindow_->raise();
    shortlistWindow_->activateWindow();
    return shortlistWindow_;
}

void MainWindow::ShortlistJudgedName() {
    const QString title = QString::fromUtf8("候補");
    if (!judgedName_) {
        messages_.Show(this, title,
                       QString::fromUtf8("候補に加える名前を、先に［占う］で判断してください。"),
                       MessageBox::Icon::Information);
        return;
    }
    ShortlistEntry entry = *judgedName_;
    entry.reading = readingLauncher_->KnownReadingOf(entry.givenName);
    const QString name = ToQString(entry.surname) + QLatin1Char(' ') + ToQString(entry.givenName);
    try {
        const ShortlistUpdate update = AddToShortlist(dataFolder_, entry);
        messages_.Show(this, title,
                       QString::fromUtf8(update.changed ? "「%1」を候補に加えました（%2 件）。"
                                                        : "「%1」は候補にあります（%2 件）。")
                               .arg(name)
                               .arg(update.entries.size()) +
                           QString::fromUtf8("Ctrl+B で候補を並べて比べられます。"),
                       MessageBox::Icon::Information);
    } catch (const std::exception& error) {
        messages_.ShowFailure(this, error, title);
        return;
    }
    if (shortlistWindow_ != nullptr && shortlistWindow_->isVisible()) {
        shortlistWindow_->Reload();
    }
}

KanjiRegistrationDialog* MainWindow::registrationDialog() const {
    return registrationDialog_.data();
}

void MainWindow::OpenRegistrationDialog(const std::vector<std::u16string>& characters, bool modal) {
    if (registrationDialog_ != nullptr) {
        // Already open (from the judge command): bring it forward rather than open a second.
        registrationDialog_->raise();
        registrationDialog_->activateWindow();
        return;
    }
    if (!strokeReference_) {
        strokeReference_ = ReadStrokeReference(dataFolder_);
    }
    auto* dialog = new KanjiRegistrationDialog(modernTables_, characters, messages_, dataFolder_,
                                               *strokeReference_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &KanjiRegistrationDialog::tablesChanged, this,
            [this](std::shared_ptr<const ReferenceTables> tables) {
                modernTables_ = std::move(tables);
                // A registered count counts both ways unless the traditional table has the
                // character; should that table have become unreadable, judge as registered.
                if (!CountTables()) {
                    UseModernCounting();
                }
                emit tablesChanged(tables_);
            });
    // Set when the dialog saves; the judgement runs after the dialog is gone, from the event
    // loop, so that it sees no open dialog.
    auto saved = std::make_shared<bool>(false);
    connect(dialog, &KanjiRegistrationDialog::saved, this, [saved] { *saved = true; });
    connect(dialog, &QObject::destroyed, this, [this, saved] {
        if (std::exchange(judgeAfterRegistration_, false) && *saved) {
            QMetaObject::invokeMethod(this, &MainWindow::onJudgeClicked, Qt::QueuedConnection);
        }
    });
    registrationDialog_ = dialog;
    if (modal) {
        dialog->exec();
    } else {
        dialog->show();
    }
}

void MainWindow::onJudgeClicked() {
    const std::u16string surname = ReadEntryBox(controls_.surnameEdit).toStdU16String();
    const std::u16string givenName = ReadEntryBox(controls_.givenNameEdit).toStdU16String();
    if (surname.empty() || givenName.empty()) {
        messages_.Show(this, QString::fromUtf8("入力漏れ確認"),
                       QString::fromUtf8("名字と名前を正しく入力してください"),
                       MessageBox::Icon::Exclamation);
        return;
    }
    // Names the rules cannot judge are refused before anything changes.
    const NamePreparation check = CheckName(surname, givenName);
    if (!check.ready()) {
        messages_.Show(this, QString::fromUtf8("入力内容確認"), ToQString(check.message),
                       MessageBox::Icon::Exclamation);
        return;
    }

    resultPanel_->HideFaces();
    judgedName_.reset();
    // Surname with its complement, given name with its complement, then the characters of
    // both parts that have no count.
    const Judgement judgement =
        Judge({surname, givenName, controls_.complementCheckBox->isChecked()}, *tables_);
    if (judgement.preparation.problem == NameProblem::Unregistered) {
        if (registrationDialog_ != nullptr) {
            // The open dialog is for other characters: it is finished first, then this name.
            judgeAfterRegistration_ = true;
            messages_.Show(this, QString::fromUtf8("漢字登録"),
                           QString::fromUtf8("漢字の登録画面が開いています。登録を保存すると、"
                                             "この名前を占います。"),
                           MessageBox::Icon::Information);
        }
        OpenRegistrationDialog(judgement.preparation.unregistered, false);
        return;
    }

    resultPanel_->ShowJudgement(judgement, tables_->spiritTable);
    judgedName_ =
        ShortlistEntry{surname, givenName, u"", controls_.complementCheckBox->isChecked()};
    readingLauncher_->Remember(judgement, tables_, controls_.complementCheckBox->isChecked());
    controls_.resultFrame->setVisible(true);
    controls_.explanationPanel->setVisible(false);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    // Nothing is pending: every change was written when it was made.
    emit quitRequested();
}

}  // namespace namori
