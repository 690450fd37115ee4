#include "ui/lists/NameEntryBoxes.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include "analysis/NamePreparation.h"
#include "analysis/ReferenceTables.h"
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

NameEntryBoxes::NameEntryBoxes(std::shared_ptr<const ReferenceTables> tables, MessageBox& messages,
                               const NameEntryControls& controls, NameList& surnames,
                               NameList& givenNames, QWidget* window)
    : QObject(nullptr),
      tables_(std::move(tables)),
      messages_(messages),
      controls_(controls),
      surnames_(surnames),
      givenNames_(givenNames),
      window_(window) {
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
            return onKey(surnameBox ? NamePart::Surname : NamePart::GivenName, key);
        }
        case QEvent::InputMethod:
            // Text typed through an input method is key presses too.
            if (!surnameBox) {
                onKey(NamePart::GivenName, 0);
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
    // A blank is no character to register: a name with one is refused as a judgement refuses it.
    const NamePreparation check = CheckName(text.toStdU16String(), u"名");
    const auto problem = check.problem == NameProblem::Blank
                             ? std::optional(check.message)
                             : ListEntryProblem(text.toStdU16String());
    if (problem) {
        messages_.Show(window_, QString::fromUtf8("入力内容確認"), ToQString(*problem),
                       MessageBox::Icon::Exclamation);
    }
    return problem.has_value();
}

bool NameEntryBoxes::onKey(NamePart part, int key) {
    QLineEdit* box = part == NamePart::Surname ? controls_.surnameEdit : controls_.givenNameEdit;
    if (!IsEnter(key) || box->text().isEmpty()) {
        return false;
    }
    const QString text = ReadEntryBox(box);
    if (EntryRefused(text)) {
        return true;
    }
    // The characters without a stroke count are registered before the name goes on.
    const std::vector<std::u16string> missing = UnregisteredCharsOfPart(
        part, text.toStdU16String(), complementTicked(), tables_->dictionary);
    if (!missing.empty()) {
        emit registrationNeeded(missing);
    }
    if (part == NamePart::Surname) {
        surnames_.Add(text);
        controls_.givenNameEdit->setFocus();
    } else if (!givenNames_.Add(text)) {
        controls_.judgeButton->setFocus();
    }
    return true;
}

}  // namespace namori
