#pragma once

#include <QObject>

class QCheckBox;
class QLineEdit;
class QToolButton;
class QWidget;

namespace namori {

struct JudgementStore;
class MessageBox;
class NameList;

// The main window's controls the entry boxes work with; the window owns them.
struct NameEntryControls {
    QLineEdit* surnameEdit = nullptr;
    QLineEdit* givenNameEdit = nullptr;
    QCheckBox* complementCheckBox = nullptr;
    QToolButton* judgeButton = nullptr;
};

// The main window's two entry boxes and its complement option: Enter looks the name up in the
// judgement store, asks for the characters without a stroke count and adds the name to its
// list; a box in use is white, else pale yellow.
class NameEntryBoxes : public QObject {
    Q_OBJECT

  public:
    NameEntryBoxes(JudgementStore& store, MessageBox& messages, const NameEntryControls& controls,
                   NameList& surnames, NameList& givenNames, QWidget* window);

  signals:
    // Characters of the name have no stroke count; the slot registers them before returning.
    void registrationNeeded();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private slots:
    void onComplementClicked();

  private:
    // A key press handler answers whether it swallowed the key.
    bool onSurnameKey(int key);
    bool onGivenNameKey(int key);
    bool complementTicked() const;
    // Refuses, with a message, an entry that the list file could not give back as typed.
    bool EntryRefused(const QString& text);

    JudgementStore& store_;
    MessageBox& messages_;
    NameEntryControls controls_;
    NameList& surnames_;
    NameList& givenNames_;
    QWidget* window_;
};

}  // namespace namori
