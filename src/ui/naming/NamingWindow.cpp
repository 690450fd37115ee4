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
#include <set>

#include "analysis/NameLookup.h"
#include "analysis/NamePreparation.h"
#include "analysis/ReferenceTables.h"
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
    describe(window.controls().surnameBox, "名字", "候補と組み合わせて判断する名字");
    describe(window.controls().readingBox, "呼び名", "名前の呼び名をひらがなで。Enter で探します");
    describe(window.controls().kanjiBox, "使いたい漢字",
             "名前に入れたい漢字を１字。呼び名も入れると、その呼び名の名前だけを探します");
    describe(window.controls().sexBox, "男女", "候補を男の子・女の子の名前に絞ります");
    describe(window.controls().complementBox, nullptr, "１字の名字・名前に補数を加えて判断します");
    describe(window.controls().searchButton, nullptr,
             "呼び名になる書き方を探して判断し、人気の名前から順に並べます");
    describe(window.controls().favourableOnlyBox, nullptr,
             "５運・５行・陰陽の三つとも良の名前だけを表に残します");
    describe(window.controls().orderBox, "並べ方",
             "自然な順：人気・よくある・自然・まれの順に並べ、その中を運勢の良い順に。"
             "運勢順：運勢の良い順に並べ、その中を自然な順に");
    describe(window.controls().exportButton, nullptr,
             "表に見えている候補をCSVファイルに保存します");
    describe(window.controls().table, "名付け候補",
             "上下キーで選び、Enter かダブルクリックでメイン画面の名前の入力欄に入れます。"
             "☆のクリックか Ctrl+D で候補に加えます");
    describe(window.controls().shortlistButton, nullptr,
             "☆を付けた名前を、画数・５運・三つの判断を並べて比べるページを開きます（Ctrl+B）");
    describe(window.controls().rareBox, nullptr,
             "ほかの名前に読まれやすい表記、かなまじりの表記、主に異性の名前に使われる漢字の"
             "表記、実在の名前にほとんど使われない漢字の組み合わせ（まれ）も後ろに並べます");
    describe(window.controls().tabs, "名付け支援", "呼び名から探すページと吉数表のページ");
    describe(window.controls().tabs->tabBar(), "ページの切り替え",
             "左右キーで「呼び名から探す」と「吉数表」を切り替えます");
    const LuckyStrokesPage& lucky = *window.controls().luckyPage;
    describe(lucky.controls().charactersBox, "名前の文字数", "吉数表を作る名前の文字数（1～3字）");
    describe(lucky.controls().showButton, nullptr,
             "名字と組み合わせて三つの顔がすべて良くなる画数を探します");
    describe(lucky.controls().table, "吉数表",
             "上下キーで画数の組み合わせを選ぶと、その画数の漢字が下に一覧されます");
    describe(lucky.controls().kanjiView, "その画数の漢字",
             "選んだ組み合わせの各字の画数を持つ辞書の漢字");
}

}  // namespace

NamingWindow::NamingWindow(std::shared_ptr<const ReferenceTables> tables, MessageBox& messages,
                           std::vector<std::filesystem::path> assetFolders, QWidget* parent)
    : QWidget(parent, Qt::Window),
      tables_(std::move(tables)),
      messages_(messages),
      assetFolders_(std::move(assetFolders)) {
    setObjectName("frmNaming");
    setWindowTitle(QString::fromUtf8("コルヴィ（名付け支援）"));
    resize(1000, 640);
    RememberGeometry(*this, QStringLiteral("naming"));
    AddCloseKeys(*this);

    controls_.surnameBox = new QLineEdit(this);
    controls_.readingBox = new QLineEdit(this);
    TrackComposition(controls_.surnameBox);
    TrackComposition(controls_.readingBox);
    controls_.readingBox->setPlaceholderText(QString::fromUtf8("ひらがなで（例：はると）"));
    controls_.kanjiBox = new QLineEdit(this);
    TrackComposition(controls_.kanjiBox);
    controls_.kanjiBox->setPlaceholderText(QString::fromUtf8("１字（例：翔）"));
    controls_.kanjiBox->setMaxLength(2);
    controls_.sexBox = new QComboBox(this);
    controls_.sexBox->addItems({QString::fromUtf8("男女どちらも"), QString::fromUtf8("男の子"),
                                QString::fromUtf8("女の子")});
    controls_.complementBox = new QCheckBox(QString::fromUtf8("１字の時の補数を採用"), this);
    controls_.searchButton = new QPushButton(QString::fromUtf8("探す"), this);
    controls_.searchButton->setDefault(true);
    controls_.favourableOnlyBox = new QCheckBox(QString::fromUtf8("三つとも良のみ"), this);
    controls_.rareBox = new QCheckBox(QString::fromUtf8("まれな表記も表示"), this);
    controls_.orderBox = new QComboBox(this);
    controls_.orderBox->addItems({QString::fromUtf8("自然な順"), QString::fromUtf8("運勢順")});
    controls_.exportButton = new QPushButton(QString::fromUtf8("CSVに保存"), this);
    controls_.shortlistButton = new QPushButton(QString::fromUtf8("候補の比較"), this);
    controls_.shortlistButton->setToolTip(
        WithShortcut(QString::fromUtf8("☆を付けた名前を並べて比べるページを開きます"), "Ctrl+B"));
    controls_.statusLabel = new QLabel(this);

    model_ = new CandidateTableModel(this);
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(CandidateTableModel::SortRole);
    proxy_->setFilterRole(CandidateTableModel::AllFavourableRole);
    proxy_->setFilterKeyColumn(0);
    controls_.table = new QTableView(this);
    controls_.table->setModel(proxy_);
    controls_.table->setSortingEnabled(true);
    controls_.table->sortByColumn(CandidateTableModel::kRank, Qt::AscendingOrder);
    controls_.table->setSelectionBehavior(QAbstractItemView::SelectRows);
    controls_.table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    controls_.table->verticalHeader()->hide();
    controls_.table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The star stands first, where a user looks for it.
    controls_.table->horizontalHeader()->moveSection(CandidateTableModel::kShortlisted, 0);
    controls_.table->setColumnHidden(CandidateTableModel::kShortlisted, true);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QString::fromUtf8("名字"), this));
    nameRow->addWidget(controls_.surnameBox);
    nameRow->addWidget(controls_.complementBox);
    nameRow->addStretch();

    auto* candidatesPage = new QWidget(this);
    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(QString::fromUtf8("呼び名"), candidatesPage));
    search->addWidget(controls_.readingBox);
    search->addWidget(new QLabel(QString::fromUtf8("使いたい漢字"), candidatesPage));
    search->addWidget(controls_.kanjiBox);
    search->addWidget(controls_.sexBox);
    search->addWidget(controls_.searchButton);
    search->addStretch();
    auto* options = new QHBoxLayout;
    options->addWidget(controls_.favourableOnlyBox);
    options->addWidget(controls_.rareBox);
    options->addWidget(new QLabel(QString::fromUtf8("並べ方"), candidatesPage));
    options->addWidget(controls_.orderBox);
    options->addStretch();
    options->addWidget(controls_.statusLabel);
    options->addWidget(controls_.exportButton);
    options->addWidget(controls_.shortlistButton);
    auto* candidatesLayout = new QVBoxLayout(candidatesPage);
    candidatesLayout->addLayout(search);
    candidatesLayout->addLayout(options);
    candidatesLayout->addWidget(controls_.table);
    auto* groundsNote =
        new QLabel(QString::fromUtf8(
                       "読みの根拠は漢字辞書（音・訓・名乗り）と熟字訓の辞書に照らした目安で、"
                       "受理されるかどうかを示すものではありません。"
                       "※の読みは、出生届の際に役所から読み方の説明を求められることがあります。"),
                   candidatesPage);
    groundsNote->setWordWrap(true);
    candidatesLayout->addWidget(groundsNote);

    controls_.luckyPage = new LuckyStrokesPage(
        [this] { return tables_; }, messages_,
        [this] { return ReadEntryBox(controls_.surnameBox).toStdU16String(); },
        [this] { return controls_.complementBox->isChecked(); },
        [this]() -> const NameGuide* { return LoadIndexes() ? &*guide_ : nullptr; }, this);
    controls_.tabs = new QTabWidget(this);
    controls_.tabs->addTab(candidatesPage, QString::fromUtf8("呼び名から探す"));
    controls_.tabs->addTab(controls_.luckyPage, QString::fromUtf8("吉数表"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addWidget(controls_.tabs);

    connect(controls_.searchButton, &QPushButton::clicked, this, &NamingWindow::Search);
    connect(controls_.readingBox, &QLineEdit::returnPressed, this, &NamingWindow::Search);
    connect(controls_.kanjiBox, &QLineEdit::returnPressed, this, &NamingWindow::Search);
    connect(controls_.exportButton, &QPushButton::clicked, this, &NamingWindow::ExportCsv);
    const auto searchAgain = [this] {
        if (model_->rowCount() > 0) {
            Search();
        }
    };
    connect(controls_.rareBox, &QCheckBox::toggled, this, searchAgain);
    connect(controls_.orderBox, &QComboBox::currentIndexChanged, this, searchAgain);
    connect(controls_.favourableOnlyBox, &QCheckBox::toggled, this, [this](bool only) {
        proxy_->setFilterFixedString(only ? QStringLiteral("true") : QString());
        ShowRowCount();
    });
    const auto choose = [this](const QModelIndex& index) {
        if (index.isValid()) {
            const NameCandidate& chosen = model_->candidate(proxy_->mapToSource(index).row());
            emit nameChosen(ToQString(chosen.spelling), ToQString(chosen.reading));
        }
    };
    connect(controls_.table, &QTableView::doubleClicked, this, choose);
    connect(controls_.table, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == CandidateTableModel::kShortlisted) {
            ToggleShortlisted(index.row());
        }
    });
    new QShortcut(
        QKeySequence(Qt::CTRL | Qt::Key_D), controls_.table,
        [this] {
            if (controls_.table->currentIndex().isValid()) {
                ToggleShortlisted(controls_.table->currentIndex().row());
            }
        },
        Qt::WidgetShortcut);
    connect(controls_.shortlistButton, &QPushButton::clicked, this,
            &NamingWindow::shortlistRequested);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_B), this), &QShortcut::activated, this,
            &NamingWindow::shortlistRequested);
    // Enter on a row chooses it as a double-click does.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        new QShortcut(
            key, controls_.table, [this, choose] { choose(controls_.table->currentIndex()); },
            Qt::WidgetShortcut);
    }
    DescribeForScreenReaders(*this);
}

bool NamingWindow::LoadIndexes() {
    if (index_ && guide_ && namesByKanji_ && grounds_) {
        return true;
    }
    try {
        index_ = NamingIndex::Open(assetFolders_);
        guide_ = NameGuide::Open(assetFolders_);
        namesByKanji_ = NamesByKanjiIndex::Open(assetFolders_);
        grounds_ = ReadingGroundsIndex::Open(assetFolders_);
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

void NamingWindow::ShowFor(const QString& surname, bool complement) {
    controls_.surnameBox->setText(surname);
    controls_.complementBox->setChecked(complement);
    show();
    raise();
    activateWindow();
    controls_.readingBox->setFocus();
}

void NamingWindow::Search() {
    const std::u16string surname = ReadEntryBox(controls_.surnameBox).toStdU16String();
    const std::u16string reading = ReadEntryBox(controls_.readingBox).trimmed().toStdU16String();
    const NamePreparation check =
        CheckSurname(surname, controls_.complementBox->isChecked(), tables_->dictionary);
    if (!check.ready()) {
        messages_.Show(this, QString::fromUtf8("名付け支援"), ToQString(check.message),
                       MessageBox::Icon::Exclamation);
        return;
    }
    const std::u16string kanji = ReadEntryBox(controls_.kanjiBox).trimmed().toStdU16String();
    const auto refuse = [this](const std::u16string& problem) {
        messages_.Show(this, QString::fromUtf8("名付け支援"), ToQString(problem),
                       MessageBox::Icon::Exclamation);
    };
    // With a kanji the reading may be left empty: any reading of the names holding it.
    if (const auto problem = ReadingProblem(reading);
        problem && (kanji.empty() || !reading.empty())) {
        refuse(*problem);
        return;
    }
    if (!LoadIndexes()) {
        return;
    }
    if (const auto problem = kanji.empty() ? std::nullopt : KanjiProblem(kanji, *guide_)) {
        refuse(*problem);
        return;
    }
    const SexFilter sex = controls_.sexBox->currentIndex() == 1   ? SexFilter::Male
                          : controls_.sexBox->currentIndex() == 2 ? SexFilter::Female
                                                                  : SexFilter::Either;
    try {
        const bool rare = controls_.rareBox->isChecked();
        std::vector<NameCandidate> candidates;
        if (kanji.empty()) {
            candidates = GenerateCandidates(*index_, reading, sex, rare, &*guide_);
            for (NameCandidate& candidate : candidates) {
                candidate.reading = reading;
            }
        } else {
            candidates = GenerateKanjiCandidates(*index_, *namesByKanji_, *guide_,
                                                 {kanji[0], reading, sex, 0, rare});
        }
        std::vector<NameCandidate> ranked = JudgeAndRank(
            *tables_, surname, std::move(candidates), controls_.complementBox->isChecked(),
            reference_,
            controls_.orderBox->currentIndex() == 1 ? RankOrder::Fortune : RankOrder::Natural);
        if (!kanji.empty() && reading.empty()) {
            KeepFirstReadingOfEachSpelling(ranked);
        }
        for (NameCandidate& candidate : ranked) {
            candidate.grounds = GroundReading(*grounds_, candidate.spelling, candidate.reading);
        }
        model_->setCandidates(std::move(ranked));
    } catch (const DataFileError& error) {
        // A malformed line of the index: the index is opened afresh at the next search.
        index_.reset();
        guide_.reset();
        namesByKanji_.reset();
        grounds_.reset();
        messages_.ShowFailure(this, error, QString::fromUtf8("名付け支援"));
        return;
    }
    searchedSurname_ = surname;
    searchedComplement_ = controls_.complementBox->isChecked();
    if (shortlistFolder_) {
        try {
            ShowShortlisted(ReadShortlist(*shortlistFolder_));
        } catch (const DataFileError&) {
            // Said when a star is clicked; the search itself stands.
            model_->setShortlisted({});
        }
    }
    controls_.table->sortByColumn(CandidateTableModel::kRank, Qt::AscendingOrder);
    ShowRowCount();
}

void NamingWindow::setShortlistFolder(std::filesystem::path folder) {
    shortlistFolder_ = std::move(folder);
    controls_.table->setColumnHidden(CandidateTableModel::kShortlisted, false);
}

void NamingWindow::ShowShortlisted(const std::vector<ShortlistEntry>& entries) {
    std::set<std::u16string> spellings;
    for (const ShortlistEntry& entry : entries) {
        if (entry.surname == searchedSurname_ && entry.complement == searchedComplement_) {
            spellings.insert(entry.givenName);
        }
    }
    model_->setShortlisted(std::move(spellings));
}

void NamingWindow::ToggleShortlisted(int shownRow) {
    if (!shortlistFolder_ || shownRow < 0 || shownRow >= proxy_->rowCount()) {
        return;
    }
    const int row = proxy_->mapToSource(proxy_->index(shownRow, 0)).row();
    const NameCandidate& candidate = model_->candidate(row);
    const ShortlistEntry entry{searchedSurname_, candidate.spelling, candidate.reading,
                               searchedComplement_};
    try {
        const ShortlistUpdate update = model_->isShortlisted(row)
                                           ? RemoveFromShortlist(*shortlistFolder_, entry)
                                           : AddToShortlist(*shortlistFolder_, entry);
        ShowShortlisted(update.entries);
    } catch (const std::exception& error) {
        messages_.ShowFailure(this, error, QString::fromUtf8("候補"));
    }
}

int NamingWindow::shownRows() const {
    return proxy_->rowCount();
}

void NamingWindow::ShowRowCount() {
    // The counts shown are those the main window judges with; the other counting is said.
    const QString counting = tables_->counting == StrokeCounting::Traditional
                                 ? QString::fromUtf8("（画数は旧字体）")
                                 : QString();
    controls_.statusLabel->setText(QString::fromUtf8("%1 件").arg(shownRows()) + counting);
}

QString NamingWindow::TableAsCsv() const {
    QString csv;
    QStringList header;
    // The star is a control, not data: it stays out of the file.
    constexpr int kColumns = CandidateTableModel::kShortlisted;
    for (int column = 0; column < kColumns; ++column) {
        header << CsvField(proxy_->headerData(column, Qt::Horizontal).toString());
    }
    csv += header.join(',') + "\r\n";
    for (int row = 0; row < proxy_->rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < kColumns; ++column) {
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
