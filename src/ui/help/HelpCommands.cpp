// The help, introduction and exit buttons of the main window, and closing the window.
#include <QCloseEvent>
#include <QCoreApplication>

#include "ui/common/EntryBox.h"
#include "ui/common/MessageBox.h"
#include "ui/help/HelpViewer.h"
#include "ui/main/frmMain.h"

namespace namori {

void frmMain::cmdHelp_Click() {
    helpFile_ = QStringLiteral("TevoHelp.chm");
    helpViewer_->Display(helpFile_);
}

void frmMain::cmdShoukai_Click() {
    // The surname being typed is finished before the message takes the focus: the naming aid
    // that the help page opens starts from it.
    ReadEntryBox(controls_.txtMyouji2);
    const QString text = QString::fromUtf8(
        "お子様の名付け支援には『コルヴィ』をぜひどうぞ！\r\n"
        "\r\n"
        "姓名判断結果の詳細な解説も見れるほか、\r\n"
        "呼び名を入力すると数千通りの組み合わせを一括して姓名判断する…など\r\n"
        "多彩な機能で楽しく名付け作業をサポートします。\r\n"
        "\r\n"
        "どんなことができるソフトなのかはコルヴィのヘルプをぜひご覧ください。");
    messages_.Show(this, text, QString::fromUtf8("コルヴィのご紹介"), MessageBox::kInformationOk);
    helpFile_ = QStringLiteral("KoruviHelp.chm");
    helpViewer_->Display(helpFile_);
}

void frmMain::cmdOwari_Click() {
    // Every help window is closed, once for each help document, before the program ends.
    helpFile_ = QStringLiteral("TevoHelp.chm");
    helpViewer_->CloseAll();
    helpFile_ = QStringLiteral("KoruviHelp.chm");
    helpViewer_->CloseAll();
    close();
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_Unload();
}

void frmMain::Form_Unload() {
    // Ends the program at once, open dialogs included: nothing is pending, every change was
    // written when it was made.
    if (quitProgram) {
        quitProgram();
    } else {
        QCoreApplication::exit(0);
    }
}

HelpViewer& frmMain::helpViewer() {
    return *helpViewer_;
}

}  // namespace namori
