// The two entry boxes of the main window and the complement option: Enter looks the name up,
// registers characters without a stroke count and adds the name to its list.
#include <QCheckBox>
#include <QLineEdit>
#include <QToolButton>

#include "analysis/JudgementStore.h"
#include "analysis/NameLookup.h"
#include "data/NameListFile.h"
#include "ui/common/EntryBox.h"
#include "ui/common/MessageBox.h"
#include "ui/main/frmMain.h"

namespace namori {

namespace {

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QString Text(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void frmMain::SetBoxColour(QLineEdit* box, bool focused) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, focused ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xFF, 0xFF, 0xC0));
    palette.setColor(QPalette::Text, QColor(0, 0, 0));
    box->setPalette(palette);
}

void frmMain::txtMyouji2_GotFocus() {
    SetBoxColour(controls_.txtMyouji2, true);
}
void frmMain::txtMyouji2_LostFocus() {
    SetBoxColour(controls_.txtMyouji2, false);
}
void frmMain::txtNamae_GotFocus() {
    SetBoxColour(controls_.txtNamae, true);
}
void frmMain::txtNamae_LostFocus() {
    SetBoxColour(controls_.txtNamae, false);
}

bool frmMain::EntryRefused(const QString& text) {
    const auto problem = ListEntryProblem(text.toStdU16String());
    if (problem) {
        messages_.Show(this, Text(*problem), QString::fromUtf8("入力内容確認"),
                       MessageBox::kExclamationOk);
    }
    return problem.has_value();
}

bool frmMain::txtMyouji2_KeyPress(int key) {
    if (!IsEnter(key) || controls_.txtMyouji2->text().isEmpty()) {
        return false;
    }
    const QString text = ReadEntryBox(controls_.txtMyouji2);
    if (EntryRefused(text)) {
        return true;
    }
    store_.checkingSurname = true;
    store_.currentSurname = text.toStdU16String();
    LookupSurname(store_);
    CollectUnregisteredChars(store_);
    if (!store_.unregisteredChars[1].empty()) {
        ShowRegistrationDialog(true);
    }
    if (store_.surnameLength == 1 && complementTicked()) {
        store_.currentSurname.insert(store_.currentSurname.begin(), kComplementCharacter);
        LookupSurname(store_);
    }
    AddEntry(surnames_, text);
    controls_.txtNamae->setFocus();
    return true;
}

bool frmMain::txtNamae_KeyPress(int key) {
    store_.checkingSurname = false;
    if (!IsEnter(key) || controls_.txtNamae->text().isEmpty()) {
        return false;
    }
    const QString text = ReadEntryBox(controls_.txtNamae);
    if (EntryRefused(text)) {
        return true;
    }
    store_.currentGivenName = text.toStdU16String();
    LookupGivenName(store_);
    if (store_.givenNameLength == 1 && complementTicked()) {
        store_.currentGivenName.push_back(kComplementCharacter);
        LookupGivenName(store_);
        const int last = store_.givenNameLength + store_.surnameLength;
        if (last <= kNamePositions) {
            store_.strokeCounts[last] = 1;
        }
    }
    CollectUnregisteredChars(store_);
    if (!store_.unregisteredChars[1].empty()) {
        ShowRegistrationDialog(true);
    }
    if (!AddEntry(givenNames_, text)) {
        controls_.cmdKaishi3->setFocus();
    }
    return true;
}

void frmMain::chkHosuu_Click() {
    const bool ticked = complementTicked();
    if (store_.currentSurname.size() == 1 && ticked) {
        store_.currentSurname.insert(store_.currentSurname.begin(), kComplementCharacter);
        LookupSurname(store_);
        store_.strokeCounts[1] = 1;
    }
    if (!ticked && !store_.currentSurname.empty() &&
        store_.currentSurname.front() == kComplementCharacter) {
        store_.currentSurname.erase(store_.currentSurname.begin());
        LookupSurname(store_);
    }
}

}  // namespace namori
