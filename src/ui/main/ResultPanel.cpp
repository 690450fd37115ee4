#include "ui/main/ResultPanel.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

#include "analysis/Judgement.h"
#include "analysis/JudgementStore.h"
#include "rules/Ratings.h"
#include "ui/common/Controls.h"
#include "ui/main/MainWindowControls.h"

namespace namori {

namespace {

QString Text(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Shows a part's segments, then its characters, then its counts, slot order within each.
void ShowPart(const MainWindowControls& controls, const JudgementStore& store,
              const std::vector<std::pair<int, int>>& slotsAndPositions,
              const std::vector<LineControl*>& segments) {
    for (LineControl* segment : segments) {
        segment->setVisible(true);
    }
    for (const auto& [slot, position] : slotsAndPositions) {
        controls.lblKan[slot]->setText(Text(store.nameChars[position]));
        controls.lblKan[slot]->setVisible(true);
    }
    for (const auto& [slot, position] : slotsAndPositions) {
        controls.lblKaku[slot]->setText(QString::number(store.strokeCounts[position]) + u' ');
        controls.lblKaku[slot]->setVisible(true);
    }
}

// The number cell is drawn for two digits. A number of three (a 総運 of 100 or more) is set in
// the same font, condensed until it fits, so that it shows in full in the same cell.
void ShowLuckNumber(QLabel* cell, int value) {
    const QString text = QString::number(value);
    QFont font = cell->font();
    font.setStretch(QFont::Unstretched);
    const int width = QFontMetrics(font).horizontalAdvance(text);
    const int room = cell->contentsRect().width();
    if (width > room) {
        font.setStretch(std::max(50, 100 * room / width));
    }
    cell->setFont(font);
    cell->setText(text);
}

void FillLuckRow(const std::array<QLabel*, 3>& row, const JudgementStore& store, int value) {
    ShowLuckNumber(row[0], value);
    row[1]->setText(Text(store.spiritTable.PhraseOf(value)));
    row[2]->setText(Text(store.spiritTable.MarkOf(value)));
}

void ShowFace(const MainWindowControls& controls, int slot, Rating rating) {
    const auto& faces = rating == Rating::Favourable ? controls.imgwara
                        : rating == Rating::Middling ? controls.imgniko
                                                     : controls.imgkana;
    faces[slot]->setVisible(true);
}

std::u16string_view Caption(const QLabel* label, std::u16string& buffer) {
    buffer = label->text().toStdU16String();
    return buffer;
}

}  // namespace

void ShowResultPanel(const MainWindowControls& controls, const JudgementStore& store) {
    for (int i = 0; i <= 2; ++i) {
        controls.linMyo1[i]->setVisible(false);
        controls.linNam1[i]->setVisible(false);
    }
    for (int j = 0; j <= 4; ++j) {
        controls.linMyo2[j]->setVisible(false);
        controls.linNam2[j]->setVisible(false);
    }
    for (int k = 1; k <= 6; ++k) {
        controls.lblKan[k]->setVisible(false);
        controls.lblKaku[k]->setVisible(false);
    }

    // The surname fills slots 1..3 from the bottom, the given name slots 4..6 from the top.
    const int s = store.surnameLength;
    switch (s) {
        case 1:
            ShowPart(controls, store, {{3, 1}}, {controls.linMyo2[0]});
            break;
        case 2:
            ShowPart(controls, store, {{2, 1}, {3, 2}},
                     {controls.linMyo1[0], controls.linMyo2[1], controls.linMyo2[2]});
            break;
        case 3:
            ShowPart(
                controls, store, {{1, 1}, {2, 2}, {3, 3}},
                {controls.linMyo1[0], controls.linMyo1[1], controls.linMyo1[2], controls.linMyo2[1],
                 controls.linMyo2[2], controls.linMyo2[3], controls.linMyo2[4]});
            break;
        default:
            break;
    }
    switch (store.givenNameLength) {
        case 1:
            ShowPart(controls, store, {{4, s + 1}}, {controls.linNam2[0]});
            break;
        case 2:
            ShowPart(controls, store, {{4, s + 1}, {5, s + 2}},
                     {controls.linNam1[0], controls.linNam2[1], controls.linNam2[2]});
            break;
        case 3:
            ShowPart(
                controls, store, {{4, s + 1}, {5, s + 2}, {6, s + 3}},
                {controls.linNam1[0], controls.linNam1[1], controls.linNam1[2], controls.linNam2[1],
                 controls.linNam2[2], controls.linNam2[3], controls.linNam2[4]});
            break;
        default:
            break;
    }

    FillLuckRow(controls.lblSo, store, store.ancestorLuck);
    FillLuckRow(controls.lblSyu, store, store.mainLuck);
    FillLuckRow(controls.lblSyo, store, store.earlyLuck);
    FillLuckRow(controls.lblJyo, store, store.assistLuck);
    FillLuckRow(controls.lblSou, store, store.totalLuck);
}

void ShowVerdictSummary(const MainWindowControls& controls, const JudgementStore& store) {
    controls.lblGogyo_uv->setText(Text(store.elementDigits));
    controls.lblGogyo_u->setText(Text(store.elementTriple) + u' ' + Text(store.elementVerdict));
    controls.lblIny_d->setText(Text(store.yinYangPattern));
    controls.lblIny_c->setText(Text(store.yinYangVerdict));
    ShowResultPanel(controls, store);

    // The luck rating reads the marks back as the luck table shows them.
    std::array<std::u16string, 4> buffers;
    const Rating luck = RateLuckMarks(
        {Caption(controls.lblSyu[2], buffers[0]), Caption(controls.lblSyo[2], buffers[1]),
         Caption(controls.lblJyo[2], buffers[2]), Caption(controls.lblSou[2], buffers[3])});
    ShowFace(controls, 1, luck);
    ShowFace(controls, 2, RateFiveElements(store.elementVerdict));
    ShowFace(controls, 3, RateYinYang(store.yinYangVerdict));
}

void RunJudgement(const MainWindowControls& controls, JudgementStore& store) {
    RunJudgement(store);
    ShowVerdictSummary(controls, store);
}

}  // namespace namori
