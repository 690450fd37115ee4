#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "analysis/ReferenceTables.h"
#include "data/ShortlistFile.h"
#include "naming/ReadingGrounds.h"
#include "reading/ReadingDocument.h"

class QLabel;
class QPrinter;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace namori {

class ComparisonTableModel;
class MessageBox;

// The 候補 page: the names of 候補.txt judged side by side in a sortable table. A row opens its
// 鑑定書 (double-click, Enter or the button), 削除 takes it off the list, and the comparison
// prints on A4 and saves as PDF. The list is read afresh whenever the window is shown or comes
// to the front, so that what another window added appears.
class ShortlistWindow : public QWidget {
    Q_OBJECT

  public:
    ShortlistWindow(std::shared_ptr<const ReferenceTables> tables, std::filesystem::path folder,
                    MessageBox& messages, QWidget* parent = nullptr);
    ~ShortlistWindow() override;

    struct Controls {
        QTableView* table = nullptr;
        QPushButton *readingButton = nullptr, *removeButton = nullptr, *printButton = nullptr,
                    *pdfButton = nullptr, *closeButton = nullptr;
        QLabel* statusLabel = nullptr;
    };
    const Controls& controls() const { return controls_; }
    const ComparisonTableModel& model() const { return *model_; }

    // Reads the list afresh and judges it; says so when the file is damaged.
    void Reload();
    // The comparison as printed, rows in the order the table shows them.
    ReadingDocument Document() const;

    void setPrinterChooser(std::function<std::unique_ptr<QPrinter>()> chooser) {
        printerChooser_ = std::move(chooser);
    }
    void setPdfFileChooser(std::function<QString()> chooser) {
        pdfFileChooser_ = std::move(chooser);
    }
    void setTables(std::shared_ptr<const ReferenceTables> tables);

  signals:
    // The 鑑定書 of entry is wanted.
    void readingRequested(const ShortlistEntry& entry);

  protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private slots:
    void onReadingClicked();
    void onRemoveClicked();
    void onPrintClicked();
    void onPdfClicked();

  private:
    // The entry of the table's current row; none when no row is chosen.
    const ShortlistEntry* CurrentEntry() const;

    std::shared_ptr<const ReferenceTables> tables_;
    std::filesystem::path folder_;
    // How readings are grounded, read at the first comparison that needs it.
    std::optional<ReadingGroundsIndex> grounds_;
    bool groundsReported_ = false;
    MessageBox& messages_;
    ComparisonTableModel* model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
    std::function<std::unique_ptr<QPrinter>()> printerChooser_;
    std::function<QString()> pdfFileChooser_;
    // The file was found damaged and the user told: not told again at every activation.
    bool damageReported_ = false;
    Controls controls_;
};

}  // namespace namori
