#include "ui/main/ResultPanel.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

#include "analysis/JudgementStore.h"
#include "rules/Ratings.h"
#include "ui/common/Controls.h"
#include "ui/common/QtText.h"

namespace namori {

namespace {

// Shows a part's segments, then its characters, then its counts, slot order within each.
void ShowPart(const MainWindowControls& controls, const JudgementStore& store,
              const std::vector<std::pair<int, int>>& slotsAndPositions,
              const std::vector<LineControl*>& segments) {
    for (LineControl* segment : segments) {
        segment->setVisible(true);
    }
    for (const auto& [slot, position] : slotsAndPositions) {
        controls.nameCharacterLabels[slot]->setText(ToQString(store.nameChars[position]));
        controls.nameCharacterLabels[slot]->setVisible(true);
    }
    for (const auto& [slot, position] : slotsAndPositions) {
        controls.strokeCountLabels[slot]->setText(QString::number(store.strokeCounts[position]) +
                                                  u' ');
        controls.strokeCountLabels[slot]->setVisible(true);
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
    row[1]->setText(ToQString(store.spiritTable.PhraseOf(value)));
    row[2]->setText(ToQString(store.spiritTable.MarkOf(value)));
}

void ShowFace(const MainWindowControls& controls, int slot, Rating rating) {
    const auto& faces = rating == Rating::Favourable ? controls.favourableFaces
                        : rating == Rating::Middling ? controls.middlingFaces
                                                     : controls.unfavourableFaces;
    faces[slot]->setVisible(true);
}

}  // namespace

ResultPanel::ResultPanel(const MainWindowControls& controls) : controls_(controls) {}

void ResultPanel::HideFaces() {
    for (int slot = 1; slot <= 3; ++slot) {
        controls_.favourableFaces[slot]->setVisible(false);
        controls_.middlingFaces[slot]->setVisible(false);
        controls_.unfavourableFaces[slot]->setVisible(false);
    }
}

void ResultPanel::ShowDiagramAndLuckTable(const JudgementStore& store) {
    const MainWindowControls& controls = controls_;
    for (int i = 0; i <= 2; ++i) {
        controls.surnameRightLines[i]->setVisible(false);
        controls.givenNameRightLines[i]->setVisible(false);
    }
    for (int j = 0; j <= 4; ++j) {
        controls.surnameLeftLines[j]->setVisible(false);
        controls.givenNameLeftLines[j]->setVisible(false);
    }
    for (int k = 1; k <= 6; ++k) {
        controls.nameCharacterLabels[k]->setVisible(false);
        controls.strokeCountLabels[k]->setVisible(false);
    }

    // The surname fills slots 1..3 from the bottom, the given name slots 4..6 from the top.
    const int s = store.surnameLength;
    switch (s) {
        case 1:
            ShowPart(controls, store, {{3, 1}}, {controls.surnameLeftLines[0]});
            break;
        case 2:
            ShowPart(controls, store, {{2, 1}, {3, 2}},
                     {controls.surnameRightLines[0], controls.surnameLeftLines[1],
                      controls.surnameLeftLines[2]});
            break;
        case 3:
            ShowPart(controls, store, {{1, 1}, {2, 2}, {3, 3}},
                     {controls.surnameRightLines[0], controls.surnameRightLines[1],
                      controls.surnameRightLines[2], controls.surnameLeftLines[1],
                      controls.surnameLeftLines[2], controls.surnameLeftLines[3],
                      controls.surnameLeftLines[4]});
            break;
        default:
            break;
    }
    switch (store.givenNameLength) {
        case 1:
            ShowPart(controls, store, {{4, s + 1}}, {controls.givenNameLeftLines[0]});
            break;
        case 2:
            ShowPart(controls, store, {{4, s + 1}, {5, s + 2}},
                     {controls.givenNameRightLines[0], controls.givenNameLeftLines[1],
                      controls.givenNameLeftLines[2]});
            break;
        case 3:
            ShowPart(controls, store, {{4, s + 1}, {5, s + 2}, {6, s + 3}},
                     {controls.givenNameRightLines[0], controls.givenNameRightLines[1],
                      controls.givenNameRightLines[2], controls.givenNameLeftLines[1],
                      controls.givenNameLeftLines[2], controls.givenNameLeftLines[3],
                      controls.givenNameLeftLines[4]});
            break;
        default:
            break;
    }

    FillLuckRow(controls.ancestorLuckCells, store, store.ancestorLuck);
    FillLuckRow(controls.mainLuckCells, store, store.mainLuck);
    FillLuckRow(controls.earlyLuckCells, store, store.earlyLuck);
    FillLuckRow(controls.assistLuckCells, store, store.assistLuck);
    FillLuckRow(controls.totalLuckCells, store, store.totalLuck);
}

void ResultPanel::ShowJudgement(const JudgementStore& store) {
    controls_.elementDigitsCell->setText(ToQString(store.elementDigits));
    controls_.elementVerdictCell->setText(ToQString(store.elementTriple) + u' ' +
                                          ToQString(store.elementVerdict));
    controls_.yinYangPatternCell->setText(ToQString(store.yinYangPattern));
    controls_.yinYangVerdictCell->setText(ToQString(store.yinYangVerdict));
    ShowDiagramAndLuckTable(store);

    const std::array<Rating, 3> faces = RateJudgement(store);
    for (int slot = 1; slot <= 3; ++slot) {
        ShowFace(controls_, slot, faces[slot - 1]);
    }
}

}  // namespace namori
