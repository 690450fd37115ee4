#include "ui/naming/LuckyStrokesPage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/LuckNumbers.h"
#include "analysis/ReferenceTables.h"
#include "naming/LuckyStrokes.h"
#include "ui/common/MessageBox.h"
#include "ui/common/QtText.h"

namespace namori {

namespace {

constexpr int kExamples = 5;
constexpr int kCountsRole = Qt::UserRole;

QString KanjiText(const std::vector<char16_t>& kanji, int most) {
    QString text;
    for (std::size_t i = 0; i < kanji.size() && (most < 0 || static_cast<int>(i) < most); ++i) {
        text += QChar(kanji[i]);
    }
    return text;
}

QTableWidgetItem* Item(const QString& text, const QVariant& sortValue = {}) {
    auto* item = new QTableWidgetItem(text);
    if (sortValue.isValid()) {
        item->setData(kCountsRole, sortValue);
    }
    return item;
}

}  // namespace

LuckyStrokesPage::LuckyStrokesPage(const ReferenceTables& tables, MessageBox& messages,
                                   std::function<std::u16string()> surname,
                                   std::function<bool()> complement,
                                   std::function<const NameGuide*()> guide, QWidget* parent)
    : QWidget(parent),
      tables_(tables),
      messages_(messages),
      surname_(std::move(surname)),
      complement_(std::move(complement)),
      guide_(std::move(guide)) {
    charactersBox = new QComboBox(this);
    charactersBox->addItems({QString::fromUtf8("名前１字"), QString::fromUtf8("名前２字"),
                             QString::fromUtf8("名前３字")});
    charactersBox->setCurrentIndex(1);
    showButton = new QPushButton(QString::fromUtf8("吉数を探す"), this);
    statusLabel = new QLabel(this);
    table = new QTableWidget(0, 9, this);
    QStringList headers{QString::fromUtf8("順位"), QString::fromUtf8("名前の画数")};
    for (const LuckField& luck : kLuckFields) {
        headers << ToQString(luck.name);
    }
    headers << QString::fromUtf8("漢字の例") << QString::fromUtf8("書き方の数");
    table->setHorizontalHeaderLabels(headers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    kanjiView = new QPlainTextEdit(this);
    kanjiView->setReadOnly(true);
    kanjiView->setPlaceholderText(QString::fromUtf8(
        "画数の組み合わせをクリックすると、その画数の漢字（辞書から）をすべて表示します"));
    kanjiView->setMaximumHeight(150);

    auto* controls = new QHBoxLayout;
    controls->addWidget(charactersBox);
    controls->addWidget(showButton);
    controls->addWidget(
        new QLabel(QString::fromUtf8("５運・５行・陰陽がすべて良くなる画数（各字1～30画）"), this));
    controls->addStretch();
    controls->addWidget(statusLabel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(table, 1);
    layout->addWidget(kanjiView);

    connect(showButton, &QPushButton::clicked, this, &LuckyStrokesPage::ShowPatterns);
    connect(table, &QTableWidget::currentCellChanged, this, [this](int row) { ShowKanjiOf(row); });
}

void LuckyStrokesPage::ShowPatterns() {
    const NameGuide* guide = guide_();
    const LuckyPatterns found = FindLuckyPatterns(
        tables_, surname_(), charactersBox->currentIndex() + 1, complement_(), guide);
    if (!found.surnameProblem.ready()) {
        messages_.Show(this, ToQString(found.surnameProblem.message), QString::fromUtf8("吉数表"),
                       MessageBox::Icon::Exclamation);
        return;
    }
    std::array<std::vector<char16_t>, kMaxPatternStrokes + 1> kanjiOf;
    for (int strokes = 1; strokes <= kMaxPatternStrokes; ++strokes) {
        kanjiOf[strokes] = KanjiOfStrokes(tables_.dictionary, strokes, guide);
    }
    table->setRowCount(0);
    table->setRowCount(static_cast<int>(found.patterns.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const LuckyPattern& pattern = found.patterns[static_cast<std::size_t>(row)];
        QStringList counts;
        QStringList examples;
        QVariantList countValues;
        for (std::int16_t count : pattern.counts) {
            counts << QString::number(count);
            examples << KanjiText(kanjiOf[count], kExamples);
            countValues << count;
        }
        table->setItem(row, 0, Item(QString::number(row + 1), countValues));
        table->setItem(row, 1, Item(counts.join(QStringLiteral(","))));
        for (int luck = 0; luck < 5; ++luck) {
            table->setItem(
                row, 2 + luck,
                Item(QString::number(pattern.luck[luck]) + ToQString(pattern.marks[luck])));
        }
        table->setItem(row, 7, Item(examples.join(QStringLiteral(" / "))));
        table->setItem(row, 8, Item(QString::number(pattern.spellings)));
    }
    kanjiView->clear();
    statusLabel->setText(QString::fromUtf8("%1 通り").arg(table->rowCount()));
}

void LuckyStrokesPage::ShowKanjiOf(int row) {
    const QTableWidgetItem* first = row >= 0 ? table->item(row, 0) : nullptr;
    if (first == nullptr) {
        return;
    }
    QStringList lines;
    int position = 0;
    for (const QVariant& count : first->data(kCountsRole).toList()) {
        const std::vector<char16_t> kanji =
            KanjiOfStrokes(tables_.dictionary, count.toInt(), guide_());
        lines << QString::fromUtf8("%1字目 %2画（%3字）: %4")
                     .arg(++position)
                     .arg(count.toInt())
                     .arg(kanji.size())
                     .arg(kanji.empty() ? QString::fromUtf8("辞書にありません")
                                        : KanjiText(kanji, -1));
    }
    kanjiView->setPlainText(lines.join('\n'));
}

}  // namespace namori
