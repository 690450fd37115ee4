// The surname and given-name lists of the main window: loading, picking, deleting one entry and
// deleting all, each change written to the list's file at once.
#include <QLineEdit>
#include <QListWidget>

#include "data/DataFileError.h"
#include "data/NameListFile.h"
#include "ui/common/MessageBox.h"
#include "ui/main/frmMain.h"

namespace namori {

namespace {

QString Text(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void frmMain::Form_Load() {
    LoadList(surnames_);
    LoadList(givenNames_);
}

void frmMain::LoadList(NameList& nameList) {
    std::vector<std::u16string> entries;
    try {
        entries = ReadNameList(dataFolder_, nameList.fileName);
    } catch (const DataFileError& error) {
        messages_.Show(
            this,
            QString::fromUtf8(error.what()) +
                QString::fromUtf8("\r\n\r\nこのリストはファイルを直すまで変更しません。"),
            QString::fromUtf8("リストの読み込み"), MessageBox::kExclamationOk);
    }
    ShowEntries(nameList, entries);
    nameList.box->setText(nameList.list->count() > 0 ? nameList.list->item(0)->text() : QString());
}

void frmMain::ShowEntries(NameList& nameList, const std::vector<std::u16string>& entries) {
    nameList.list->clear();
    for (const std::u16string& entry : entries) {
        nameList.list->addItem(Text(entry));
    }
    // No entry looks chosen: the next click picks one.
    nameList.list->setCurrentItem(nullptr);
    nameList.list->clearSelection();
}

void frmMain::ShowChangeFailure(const std::exception& error, const char* title) {
    QString text = QString::fromUtf8(error.what());
    if (dynamic_cast<const DataFileError*>(&error) != nullptr) {
        // The file could not be read: it is left alone until the user fixes it.
        text += QString::fromUtf8(
            "\r\n\r\nファイルを読めないため、リストを変更できません。"
            "ファイルを直してからやり直してください。");
    }
    messages_.Show(this, text, QString::fromUtf8(title), MessageBox::kExclamationOk);
}

void frmMain::SelectEntry(NameList& nameList) {
    if (nameList.list->currentItem() != nullptr) {
        nameList.box->setText(nameList.list->currentItem()->text());
    }
}

void frmMain::DeleteEntry(NameList& nameList) {
    const int row = nameList.list->currentRow();
    if (row < 0) {
        return;
    }
    const QString text = nameList.list->item(row)->text();
    const int answer = messages_.Show(
        this, QString::fromUtf8("『") + text + QString::fromUtf8("』をリストから削除します"),
        QString::fromUtf8("削除確認"), MessageBox::kExclamationOkCancelDefaultCancel);
    if (answer != MessageBox::kOk) {
        return;
    }
    // Which of several equal entries was chosen, so that the same one leaves the file.
    int occurrence = 0;
    for (int earlier = 0; earlier < row; ++earlier) {
        occurrence += nameList.list->item(earlier)->text() == text;
    }
    try {
        const NameListUpdate update =
            DeleteNameListEntry(dataFolder_, nameList.fileName, text.toStdU16String(), occurrence);
        ShowEntries(nameList, update.entries);
    } catch (const std::runtime_error& error) {
        ShowChangeFailure(error, "削除確認");
        return;
    }
    nameList.box->clear();
}

void frmMain::DeleteAllEntries(NameList& nameList) {
    const int answer = messages_.Show(this, QString::fromUtf8(nameList.deleteAllPrompt),
                                      QString::fromUtf8("削除確認"),
                                      MessageBox::kExclamationOkCancelDefaultCancel);
    if (answer != MessageBox::kOk) {
        return;
    }
    try {
        ShowEntries(nameList, EmptyNameList(dataFolder_, nameList.fileName).entries);
    } catch (const std::runtime_error& error) {
        ShowChangeFailure(error, "削除確認");
        return;
    }
    nameList.box->clear();
}

bool frmMain::AddEntry(NameList& nameList, const QString& text) {
    NameListUpdate update;
    try {
        update = AddNameListEntry(dataFolder_, nameList.fileName, text.toStdU16String());
    } catch (const std::runtime_error& error) {
        ShowChangeFailure(error, "リストへの追加");
        return true;
    }
    ShowEntries(nameList, update.entries);
    // The name just added, or already there, is brought into view.
    const QList<QListWidgetItem*> shown = nameList.list->findItems(text, Qt::MatchExactly);
    if (!shown.isEmpty()) {
        nameList.list->scrollToItem(shown.back());
    }
    return update.changed;
}

void frmMain::lstMyouji_Click() {
    SelectEntry(surnames_);
}
void frmMain::lstNamae_Click() {
    SelectEntry(givenNames_);
}

void frmMain::lstMyouji_DblClick() {
    SelectEntry(surnames_);
    DeleteEntry(surnames_);
}

void frmMain::lstNamae_DblClick() {
    SelectEntry(givenNames_);
    DeleteEntry(givenNames_);
}

void frmMain::lblMyo_DblClick() {
    DeleteAllEntries(surnames_);
}
void frmMain::Label1_DblClick() {
    DeleteAllEntries(surnames_);
}
void frmMain::lblNa_DblClick() {
    DeleteAllEntries(givenNames_);
}

}  // namespace namori
