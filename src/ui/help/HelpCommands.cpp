#include "ui/help/HelpCommands.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QWidget>

#include "ui/common/EntryBox.h"
#include "ui/common/MessageBox.h"
#include "ui/help/HelpViewer.h"

namespace namori {

HelpCommands::HelpCommands(QWidget& window, MessageBox& messages,
                           const std::filesystem::path& dataFolder, QLineEdit* surnameEdit,
                           QAbstractButton* helpButton, QAbstractButton* introductionButton,
                           QAbstractButton* exitButton)
    : QObject(nullptr),
      window_(window),
      messages_(messages),
      surnameEdit_(surnameEdit),
      helpViewer_(std::make_unique<HelpViewer>(&window, dataFolder)) {
    connect(helpButton, &QAbstractButton::clicked, this, &HelpCommands::onHelpClicked);
    connect(introductionButton, &QAbstractButton::clicked, this,
            &HelpCommands::onIntroductionClicked);
    connect(exitButton, &QAbstractButton::clicked, this, &HelpCommands::onExitClicked);
}

HelpCommands::~HelpCommands() = default;

void HelpCommands::onHelpClicked() {
    helpViewer_->Display(QStringLiteral("TevoHelp.chm"));
}

void HelpCommands::onIntroductionClicked() {
    // The surname being typed is finished before the message takes the focus: the naming aid
    // that the help page opens starts from it.
    ReadEntryBox(surnameEdit_);
    const QString text = QString::fromUtf8(
        "お子様の名付け支援には『コルヴィ』をぜひどうぞ！\r\n"
        "\r\n"
        "姓名判断結果の詳細な解説も見れるほか、\r\n"
        "呼び名を入力すると数千通りの組み合わせを一括して姓名判断する…など\r\n"
        "多彩な機能で楽しく名付け作業をサポートします。\r\n"
        "\r\n"
        "どんなことができるソフトなのかはコルヴィのヘルプをぜひご覧ください。");
    messages_.Show(&window_, QString::fromUtf8("コルヴィのご紹介"), text,
                   MessageBox::Icon::Information);
    helpViewer_->Display(QStringLiteral("KoruviHelp.chm"));
}

void HelpCommands::onExitClicked() {
    // Every help window is closed before the program ends.
    helpViewer_->CloseAll();
    window_.close();
}

}  // namespace namori
