#pragma once

#include <QObject>
#include <QString>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

namespace namori {

class MessageBox;
struct NameListUpdate;

// One of the main window's two name lists with its entry box and its list file: a click (or
// Enter) puts an entry into the box, a double-click (or Delete) deletes it, a double-click on a
// header (or Shift+Delete in the list) deletes all.
// Every change is written to the file at once, and the list then shows what the file holds.
class NameList : public QObject {
    Q_OBJECT

  public:
    NameList(QListWidget* list, QLineEdit* box, std::string_view fileName,
             const char* deleteAllPrompt, std::vector<QLabel*> headers, MessageBox& messages,
             std::filesystem::path dataFolder, QWidget* window);

    // Fills the list from its file and puts the first entry into the box.
    void Load();
    // Adds text to the list file unless the file holds it, and shows the file's list; false
    // when it was already there.
    bool Add(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private slots:
    void onEntryClicked();
    void onEntryDoubleClicked();

  private:
    void DeleteEntry();
    void DeleteAllEntries();
    // Asks prompt; on OK runs deletion and shows the list it leaves, with the box emptied.
    void ConfirmAndDelete(const QString& prompt, const std::function<NameListUpdate()>& deletion);
    // Shows what the list file holds now; no entry is selected.
    void ShowEntries(const std::vector<std::u16string>& entries);
    void ShowChangeFailure(const std::exception& error, const char* title);

    QListWidget* list_;
    QLineEdit* box_;
    std::string_view fileName_;
    const char* deleteAllPrompt_;
    std::vector<QLabel*> headers_;
    MessageBox& messages_;
    std::filesystem::path dataFolder_;
    QWidget* window_;
};

}  // namespace namori
