#pragma once

#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/StrokeCounting.h"
#include "data/ShortlistFile.h"
#include "data/StrokeReference.h"
#include "ui/main/MainWindowControls.h"

namespace namori {

struct ReferenceTables;
class HelpCommands;
class HelpViewer;
class KanjiRegistrationDialog;
class MessageBox;
class NameEntryBoxes;
class NameList;
class NamingWindow;
class ReadingLauncher;
class ResultPanel;
class ShortlistWindow;
class WindowPrinter;

// The main window: the buttons, the entry frame with the two name lists, and the result frame
// under the explanation panel. Judges with tables (a registration replaces them), keeps its files
// in dataFolder and shows its messages through messages. Owns the collaborators that do the work of
// each part and runs the judge command itself.
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    MainWindow(std::shared_ptr<const ReferenceTables> tables, MessageBox& messages,
               std::filesystem::path dataFolder = std::filesystem::path("."),
               QWidget* parent = nullptr);
    ~MainWindow() override;

    const MainWindowControls& controls() const { return controls_; }
    // The tables the window judges with now, in the counting chosen.
    const std::shared_ptr<const ReferenceTables>& tables() const { return tables_; }
    StrokeCounting counting() const { return counting_; }
    // The registration dialog while it is open.
    KanjiRegistrationDialog* registrationDialog() const;

    // Fills both lists from their files and puts the first entry of each into its box. Runs
    // once the window is shown.
    void LoadLists();

    WindowPrinter& printer() { return *printer_; }
    HelpViewer& helpViewer();
    // Opens the name-choosing aid (or brings it forward), with the surname and the complement
    // option of the main window.
    NamingWindow* OpenNamingSupport();
    // Opens the 候補 page (or brings it forward, read afresh).
    ShortlistWindow* OpenShortlist();
    // Adds the name judged last, with the reading the naming aid gave for it, to the shortlist
    // and says so.
    void ShortlistJudgedName();
    // Opens the 鑑定書 window of the judgement shown.
    ReadingLauncher& readingLauncher() { return *readingLauncher_; }

  signals:
    // The window was closed: the program ends, open dialogs included.
    void quitRequested();
    // A registration replaced the tables: the windows that judge or look names up take these.
    void tablesChanged(std::shared_ptr<const ReferenceTables> tables);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private slots:
    void onJudgeClicked();
    // Asks for the stroke counts of characters.
    void OpenRegistrationDialog(const std::vector<std::u16string>& characters, bool modal);
    // Judges with the counting of the option box from now on, remembers it in the settings and
    // judges the name shown again. A missing or damaged table of traditional counts is said and
    // the box cleared.
    void onCountingToggled(bool traditional);

  private:
    // Makes tables_ from modernTables_ in counting_; false after saying why it cannot.
    bool CountTables();
    // Goes back to the dictionary's counts, the option box cleared without another toggle.
    void UseModernCounting();

    // The tables as the dictionary counts; a registration edits these.
    std::shared_ptr<const ReferenceTables> modernTables_;
    std::shared_ptr<const ReferenceTables> tables_;
    StrokeCounting counting_ = StrokeCounting::Modern;
    MessageBox& messages_;
    std::filesystem::path dataFolder_;
    MainWindowControls controls_;
    std::optional<StrokeReference> strokeReference_;
    QPointer<KanjiRegistrationDialog> registrationDialog_;
    // 占う was pressed while the dialog was open for other characters: judge once it saves.
    bool judgeAfterRegistration_ = false;
    QPointer<NamingWindow> namingWindow_;
    QPointer<ShortlistWindow> shortlistWindow_;
    std::optional<ShortlistEntry> judgedName_;  // the name the result panel shows
    // Declared after the controls: destroyed before the widgets they work on.
    std::unique_ptr<ResultPanel> resultPanel_;
    std::unique_ptr<NameList> surnames_;
    std::unique_ptr<NameList> givenNames_;
    std::unique_ptr<NameEntryBoxes> entryBoxes_;
    std::unique_ptr<WindowPrinter> printer_;
    std::unique_ptr<HelpCommands> helpCommands_;
    std::unique_ptr<ReadingLauncher> readingLauncher_;
};

}  // namespace namori
