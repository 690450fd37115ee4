#include "ui/common/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace namori {

int MessageBox::Show(QWidget* parent, const QString& text, const QString& title, int style) {
    lastText_ = text;
    lastTitle_ = title;
    lastStyle_ = style;
    ++shownCount_;
    if (onShow) {
        onShow();
    }
    if (!queuedAnswers_.empty()) {
        const int answer = queuedAnswers_.front();
        queuedAnswers_.pop_front();
        return answer;
    }

    const int icon = style & 0xF0;
    const int buttons = style & 0x0F;
    QMessageBox box(icon == 0x40 ? QMessageBox::Information : QMessageBox::Warning, title, text,
                    QMessageBox::NoButton, parent);
    QAbstractButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QAbstractButton* cancel = nullptr;
    if (buttons == 1) {
        cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
    } else {
        box.setEscapeButton(ok);
    }
    auto* defaultButton = (style & 0x100) != 0 && cancel != nullptr ? cancel : ok;
    box.setDefaultButton(static_cast<QPushButton*>(defaultButton));
    box.exec();
    return box.clickedButton() == ok ? kOk : (cancel != nullptr ? kCancel : kOk);
}

void MessageBox::ShowFailure(QWidget* parent, const std::exception& error, const QString& title,
                             const QString& advice) {
    Show(parent, QString::fromUtf8(error.what()) + advice, title, kExclamationOk);
}

}  // namespace namori
