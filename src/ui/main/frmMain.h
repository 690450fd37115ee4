#pragma once

#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/StrokeReference.h"
#include "ui/main/MainWindowControls.h"

class QLineEdit;
class QListWidget;
class QPrinter;

namespace namori {

struct JudgementStore;
class MessageBox;
class frmInp_Kanji;
class HelpViewer;
class frmNaming;

// The main window: the buttons, the entry frame with the two name lists, and the result frame
// under the explanation panel. Works on the one judgement store, keeps its files in dataFolder
// and shows its messages through messages.
class frmMain : public QWidget {
    Q_OBJECT

  public:
    frmMain(JudgementStore& store, MessageBox& messages,
            std::filesystem::path dataFolder = std::filesystem::path("."),
            QWidget* parent = nullptr);
    ~frmMain() override;

    const MainWindowControls& controls() const { return controls_; }
    // The registration dialog while it is open.
    frmInp_Kanji* registrationDialog() const;

    // Fills both lists from their files and puts the first entry of each into its box. Runs
    // once the window is shown.
    void Form_Load();

    // The judge command of the "占う" button.
    void cmdKaishi3_Click();

    // Printing, help, introduction and exit.
    void cmdPrint_Click();
    void cmdHelp_Click();
    void cmdShoukai_Click();
    void cmdOwari_Click();
    void Form_Unload();
    HelpViewer& helpViewer();
    // Opens the name-choosing aid (or brings it forward), with the surname and the complement
    // option of the main window.
    frmNaming* OpenNamingSupport();
    const QString& helpFile() const { return helpFile_; }

    // Where printing goes: the default printer unless set (tests print to a PDF file); none
    // means no printer.
    std::function<std::unique_ptr<QPrinter>()> choosePrinter;
    // The PDF file for the page when printing is not possible; asks the user unless set.
    std::function<QString()> choosePdfFile;
    // Ends the program; quits the application unless set.
    std::function<void()> quitProgram;

    // The name lists.
    void lstMyouji_Click();
    void lstNamae_Click();
    void lstMyouji_DblClick();
    void lstNamae_DblClick();
    void lblMyo_DblClick();
    void lblNa_DblClick();
    void Label1_DblClick();

    // The entry boxes; a key press handler answers whether it swallowed the key.
    bool txtMyouji2_KeyPress(int key);
    bool txtNamae_KeyPress(int key);
    void txtMyouji2_GotFocus();
    void txtMyouji2_LostFocus();
    void txtNamae_GotFocus();
    void txtNamae_LostFocus();
    void chkHosuu_Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // One of the two lists with its file and entry box.
    struct NameList {
        QListWidget* list;
        std::string_view fileName;
        QLineEdit* box;
        const char* deleteAllPrompt;
    };

    void HideFaceImages();
    bool complementTicked() const;
    void LoadList(NameList& nameList);
    void SelectEntry(NameList& nameList);
    void DeleteEntry(NameList& nameList);
    void DeleteAllEntries(NameList& nameList);
    // Adds the box text to the list file unless the file holds it, and shows the file's list;
    // false when it was already there.
    bool AddEntry(NameList& nameList, const QString& text);
    // Shows what the list file holds now; no entry is selected.
    void ShowEntries(NameList& nameList, const std::vector<std::u16string>& entries);
    void ShowChangeFailure(const std::exception& error, const char* title);
    // Refuses, with a message, an entry that the list file could not give back as typed.
    bool EntryRefused(const QString& text);
    void ShowRegistrationDialog(bool modal);
    void SetBoxColour(QLineEdit* box, bool focused);

    JudgementStore& store_;
    MessageBox& messages_;
    std::filesystem::path dataFolder_;
    MainWindowControls controls_;
    NameList surnames_;
    NameList givenNames_;
    std::optional<StrokeReference> strokeReference_;
    QPointer<frmInp_Kanji> registrationDialog_;
    std::unique_ptr<HelpViewer> helpViewer_;
    QPointer<frmNaming> namingWindow_;
    QString helpFile_;
};

}  // namespace namori
