// The judge command of the main window: checks the two entry boxes, loads the name with its
// complements, and either lists the characters without a stroke count or shows the judgement.
#include <QLabel>
#include <QLineEdit>

#include "analysis/JudgementStore.h"
#include "analysis/NamePreparation.h"
#include "ui/common/EntryBox.h"
#include "ui/common/MessageBox.h"
#include "ui/main/ResultPanel.h"
#include "ui/main/frmMain.h"
#include "ui/registration/frmInp_Kanji.h"

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

frmInp_Kanji* frmMain::registrationDialog() const {
    return registrationDialog_.data();
}

void frmMain::ShowRegistrationDialog(bool modal) {
    if (registrationDialog_ != nullptr) {
        // Already open (from the judge command): bring it forward rather than open a second.
        registrationDialog_->raise();
        registrationDialog_->activateWindow();
        return;
    }
    if (!strokeReference_) {
        strokeReference_ = ReadStrokeReference(dataFolder_);
    }
    auto* dialog = new frmInp_Kanji(store_, messages_, dataFolder_, *strokeReference_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    registrationDialog_ = dialog;
    if (modal) {
        dialog->exec();
    } else {
        dialog->show();
    }
}

void frmMain::cmdKaishi3_Click() {
    const std::u16string surname = ReadEntryBox(controls_.txtMyouji2).toStdU16String();
    const std::u16string givenName = ReadEntryBox(controls_.txtNamae).toStdU16String();
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
        ShowRegistrationDialog(false);
        return;
    }

    RunJudgement(controls_, store_);
    controls_.fraMidashi->setVisible(false);
}

}  // namespace namori
