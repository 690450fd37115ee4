#include "ui/main/MainWindow.h"

#include <utility>

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>

#include "analysis/ReferenceTables.h"
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
#include "ui/registration/KanjiRegistrationDialog.h"

namespace namori {

MainWindow::MainWindow(std::shared_ptr<const ReferenceTables> tables, MessageBox& messages,
                       std::filesystem::path dataFolder, QWidget* parent)
    : QWidget(parent), tables_(tables), messages_(messages), dataFolder_(std::move(dataFolder)) {
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

    connect(controls_.judgeButton, &QToolButton::clicked, this, &MainWindow::onJudgeClicked);
    // Characters typed in an entry box without a count are registered before Enter goes on.
    connect(entryBoxes_.get(), &NameEntryBoxes::registrationNeeded, this,
            [this](const std::vector<std::u16string>& characters) {
                OpenRegistrationDialog(characters, true);
            });
    connect(this, &MainWindow::tablesChanged, entryBoxes_.get(), &NameEntryBoxes::setTables);
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
        namingWindow_ = window;
    }
    namingWindow_->ShowFor(ReadEntryBox(controls_.surnameEdit),
                           controls_.complementCheckBox->isChecked());
    return namingWindow_;
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
    auto* dialog = new KanjiRegistrationDialog(tables_, characters, messages_, dataFolder_,
                                               *strokeReference_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &KanjiRegistrationDialog::tablesChanged, this,
            [this](std::shared_ptr<const ReferenceTables> tables) {
                tables_ = std::move(tables);
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
