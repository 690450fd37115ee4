#include "ui/reading/ShortlistWindow.h"

#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>
#include <stdexcept>
#include <utility>

#include "data/DataFileError.h"
#include "data/DataFolder.h"
#include "data/FileWriting.h"
#include "naming/NameComparison.h"
#include "reading/DetailedReading.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PagePrinting.h"
#include "ui/common/QtText.h"
#include "ui/common/WindowHabits.h"
#include "ui/reading/ComparisonDocument.h"
#include "ui/reading/ComparisonTableModel.h"
#include "ui/reading/ReadingPrinter.h"

namespace namori {

namespace {

const char* const kTitle = "候補の比較";

QString Title() {
    return QString::fromUtf8(kTitle);
}

}  // namespace

ShortlistWindow::ShortlistWindow(std::shared_ptr<const ReferenceTables> tables,
                                 std::filesystem::path folder, MessageBox& messages,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window),
      tables_(std::move(tables)),
      folder_(std::move(folder)),
      messages_(messages) {
    setObjectName("frmShortlist");
    setWindowTitle(Title());
    model_ = new ComparisonTableModel(this);
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(ComparisonTableModel::SortRole);
    controls_.table = new QTableView(this);
    controls_.table->setModel(proxy_);
    controls_.table->setSortingEnabled(true);
    controls_.table->sortByColumn(-1, Qt::AscendingOrder);  // the list's own order at first
    controls_.table->setSelectionBehavior(QAbstractItemView::SelectRows);
    controls_.table->setSelectionMode(QAbstractItemView::SingleSelection);
    controls_.table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    controls_.table->verticalHeader()->hide();
    controls_.table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    controls_.readingButton = new QPushButton(QString::fromUtf8("鑑定書"), this);
    controls_.removeButton = new QPushButton(QString::fromUtf8("削除"), this);
    controls_.printButton = new QPushButton(QString::fromUtf8("印刷"), this);
    controls_.pdfButton = new QPushButton(QString::fromUtf8("PDFで保存"), this);
    controls_.closeButton = new QPushButton(QString::fromUtf8("閉じる"), this);
    controls_.statusLabel = new QLabel(this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(controls_.statusLabel);
    buttons->addStretch();
    for (QPushButton* button :
         {controls_.readingButton, controls_.removeButton, controls_.printButton,
          controls_.pdfButton, controls_.closeButton}) {
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(
        QString::fromUtf8(
            "名付け支援の☆や、メイン画面で占った後の Ctrl+D で加えた名前です。"
            "見出しをクリックすると並べ替えます。行をダブルクリックすると鑑定書を開きます。"),
        this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    layout->addWidget(controls_.table);
    layout->addLayout(buttons);

    controls_.table->setAccessibleName(Title());
    controls_.table->setAccessibleDescription(
        QString::fromUtf8("上下キーで選び、Enter で鑑定書を開きます。Delete で候補から外します"));
    controls_.readingButton->setToolTip(QString::fromUtf8("選んだ名前の鑑定書を開きます（Enter）"));
    controls_.removeButton->setToolTip(QString::fromUtf8("選んだ名前を候補から外します（Delete）"));
    controls_.printButton->setToolTip(
        WithShortcut(QString::fromUtf8("比較表をA4で印刷します"), "Ctrl+P"));
    controls_.pdfButton->setToolTip(QString::fromUtf8("比較表をPDFファイルに保存します"));
    controls_.closeButton->setToolTip(WithShortcut(QString::fromUtf8("閉じます"), "Ctrl+W・Esc"));

    connect(controls_.readingButton, &QPushButton::clicked, this,
            &ShortlistWindow::onReadingClicked);
    connect(controls_.removeButton, &QPushButton::clicked, this, &ShortlistWindow::onRemoveClicked);
    connect(controls_.printButton, &QPushButton::clicked, this, &ShortlistWindow::onPrintClicked);
    connect(controls_.pdfButton, &QPushButton::clicked, this, &ShortlistWindow::onPdfClicked);
    connect(controls_.closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(controls_.table, &QTableView::doubleClicked, this, &ShortlistWindow::onReadingClicked);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        new QShortcut(key, controls_.table, this, &ShortlistWindow::onReadingClicked,
                      Qt::WidgetShortcut);
    }
    new QShortcut(QKeySequence::Delete, controls_.table, this, &ShortlistWindow::onRemoveClicked,
                  Qt::WidgetShortcut);
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, controls_.printButton,
            &QPushButton::click);
    AddCloseKeys(*this);
    resize(900, 420);
    RememberGeometry(*this, QStringLiteral("shortlist"));
}

ShortlistWindow::~ShortlistWindow() = default;

void ShortlistWindow::setTables(std::shared_ptr<const ReferenceTables> tables) {
    tables_ = std::move(tables);
    if (isVisible()) {
        Reload();
    }
}

void ShortlistWindow::Reload() {
    std::vector<ShortlistEntry> entries;
    try {
        entries = ReadShortlist(folder_);
    } catch (const DataFileError& error) {
        model_->setNames({});
        controls_.statusLabel->setText(QString::fromUtf8("候補.txt を読めません"));
        if (!std::exchange(damageReported_, true)) {
            messages_.ShowFailure(
                this, error, Title(),
                QString::fromUtf8("\n候補.txt は読み込まず、そのままにしてあります。"));
        }
        return;
    }
    damageReported_ = false;
    std::vector<ComparedName> names = CompareNames(entries, *tables_);
    try {
        if (!grounds_) {
            grounds_ = ReadingGroundsIndex::Open(SearchPath(folder_, {"naming", "data"}));
        }
        GroundReadings(names, *grounds_);
    } catch (const DataFileError& error) {
        // The comparison stands without the column; said once, like a damaged 候補.txt.
        if (!std::exchange(groundsReported_, true)) {
            messages_.ShowFailure(this, error, Title());
        }
    }
    model_->setNames(std::move(names));
    controls_.table->setColumnHidden(ComparisonTableModel::kGrounding, !model_->hasGrounding());
    controls_.statusLabel->setText(QString::fromUtf8("%1 件").arg(model_->rowCount()));
}

void ShortlistWindow::showEvent(QShowEvent* event) {
    Reload();
    QWidget::showEvent(event);
}

void ShortlistWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        Reload();
    }
    QWidget::changeEvent(event);
}

const ShortlistEntry* ShortlistWindow::CurrentEntry() const {
    const QModelIndex current = controls_.table->currentIndex();
    if (!current.isValid()) {
        return nullptr;
    }
    return &model_->names()[static_cast<std::size_t>(proxy_->mapToSource(current).row())].entry;
}

void ShortlistWindow::onReadingClicked() {
    if (const ShortlistEntry* entry = CurrentEntry()) {
        emit readingRequested(*entry);
    }
}

void ShortlistWindow::onRemoveClicked() {
    const ShortlistEntry* entry = CurrentEntry();
    if (entry == nullptr) {
        return;
    }
    try {
        RemoveFromShortlist(folder_, *entry);
    } catch (const std::exception& error) {
        messages_.ShowFailure(this, error, Title());
    }
    Reload();
}

ReadingDocument ShortlistWindow::Document() const {
    QList<int> columns;
    for (int column = 0; column < proxy_->columnCount(); ++column) {
        if (!controls_.table->isColumnHidden(column)) {
            columns << column;
        }
    }
    const QDate today = QDate::currentDate();
    return ComparisonDocumentOf(
        *proxy_, columns, ToQString(ReadingDateText(today.year(), today.month(), today.day())));
}

void ShortlistWindow::onPrintClicked() {
    std::unique_ptr<QPrinter> printer;
    if (printerChooser_) {
        printer = printerChooser_();
    } else {
        printer = AskForReadingPrinter(this, QString::fromUtf8("候補の比較の印刷"));
    }
    if (printer == nullptr) {
        return;
    }
    printer->setDocName(Title());
    PrintReadingOrSay(Document(), *printer, QString::fromUtf8("比較表"), messages_, this);
}

void ShortlistWindow::onPdfClicked() {
    QString file;
    if (pdfFileChooser_) {
        file = pdfFileChooser_();
    } else {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        file =
            QFileDialog::getSaveFileName(this, QString::fromUtf8("候補の比較をPDFで保存"),
                                         QDir(folder).filePath(QString::fromUtf8("候補の比較.pdf")),
                                         QStringLiteral("PDF (*.pdf)"));
    }
    if (file.isEmpty()) {
        return;
    }
    SaveReadingPdfOrSay(Document(), file, messages_, this);
}

}  // namespace namori
