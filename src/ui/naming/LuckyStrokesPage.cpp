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

LuckyStrokesPage::LuckyStrokesPage(std::function<std::shared_ptr<const ReferenceTables>()> tables,
                                   MessageBox& messages, std::function<std::u16string()> surname,
                                   std::function<bool()> complement,
                                   std::function<const NameGuide*()> guide, QWidget* parent)
    : QWidget(parent),
      tables_(std::move(tables)),
      messages_(messages),
      surname_(std::move(surname)),
      complement_(std::move(complement)),
      guide_(std::move(guide)) {
    controls_.charactersBox = new QComboBox(this);
    controls_.charactersBox->addItems({QString::fromUtf8("名前１字"), QString::fromUtf8("名前２字"),
                                       QString::fromUtf8("名前３字")});
    controls_.charactersBox->setCurrentIndex(1);
    controls_.showButton = new QPushButton(QString::fromUtf8("吉数を探す"), this);
    controls_.statusLabel = new QLabel(this);
    controls_.table = new QTableWidget(0, 9, this);
    QStringList headers{QString::fromUtf8("順位"), QString::fromUtf8("名前の画数")};
    for (const LuckField& luck : kLuckFields) {
        headers << ToQString(luck.name);
    }
    headers << QString::fromUtf8("漢字の例") << QString::fromUtf8("書き方の数");
    controls_.table->setHorizontalHeaderLabels(headers);
    controls_.table->setSelectionBehavior(QAbstractItemView::SelectRows);
    controls_.table->setSelectionMode(QAbstractItemView::SingleSelection);
    controls_.table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    controls_.table->verticalHeader()->hide();
    controls_.table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    controls_.table->horizontalHeader()->setStretchLastSection(true);
    controls_.kanjiView = new QPlainTextEdit(this);
    controls_.kanjiView->setReadOnly(true);
    controls_.kanjiView->setPlaceholderText(QString::fromUtf8(
        "画数の組み合わせをクリックすると、その画数の漢字（辞書から）をすべて表示します"));
    controls_.kanjiView->setMaximumHeight(150);

    auto* controls = new QHBoxLayout;
    controls->addWidget(controls_.charactersBox);
    controls->addWidget(controls_.showButton);
    controls->addWidget(
        new QLabel(QString::fromUtf8("５運・５行・陰陽がすべて良くなる画数（各字1～30画）"), this));
    controls->addStretch();
    controls->addWidget(controls_.statusLabel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(controls_.table, 1);
    layout->addWidget(controls_.kanjiView);

    connect(controls_.showButton, &QPushButton::clicked, this, &LuckyStrokesPage::ShowPatterns);
    connect(controls_.table, &QTableWidget::currentCellChanged, this,
            [this](int row) { ShowKanjiOf(row); });
}

void LuckyStrokesPage::ShowPatterns() {
    const NameGuide* guide = guide_();
    const std::shared_ptr<const ReferenceTables> tables = tables_();
    const LuckyPatterns found = FindLuckyPatterns(
        *tables, surname_(), controls_.charactersBox->currentIndex() + 1, complement_(), guide);
    if (!found.surnameProblem.ready()) {
        messages_.Show(this, QString::fromUtf8("吉数表"), ToQString(found.surnameProblem.message),
                       MessageBox::Icon::Exclamation);
        return;
    }
    std::array<std::vector<char16_t>, kMaxPatternStrokes + 1> kanjiOf;
    for (int strokes = 1; strokes <= kMaxPatternStrokes; ++strokes) {
        kanjiOf[strokes] = KanjiOfStrokes(tables->dictionary, strokes, guide);
    }
    controls_.table->setRowCount(0);
    controls_.table->setRowCount(static_cast<int>(found.patterns.size()));
    for (int row = 0; row < controls_.table->rowCount(); ++row) {
        const LuckyPattern& pattern = found.patterns[static_cast<std::size_t>(row)];
        QStringList counts;
        QStringList examples;
        QVariantList countValues;
        for (std::int16_t count : pattern.counts) {
            counts << QString::number(count);
            examples << KanjiText(kanjiOf[count], kExamples);
            countValues << count;
        }
        controls_.table->setItem(row, 0, Item(QString::number(row + 1), countValues));
        controls_.table->setItem(row, 1, Item(counts.join(QStringLiteral(","))));
        for (int luck = 0; luck < 5; ++luck) {
            controls_.table->setItem(row, 2 + luck,
                                     Item(QString::number(pattern.luck[luck]) +
                                          ToQString(MarkSymbol(pattern.marks[luck]))));
        }
        controls_.table->setItem(row, 7, Item(examples.join(QStringLiteral(" / "))));
        controls_.table->setItem(row, 8, Item(QString::number(pattern.spellings)));
    }
    controls_.kanjiView->clear();
    controls_.statusLabel->setText(QString::fromUtf8("%1 通り").arg(controls_.table->rowCount()));
}

void LuckyStrokesPage::ShowKanjiOf(int row) {
    const QTableWidgetItem* first = row >= 0 ? controls_.table->item(row, 0) : nullptr;
    if (first == nullptr) {
        return;
    }
    QStringList lines;
    int position = 0;
    for (const QVariant& count : first->data(kCountsRole).toList()) {
        const std::vector<char16_t> kanji =
            KanjiOfStrokes(tables_()->dictionary, count.toInt(), guide_());
        lines << QString::fromUtf8("%1字目 %2画（%3字）: %4")
                     .arg(++position)
                     .arg(count.toInt())
                     .arg(kanji.size())
                     .arg(kanji.empty() ? QString::fromUtf8("辞書にありません")
                                        : KanjiText(kanji, -1));
    }
    controls_.kanjiView->setPlainText(lines.join('\n'));
}

}  // namespace namori
