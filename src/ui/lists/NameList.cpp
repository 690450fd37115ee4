// The surname and given-name lists of the main window: loading, picking, deleting one entry and
// deleting all, each change written to the list's file at once.
#include "ui/lists/NameList.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>

#include "data/DataFileError.h"
#include "data/NameListFile.h"
#include "ui/common/MessageBox.h"
#include "ui/common/QtText.h"

namespace namori {

NameList::NameList(QListWidget* list, QLineEdit* box, std::string_view fileName,
                   const char* deleteAllPrompt, std::vector<QLabel*> headers, MessageBox& messages,
                   std::filesystem::path dataFolder, QWidget* window)
    : QObject(nullptr),
      list_(list),
      box_(box),
      fileName_(fileName),
      deleteAllPrompt_(deleteAllPrompt),
      headers_(std::move(headers)),
      messages_(messages),
      dataFolder_(std::move(dataFolder)),
      window_(window) {
    connect(list_, &QListWidget::itemClicked, this, &NameList::onEntryClicked);
    connect(list_, &QListWidget::itemDoubleClicked, this, &NameList::onEntryDoubleClicked);
    for (QLabel* header : headers_) {
        header->installEventFilter(this);
    }
    list_->installEventFilter(this);
}

bool NameList::eventFilter(QObject* watched, QEvent* event) {
    // The keyboard does what the mouse does: Enter as a click, Delete as a double-click, and
    // Shift+Delete as a double-click on the header.
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            onEntryClicked();
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            if (key->modifiers().testFlag(Qt::ShiftModifier)) {
                DeleteAllEntries();
            } else {
                onEntryDoubleClicked();
            }
            return true;
        }
        return false;
    }
    // Only the headers empty a whole list; a double-click in an entry box selects a word, as in
    // any text box.
    if (event->type() == QEvent::MouseButtonDblClick &&
        std::find(headers_.begin(), headers_.end(), watched) != headers_.end()) {
        DeleteAllEntries();
        return true;
    }
    return false;
}

void NameList::Load() {
    std::vector<std::u16string> entries;
    try {
        entries = ReadNameList(dataFolder_, fileName_);
    } catch (const DataFileError& error) {
        messages_.ShowFailure(
            window_, error, QString::fromUtf8("リストの読み込み"),
            QString::fromUtf8("\r\n\r\nこのリストはファイルを直すまで変更しません。"));
    }
    ShowEntries(entries);
    box_->setText(list_->count() > 0 ? list_->item(0)->text() : QString());
}

void NameList::ShowEntries(const std::vector<std::u16string>& entries) {
    list_->clear();
    for (const std::u16string& entry : entries) {
        list_->addItem(ToQString(entry));
    }
    // No entry looks chosen: the next click picks one.
    list_->setCurrentItem(nullptr);
    list_->clearSelection();
}

void NameList::ShowChangeFailure(const std::exception& error, const char* title) {
    QString advice;
    if (dynamic_cast<const DataFileError*>(&error) != nullptr) {
        // The file could not be read: it is left alone until the user fixes it.
        advice = QString::fromUtf8(
            "\r\n\r\nファイルを読めないため、リストを変更できません。"
            "ファイルを直してからやり直してください。");
    }
    messages_.ShowFailure(window_, error, QString::fromUtf8(title), advice);
}

void NameList::onEntryClicked() {
    if (list_->currentItem() != nullptr) {
        box_->setText(list_->currentItem()->text());
    }
}

void NameList::DeleteEntry() {
    const int row = list_->currentRow();
    if (row < 0) {
        return;
    }
    const QString text = list_->item(row)->text();
    // Which of several equal entries was chosen, so that the same one leaves the file.
    int occurrence = 0;
    for (int earlier = 0; earlier < row; ++earlier) {
        occurrence += list_->item(earlier)->text() == text;
    }
    ConfirmAndDelete(
        QString::fromUtf8("『") + text + QString::fromUtf8("』をリストから削除します"), [&] {
            return DeleteNameListEntry(dataFolder_, fileName_, text.toStdU16String(), occurrence);
        });
}

void NameList::DeleteAllEntries() {
    ConfirmAndDelete(QString::fromUtf8(deleteAllPrompt_),
                     [this] { return EmptyNameList(dataFolder_, fileName_); });
}

void NameList::ConfirmAndDelete(const QString& prompt,
                                const std::function<NameListUpdate()>& deletion) {
    if (messages_.Show(window_, QString::fromUtf8("削除確認"), prompt,
                       MessageBox::Icon::Exclamation,
                       MessageBox::Buttons::OkCancelDefaultCancel) != MessageBox::Answer::Ok) {
        return;
    }
    try {
        ShowEntries(deletion().entries);
    } catch (const std::runtime_error& error) {
        ShowChangeFailure(error, "削除確認");
        return;
    }
    box_->clear();
}

bool NameList::Add(const QString& text) {
    NameListUpdate update;
    try {
        update = AddNameListEntry(dataFolder_, fileName_, text.toStdU16String());
    } catch (const std::runtime_error& error) {
        ShowChangeFailure(error, "リストへの追加");
        return true;
    }
    ShowEntries(update.entries);
    // The name just added, or already there, is brought into view.
    const QList<QListWidgetItem*> shown = list_->findItems(text, Qt::MatchExactly);
    if (!shown.isEmpty()) {
        list_->scrollToItem(shown.back());
    }
    return update.changed;
}

void NameList::onEntryDoubleClicked() {
    onEntryClicked();
    DeleteEntry();
}

}  // namespace namori
