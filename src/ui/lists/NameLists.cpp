// The surname and given-name lists of the main window: loading, picking, deleting one entry and
// deleting all, each change written to the list's file at once.
#include <QLineEdit>
#include <QListWidget>

#include "data/DataFileError.h"
#include "data/FileWriting.h"
#include "data/NameListFile.h"
#include "ui/common/MessageBox.h"
#include "ui/main/frmMain.h"

namespace namori {

namespace {

QString Text(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::vector<std::u16string> Entries(const QListWidget* list) {
    std::vector<std::u16string> entries;
    for (int row = 0; row < list->count(); ++row) {
        entries.push_back(list->item(row)->text().toStdU16String());
    }
    return entries;
}

}  // namespace

void frmMain::Form_Load() {
    LoadList(surnames_);
    LoadList(givenNames_);
}

void frmMain::LoadList(NameList& nameList) {
    nameList.list->clear();
    try {
        for (const std::u16string& entry : ReadNameList(dataFolder_, nameList.fileName)) {
            nameList.list->addItem(Text(entry));
        }
        nameList.readable = true;
    } catch (const DataFileError& error) {
        nameList.readable = false;
        messages_.Show(
            this,
            QString::fromUtf8(error.what()) +
                QString::fromUtf8("\r\n\r\nこのリストはファイルを直すまで変更しません。"),
            QString::fromUtf8("リストの読み込み"), MessageBox::kExclamationOk);
    }
    nameList.list->setCurrentRow(-1);
    nameList.box->setText(nameList.list->count() > 0 ? nameList.list->item(0)->text() : QString());
}

bool frmMain::ListWritable(const NameList& nameList) {
    if (nameList.readable) {
        return true;
    }
    messages_.Show(this,
                   QString::fromUtf8("「") + QString::fromUtf8(nameList.fileName.data()) +
                       QString::fromUtf8("」を読み込めなかったため、リストを変更できません。"
                                         "ファイルを直してから起動し直してください。"),
                   QString::fromUtf8("リストの変更"), MessageBox::kExclamationOk);
    return false;
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
    if (answer != MessageBox::kOk || !ListWritable(nameList)) {
        return;
    }
    std::vector<std::u16string> remaining = Entries(nameList.list);
    remaining.erase(remaining.begin() + row);
    try {
        RewriteNameList(dataFolder_, nameList.fileName, remaining);
    } catch (const FileWriteError& error) {
        messages_.Show(this, QString::fromUtf8(error.what()), QString::fromUtf8("削除確認"),
                       MessageBox::kExclamationOk);
        return;
    }
    delete nameList.list->takeItem(row);
    // The list would move the selection to a neighbour, which looks chosen but is not.
    nameList.list->setCurrentItem(nullptr);
    nameList.list->clearSelection();
    nameList.box->clear();
}

void frmMain::DeleteAllEntries(NameList& nameList) {
    const int answer = messages_.Show(this, QString::fromUtf8(nameList.deleteAllPrompt),
                                      QString::fromUtf8("削除確認"),
                                      MessageBox::kExclamationOkCancelDefaultCancel);
    if (answer != MessageBox::kOk || !ListWritable(nameList)) {
        return;
    }
    try {
        RewriteNameList(dataFolder_, nameList.fileName, {});
    } catch (const FileWriteError& error) {
        messages_.Show(this, QString::fromUtf8(error.what()), QString::fromUtf8("削除確認"),
                       MessageBox::kExclamationOk);
        return;
    }
    nameList.list->clear();
    nameList.box->clear();
}

bool frmMain::AddEntry(NameList& nameList, const QString& text) {
    // Exact comparison: case, width and kana kind all count.
    for (int row = 0; row < nameList.list->count(); ++row) {
        if (nameList.list->item(row)->text() == text) {
            return false;
        }
    }
    if (!ListWritable(nameList)) {
        return true;
    }
    try {
        AppendNameListEntry(dataFolder_, nameList.fileName, text.toStdU16String());
    } catch (const FileWriteError& error) {
        messages_.Show(this, QString::fromUtf8(error.what()), QString::fromUtf8("リストへの追加"),
                       MessageBox::kExclamationOk);
        return true;
    }
    nameList.list->addItem(text);
    nameList.list->scrollToItem(nameList.list->item(nameList.list->count() - 1));
    return true;
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
