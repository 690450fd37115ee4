#pragma once

#include <QDialog>
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "analysis/ReferenceTables.h"
#include "data/StrokeReference.h"

class QLineEdit;
class QToolButton;

namespace namori {

class MessageBox;

// The registration dialog: up to three characters without a stroke count, a stroke box each.
// "保存" appends them to the dictionary file and hands on new tables with the dictionary as the
// file now holds it; "戻る" and the close box change nothing.
class KanjiRegistrationDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kRows = 3;

    KanjiRegistrationDialog(std::shared_ptr<const ReferenceTables> tables,
                            const std::vector<std::u16string>& characters, MessageBox& messages,
                            std::filesystem::path dataFolder, const StrokeReference& reference,
                            QWidget* parent = nullptr);

    // The controls of the window; tests drive it through them.
    struct Controls {
        // Rows top to bottom.
        std::array<QLineEdit*, kRows> kanjiEdits{};
        std::array<QLineEdit*, kRows> strokeEdits{};
        QToolButton* saveButton = nullptr;
        QToolButton* backButton = nullptr;
        // The reference table's count for the character of the stroke box last in use, shown beside
        // the column heads; a click on it, or Space in the stroke box, takes it as typed.
        QToolButton* suggestionButton = nullptr;
    };
    const Controls& controls() const { return controls_; }

  signals:
    // A registration was saved: tables are the dialog's tables with the dictionary reloaded.
    void tablesChanged(std::shared_ptr<const ReferenceTables> tables);
    // The characters were registered; the dialog closes.
    void saved();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private slots:
    void onSaveClicked();
    void onBackClicked();

  private:
    void ShowCharacters();
    bool SaveKanjiEntries();
    void ShowSuggestion(int row);
    void TakeSuggestion(int row);
    // Enter in a stroke box: on to the next stroke box still empty, else to "保存".
    void MoveOn(int row);
    int RowOfStrokeBox(const QObject* box) const;
    void Build();

    std::shared_ptr<const ReferenceTables> tables_;
    MessageBox& messages_;
    std::filesystem::path dataFolder_;
    StrokeReference reference_;  // a copy: the dialog may outlive whoever read the table
    std::array<QString, kRows> suggestions_;  // by row; empty where the table has no count
    // The characters the dialog was opened for, by row.
    std::array<std::u16string, kRows> characters_;
    int suggestionRow_ = 0;
    Controls controls_;
};

}  // namespace namori
