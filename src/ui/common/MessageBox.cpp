#include "ui/common/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace namori {

MessageBox::Answer MessageBox::Show(QWidget* parent, const QString& title, const QString& text,
                                    Icon icon, Buttons buttons) {
    lastText_ = text;
    lastTitle_ = title;
    lastIcon_ = icon;
    lastButtons_ = buttons;
    ++shownCount_;
    if (showHook_) {
        showHook_();
    }
    if (!queuedAnswers_.empty()) {
        const Answer answer = queuedAnswers_.front();
        queuedAnswers_.pop_front();
        return answer;
    }

    QMessageBox box(icon == Icon::Information ? QMessageBox::Information : QMessageBox::Warning,
                    title, text, QMessageBox::NoButton, parent);
    QAbstractButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QAbstractButton* cancel = nullptr;
    if (buttons != Buttons::Ok) {
        cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
    } else {
        box.setEscapeButton(ok);
    }
    auto* defaultButton = buttons == Buttons::OkCancelDefaultCancel ? cancel : ok;
    box.setDefaultButton(static_cast<QPushButton*>(defaultButton));
    box.exec();
    return box.clickedButton() == ok || cancel == nullptr ? Answer::Ok : Answer::Cancel;
}

void MessageBox::ShowFailure(QWidget* parent, const std::exception& error, const QString& title,
                             const QString& advice) {
    Show(parent, title, QString::fromUtf8(error.what()) + advice, Icon::Exclamation);
}

}  // namespace namori
