#include "ui/naming/NamingWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/NamePreparation.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/FileWriting.h"
#include "naming/NameCandidates.h"
#include "ui/common/EntryBox.h"
#include "ui/common/MessageBox.h"
#include "ui/common/QtText.h"
#include "ui/common/WindowHabits.h"
#include "ui/naming/CandidateTableModel.h"
#include "ui/naming/LuckyStrokesPage.h"

namespace namori {

namespace {

QString CsvField(QString text) {
    if (text.contains(',') || text.contains('"') || text.contains('\n')) {
        text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        return '"' + text + '"';
    }
    return text;
}

// Accessible names and descriptions of the controls a user works with.
void DescribeForScreenReaders(const NamingWindow& window) {
    const auto describe = [](QWidget* control, const char* name, const char* description) {
        if (name != nullptr) {
            control->setAccessibleName(QString::fromUtf8(name));
        }
        control->setAccessibleDescription(QString::fromUtf8(description));
    };
    describe(window.surnameBox, "名字", "候補と組み合わせて判断する名字");
    describe(window.readingBox, "呼び名", "名前の呼び名をひらがなで。Enter で探します");
    describe(window.sexBox, "男女", "候補を男の子・女の子の名前に絞ります");
    describe(window.complementBox, nullptr, "１字の名字・名前に補数を加えて判断します");
    describe(window.searchButton, nullptr,
             "呼び名になる書き方を探して判断し、人気の名前から順に並べます");
    describe(window.favourableOnlyBox, nullptr,
             "５運・５行・陰陽の三つとも良の名前だけを表に残します");
    describe(window.orderBox, "並べ方",
             "自然な順：人気・よくある・自然・まれの順に並べ、その中を運勢の良い順に。"
             "運勢順：運勢の良い順に並べ、その中を自然な順に");
    describe(window.exportButton, nullptr, "表に見えている候補をCSVファイルに保存します");
    describe(window.table, "名付け候補",
             "上下キーで選び、Enter かダブルクリックでメイン画面の名前の入力欄に入れます");
    describe(window.rareBox, nullptr,
             "実在の名前にほとんど使われない漢字の組み合わせ（まれ）も後ろに並べます");
    describe(window.tabs, "名付け支援", "呼び名から探すページと吉数表のページ");
    describe(window.tabs->tabBar(), "ページの切り替え",
             "左右キーで「呼び名から探す」と「吉数表」を切り替えます");
    const LuckyStrokesPage& lucky = *window.luckyPage;
    describe(lucky.charactersBox, "名前の文字数", "吉数表を作る名前の文字数（1～3字）");
    describe(lucky.showButton, nullptr, "名字と組み合わせて三つの顔がすべて良くなる画数を探します");
    describe(lucky.table, "吉数表",
             "上下キーで画数の組み合わせを選ぶと、その画数の漢字が下に一覧されます");
    describe(lucky.kanjiView, "その画数の漢字", "選んだ組み合わせの各字の画数を持つ辞書の漢字");
}

}  // namespace

NamingWindow::NamingWindow(const JudgementStore& judgementStore, MessageBox& messages,
                           std::vector<std::filesystem::path> assetFolders, QWidget* parent)
    : QWidget(parent, Qt::Window),
      store_(judgementStore),
      messages_(messages),
      assetFolders_(std::move(assetFolders)) {
    setObjectName("frmNaming");
    setWindowTitle(QString::fromUtf8("コルヴィ（名付け支援）"));
    resize(1000, 640);
    RememberGeometry(*this, QStringLiteral("naming"));
    AddCloseKeys(*this);

    surnameBox = new QLineEdit(this);
    readingBox = new QLineEdit(this);
    TrackComposition(surnameBox);
    TrackComposition(readingBox);
    readingBox->setPlaceholderText(QString::fromUtf8("ひらがなで（例：はると）"));
    sexBox = new QComboBox(this);
    sexBox->addItems({QString::fromUtf8("男女どちらも"), QString::fromUtf8("男の子"),
                      QString::fromUtf8("女の子")});
    complementBox = new QCheckBox(QString::fromUtf8("１字の時の補数を採用"), this);
    searchButton = new QPushButton(QString::fromUtf8("探す"), this);
    searchButton->setDefault(true);
    favourableOnlyBox = new QCheckBox(QString::fromUtf8("三つとも良のみ"), this);
    rareBox = new QCheckBox(QString::fromUtf8("まれな組み合わせも表示"), this);
    orderBox = new QComboBox(this);
    orderBox->addItems({QString::fromUtf8("自然な順"), QString::fromUtf8("運勢順")});
    exportButton = new QPushButton(QString::fromUtf8("CSVに保存"), this);
    statusLabel = new QLabel(this);

    model_ = new CandidateTableModel(this);
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(CandidateTableModel::SortRole);
    proxy_->setFilterRole(CandidateTableModel::AllFavourableRole);
    proxy_->setFilterKeyColumn(0);
    table = new QTableView(this);
    table->setModel(proxy_);
    table->setSortingEnabled(true);
    table->sortByColumn(CandidateTableModel::kRank, Qt::AscendingOrder);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QString::fromUtf8("名字"), this));
    nameRow->addWidget(surnameBox);
    nameRow->addWidget(complementBox);
    nameRow->addStretch();

    auto* candidatesPage = new QWidget(this);
    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(QString::fromUtf8("呼び名"), candidatesPage));
    search->addWidget(readingBox);
    search->addWidget(sexBox);
    search->addWidget(searchButton);
    search->addStretch();
    auto* options = new QHBoxLayout;
    options->addWidget(favourableOnlyBox);
    options->addWidget(rareBox);
    options->addWidget(new QLabel(QString::fromUtf8("並べ方"), candidatesPage));
    options->addWidget(orderBox);
    options->addStretch();
    options->addWidget(statusLabel);
    options->addWidget(exportButton);
    auto* candidatesLayout = new QVBoxLayout(candidatesPage);
    candidatesLayout->addLayout(search);
    candidatesLayout->addLayout(options);
    candidatesLayout->addWidget(table);

    luckyPage = new LuckyStrokesPage(
        store_, messages_, [this] { return ReadEntryBox(surnameBox).toStdU16String(); },
        [this] { return complementBox->isChecked(); },
        [this]() -> const NameGuide* { return LoadIndexes() ? &*guide_ : nullptr; }, this);
    tabs = new QTabWidget(this);
    tabs->addTab(candidatesPage, QString::fromUtf8("呼び名から探す"));
    tabs->addTab(luckyPage, QString::fromUtf8("吉数表"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addWidget(tabs);

    connect(searchButton, &QPushButton::clicked, this, &NamingWindow::Search);
    connect(readingBox, &QLineEdit::returnPressed, this, &NamingWindow::Search);
    connect(exportButton, &QPushButton::clicked, this, &NamingWindow::ExportCsv);
    const auto searchAgain = [this] {
        if (model_->rowCount() > 0) {
            Search();
        }
    };
    connect(rareBox, &QCheckBox::toggled, this, searchAgain);
    connect(orderBox, &QComboBox::currentIndexChanged, this, searchAgain);
    connect(favourableOnlyBox, &QCheckBox::toggled, this, [this](bool only) {
        proxy_->setFilterFixedString(only ? QStringLiteral("true") : QString());
        statusLabel->setText(QString::fromUtf8("%1 件").arg(shownRows()));
    });
    const auto choose = [this](const QModelIndex& index) {
        if (index.isValid()) {
            emit nameChosen(
                ToQString(model_->candidate(proxy_->mapToSource(index).row()).spelling));
        }
    };
    connect(table, &QTableView::doubleClicked, this, choose);
    // Enter on a row chooses it as a double-click does.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        new QShortcut(
            key, table, [this, choose] { choose(table->currentIndex()); }, Qt::WidgetShortcut);
    }
    DescribeForScreenReaders(*this);
}

bool NamingWindow::LoadIndexes() {
    if (index_ && guide_) {
        return true;
    }
    try {
        index_ = NamingIndex::Open(FolderHolding(assetFolders_, kRealNamesFile));
        guide_ = NameGuide::Open(assetFolders_);
    } catch (const DataFileError& error) {
        messages_.ShowFailure(this, error, QString::fromUtf8("名付け支援"));
        return false;
    }
    if (!referenceRead_) {
        reference_ = ReadStrokeReference(FolderHolding(assetFolders_, kStrokeReferenceFile));
        referenceRead_ = true;
    }
    return true;
}

void NamingWindow::Search() {
    const std::u16string surname = ReadEntryBox(surnameBox).toStdU16String();
    const std::u16string reading = ReadEntryBox(readingBox).trimmed().toStdU16String();
    const NamePreparation check = CheckName(surname, u"名");
    if (!check.ready()) {
        messages_.Show(this, ToQString(check.message), QString::fromUtf8("名付け支援"),
                       MessageBox::Icon::Exclamation);
        return;
    }
    if (const auto problem = ReadingProblem(reading)) {
        messages_.Show(this, ToQString(*problem), QString::fromUtf8("名付け支援"),
                       MessageBox::Icon::Exclamation);
        return;
    }
    if (!LoadIndexes()) {
        return;
    }
    const SexFilter sex = sexBox->currentIndex() == 1   ? SexFilter::Male
                          : sexBox->currentIndex() == 2 ? SexFilter::Female
                                                        : SexFilter::Either;
    try {
        model_->setCandidates(
            JudgeAndRank(store_, surname,
                         GenerateCandidates(*index_, reading, sex, rareBox->isChecked(), &*guide_),
                         complementBox->isChecked(), reference_,
                         orderBox->currentIndex() == 1 ? RankOrder::Fortune : RankOrder::Natural));
    } catch (const DataFileError& error) {
        // A malformed line of the index: the index is opened afresh at the next search.
        index_.reset();
        guide_.reset();
        messages_.ShowFailure(this, error, QString::fromUtf8("名付け支援"));
        return;
    }
    table->sortByColumn(CandidateTableModel::kRank, Qt::AscendingOrder);
    statusLabel->setText(QString::fromUtf8("%1 件").arg(shownRows()));
}

int NamingWindow::shownRows() const {
    return proxy_->rowCount();
}

QString NamingWindow::TableAsCsv() const {
    QString csv;
    QStringList header;
    for (int column = 0; column < proxy_->columnCount(); ++column) {
        header << CsvField(proxy_->headerData(column, Qt::Horizontal).toString());
    }
    csv += header.join(',') + "\r\n";
    for (int row = 0; row < proxy_->rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < proxy_->columnCount(); ++column) {
            fields << CsvField(proxy_->index(row, column).data().toString());
        }
        csv += fields.join(',') + "\r\n";
    }
    return csv;
}

void NamingWindow::ExportCsv() {
    const QString file = csvFileChooser_
                             ? csvFileChooser_()
                             : QFileDialog::getSaveFileName(this, QString::fromUtf8("CSVに保存"),
                                                            QString::fromUtf8("名付け候補.csv"),
                                                            QStringLiteral("CSV (*.csv)"));
    if (file.isEmpty()) {
        return;
    }
    // UTF-8 with a byte-order mark, which spreadsheet programs take as UTF-8.
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + TableAsCsv().toUtf8();
    try {
        RewriteFileAtomically(
            file.toStdString(),
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
            QFileInfo(file).fileName().toStdString());
    } catch (const FileWriteError& error) {
        messages_.ShowFailure(this, error, QString::fromUtf8("名付け支援"));
    }
}

}  // namespace namori
