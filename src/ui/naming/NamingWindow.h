#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "analysis/ReferenceTables.h"
#include "data/ShortlistFile.h"
#include "data/StrokeReference.h"
#include "naming/KanjiSearch.h"
#include "naming/NameGuide.h"
#include "naming/NamingIndex.h"
#include "naming/ReadingGrounds.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTabWidget;
class QTableView;

namespace namori {

class CandidateTableModel;
class LuckyStrokesPage;
class MessageBox;

// The name-choosing aid, in two tabs. The first: every given name read as the typed reading, or
// holding the kanji typed as 使いたい漢字 (read so, when a reading is typed too), judged beside
// the surname and ranked, with how each character's reading is grounded, in a sortable table with a
// filter for names whose three faces are all favourable, a switch that adds the rare compositions,
// export to CSV, and a double-click that hands the spelling to the main window. The second
// (吉数表): the stroke patterns whose faces beside the surname are all favourable.
class NamingWindow : public QWidget {
    Q_OBJECT

  public:
    // Judges with tables until setTables hands it others.
    NamingWindow(std::shared_ptr<const ReferenceTables> tables, MessageBox& messages,
                 std::vector<std::filesystem::path> assetFolders, QWidget* parent = nullptr);

    // The controls of the window; tests drive it through them.
    struct Controls {
        QLineEdit *surnameBox{}, *readingBox{}, *kanjiBox{};
        QComboBox *sexBox{}, *orderBox{};
        QCheckBox *complementBox{}, *favourableOnlyBox{}, *rareBox{};
        QPushButton *searchButton{}, *exportButton{}, *shortlistButton{};
        QTabWidget* tabs{};
        LuckyStrokesPage* luckyPage{};
        QTableView* table{};
        QLabel* statusLabel{};
    };
    const Controls& controls() const { return controls_; }

    // The CSV file to write; asks the user unless set.
    void setCsvFileChooser(std::function<QString()> chooser) {
        csvFileChooser_ = std::move(chooser);
    }

    // Shows the window in front, with surname and the complement option as the main window has
    // them, ready for a reading.
    void ShowFor(const QString& surname, bool complement);
    void Search();
    void ExportCsv();
    // The table as shown (sorted and filtered), as CSV text.
    QString TableAsCsv() const;
    int shownRows() const;
    const CandidateTableModel& model() const { return *model_; }

    // Where 候補.txt is: the ☆ of a row adds the candidate to it (or takes it off). Without a
    // folder the ☆ column is hidden.
    void setShortlistFolder(std::filesystem::path folder);
    // Adds the candidate of the shown row to the shortlist, or takes it off when it is there.
    void ToggleShortlisted(int shownRow);

    // Judges with tables from now on (a registration changed the dictionary).
    void setTables(std::shared_ptr<const ReferenceTables> tables) { tables_ = std::move(tables); }

  signals:
    // A row was chosen (double-click or Enter): its spelling goes to the main window, with the
    // reading (hiragana) it was found for, which the 鑑定書 prints above the name.
    void nameChosen(const QString& spelling, const QString& reading);
    // The 候補 page is wanted.
    void shortlistRequested();

  private:
    // Shows how many rows the table shows, and the counting when it is the traditional one.
    void ShowRowCount();
    bool LoadIndexes();
    // Stars the candidates that entries hold for the surname and complement searched.
    void ShowShortlisted(const std::vector<ShortlistEntry>& entries);

    std::shared_ptr<const ReferenceTables> tables_;
    // The surname and complement option the listed candidates were judged with.
    std::u16string searchedSurname_;
    bool searchedComplement_ = false;
    std::optional<std::filesystem::path> shortlistFolder_;
    MessageBox& messages_;
    std::vector<std::filesystem::path> assetFolders_;
    std::optional<NamingIndex> index_;
    std::optional<NameGuide> guide_;
    std::optional<NamesByKanjiIndex> namesByKanji_;
    std::optional<ReadingGroundsIndex> grounds_;
    bool referenceRead_ = false;
    StrokeReference reference_;
    CandidateTableModel* model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
    std::function<QString()> csvFileChooser_;
    Controls controls_;
};

}  // namespace namori
