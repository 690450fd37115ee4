#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "analysis/NameLookup.h"

class QCheckBox;
class QLineEdit;
class QToolButton;
class QWidget;

namespace namori {

struct ReferenceTables;
class MessageBox;
class NameList;

// The main window's controls the entry boxes work with; the window owns them.
struct NameEntryControls {
    QLineEdit* surnameEdit = nullptr;
    QLineEdit* givenNameEdit = nullptr;
    QCheckBox* complementCheckBox = nullptr;
    QToolButton* judgeButton = nullptr;
};

// The main window's two entry boxes and its complement option: Enter looks the name part up in
// the dictionary, asks for the characters without a stroke count and adds the name to its list;
// a box in use is white, else pale yellow.
class NameEntryBoxes : public QObject {
    Q_OBJECT

  public:
    NameEntryBoxes(std::shared_ptr<const ReferenceTables> tables, MessageBox& messages,
                   const NameEntryControls& controls, NameList& surnames, NameList& givenNames,
                   QWidget* window);

    // Looks names up in tables from now on (a registration changed the dictionary).
    void setTables(std::shared_ptr<const ReferenceTables> tables) { tables_ = std::move(tables); }

  signals:
    // Characters of the name have no stroke count; the slot registers them before returning.
    void registrationNeeded(const std::vector<std::u16string>& characters);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A key press in the box of part: Enter asks for the counts of the characters that have
    // none and adds the name to its list. Answers whether it swallowed the key.
    bool onKey(NamePart part, int key);
    bool complementTicked() const;
    // Refuses, with a message, an entry that the list file could not give back as typed.
    bool EntryRefused(const QString& text);

    std::shared_ptr<const ReferenceTables> tables_;
    MessageBox& messages_;
    NameEntryControls controls_;
    NameList& surnames_;
    NameList& givenNames_;
    QWidget* window_;
};

}  // namespace namori
