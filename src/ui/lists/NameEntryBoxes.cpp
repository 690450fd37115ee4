#include "ui/lists/NameEntryBoxes.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include "analysis/JudgementStore.h"
#include "analysis/NameLookup.h"
#include "analysis/NamePreparation.h"
#include "data/NameListFile.h"
#include "ui/common/EntryBox.h"
#include "ui/common/MessageBox.h"
#include "ui/common/QtText.h"
#include "ui/lists/NameList.h"

namespace namori {

namespace {

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

void SetBoxColour(QLineEdit* box, bool focused) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, focused ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xFF, 0xFF, 0xC0));
    palette.setColor(QPalette::Text, QColor(0, 0, 0));
    box->setPalette(palette);
}

}  // namespace

NameEntryBoxes::NameEntryBoxes(JudgementStore& store, MessageBox& messages,
                               const NameEntryControls& controls, NameList& surnames,
                               NameList& givenNames, QWidget* window)
    : QObject(nullptr),
      store_(store),
      messages_(messages),
      controls_(controls),
      surnames_(surnames),
      givenNames_(givenNames),
      window_(window) {
    connect(controls_.complementCheckBox, &QCheckBox::clicked, this,
            &NameEntryBoxes::onComplementClicked);
    controls_.surnameEdit->installEventFilter(this);
    controls_.givenNameEdit->installEventFilter(this);
}

bool NameEntryBoxes::complementTicked() const {
    return controls_.complementCheckBox->isChecked();
}

bool NameEntryBoxes::eventFilter(QObject* watched, QEvent* event) {
    const bool surnameBox = watched == controls_.surnameEdit;
    if (!surnameBox && watched != controls_.givenNameEdit) {
        return false;
    }
    switch (event->type()) {
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            return surnameBox ? onSurnameKey(key) : onGivenNameKey(key);
        }
        case QEvent::InputMethod:
            // Text typed through an input method is key presses too.
            if (!surnameBox) {
                onGivenNameKey(0);
            }
            return false;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            SetBoxColour(static_cast<QLineEdit*>(watched), event->type() == QEvent::FocusIn);
            return false;
        default:
            return false;
    }
}

bool NameEntryBoxes::EntryRefused(const QString& text) {
    const auto problem = ListEntryProblem(text.toStdU16String());
    if (problem) {
        messages_.Show(window_, ToQString(*problem), QString::fromUtf8("入力内容確認"),
                       MessageBox::Icon::Exclamation);
    }
    return problem.has_value();
}

bool NameEntryBoxes::onSurnameKey(int key) {
    if (!IsEnter(key) || controls_.surnameEdit->text().isEmpty()) {
        return false;
    }
    const QString text = ReadEntryBox(controls_.surnameEdit);
    if (EntryRefused(text)) {
        return true;
    }
    store_.currentSurname = text.toStdU16String();
    LookupSurname(store_);
    CollectUnregisteredChars(store_, NamePart::Surname);
    if (!store_.unregisteredChars[1].empty()) {
        emit registrationNeeded();
    }
    if (store_.surnameLength == 1 && complementTicked()) {
        store_.currentSurname.insert(store_.currentSurname.begin(), kComplementCharacter);
        LookupSurname(store_);
    }
    surnames_.Add(text);
    controls_.givenNameEdit->setFocus();
    return true;
}

bool NameEntryBoxes::onGivenNameKey(int key) {
    if (!IsEnter(key) || controls_.givenNameEdit->text().isEmpty()) {
        return false;
    }
    const QString text = ReadEntryBox(controls_.givenNameEdit);
    if (EntryRefused(text)) {
        return true;
    }
    store_.currentGivenName = text.toStdU16String();
    ApplyGivenNameComplement(store_, complementTicked());
    CollectUnregisteredChars(store_, NamePart::GivenName);
    if (!store_.unregisteredChars[1].empty()) {
        emit registrationNeeded();
    }
    if (!givenNames_.Add(text)) {
        controls_.judgeButton->setFocus();
    }
    return true;
}

void NameEntryBoxes::onComplementClicked() {
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
