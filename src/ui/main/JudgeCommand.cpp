// The judge command of the main window: checks the two entry boxes, loads the name with its
// complements, and either lists the characters without a stroke count or shows the judgement.
#include <QLabel>
#include <QLineEdit>

#include "analysis/JudgementStore.h"
#include "analysis/NamePreparation.h"
#include "ui/common/MessageBox.h"
#include "ui/main/ResultPanel.h"
#include "ui/main/frmMain.h"

namespace namori {

namespace {

QString Text(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void frmMain::HideFaceImages() {
    for (int slot = 1; slot <= 3; ++slot) {
        controls_.imgwara[slot]->setVisible(false);
        controls_.imgniko[slot]->setVisible(false);
        controls_.imgkana[slot]->setVisible(false);
    }
}

void frmMain::cmdKaishi3_Click() {
    const std::u16string surname = controls_.txtMyouji2->text().toStdU16String();
    const std::u16string givenName = controls_.txtNamae->text().toStdU16String();
    if (surname.empty() || givenName.empty()) {
        messages_.Show(this, QString::fromUtf8("名字と名前を正しく入力してください"),
                       QString::fromUtf8("入力漏れ確認"), MessageBox::kExclamationOk);
        return;
    }
    // Names the rules cannot judge are refused before anything changes.
    const NamePreparation check = CheckName(surname, givenName);
    if (!check.ready()) {
        messages_.Show(this, Text(check.message), QString::fromUtf8("入力内容確認"),
                       MessageBox::kExclamationOk);
        return;
    }

    HideFaceImages();
    // Surname with its complement, given name with its complement, then the characters of
    // both parts that have no count.
    const NamePreparation prepared = PrepareName(store_, surname, givenName, complementTicked());
    if (prepared.problem == NameProblem::Unregistered) {
        QString characters;
        for (const std::u16string& character : prepared.unregistered) {
            characters += (characters.isEmpty() ? QString() : QString::fromUtf8("、")) +
                          Text(character);
        }
        messages_.Show(this,
                       QString::fromUtf8("次の文字の画数が辞書にありません。\r\n\r\n") +
                           characters,
                       QString::fromUtf8("画数の登録"), MessageBox::kInformationOk);
        return;
    }

    RunJudgement(controls_, store_);
    controls_.fraMidashi->setVisible(false);
}

}  // namespace namori
