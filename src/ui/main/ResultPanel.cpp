#include "ui/main/ResultPanel.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStringList>
#include <algorithm>

#include "rules/Judgement.h"
#include "ui/common/Controls.h"
#include "ui/common/QtText.h"

namespace namori {

namespace {

// Shows a part's segments, then its characters, then its counts, slot order within each.
// Positions count from 1 here, as the slots do.
void ShowPart(const MainWindowControls& controls, const Judgement& judgement,
              const std::vector<std::pair<int, int>>& slotsAndPositions,
              const std::vector<LineControl*>& segments) {
    for (LineControl* segment : segments) {
        segment->setVisible(true);
    }
    for (const auto& [slot, position] : slotsAndPositions) {
        controls.nameCharacterLabels[slot]->setText(ToQString(judgement.nameChars[position - 1]));
        controls.nameCharacterLabels[slot]->setVisible(true);
    }
    for (const auto& [slot, position] : slotsAndPositions) {
        controls.strokeCountLabels[slot]->setText(
            QString::number(judgement.strokeCounts[position - 1]) + u' ');
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

void FillLuckRow(const std::array<QLabel*, 3>& row, const SpiritTable& table, int value) {
    ShowLuckNumber(row[0], value);
    row[1]->setText(ToQString(table.PhraseOf(value)));
    row[2]->setText(ToQString(table.MarkOf(value)));
}

void ShowFace(const MainWindowControls& controls, int slot, Rating rating) {
    const auto& faces = rating == Rating::Favourable ? controls.favourableFaces
                        : rating == Rating::Middling ? controls.middlingFaces
                                                     : controls.unfavourableFaces;
    faces[slot]->setVisible(true);
}

using LuckRowCells = const std::array<QLabel*, 3>;

std::array<LuckRowCells*, 6> LuckRows(const MainWindowControls& controls) {
    return {nullptr,
            &controls.ancestorLuckCells,
            &controls.mainLuckCells,
            &controls.earlyLuckCells,
            &controls.assistLuckCells,
            &controls.totalLuckCells};
}

std::array<QLabel*, 4> VerdictCells(const MainWindowControls& controls) {
    return {controls.elementDigitsCell, controls.elementVerdictCell, controls.yinYangPatternCell,
            controls.yinYangVerdictCell};
}

// A screen reader meets a row's header first and reads it as the whole row: "主運 18 鉄志成功 ◎".
void NameRowsForScreenReaders(const MainWindowControls& controls) {
    const auto luckRows = LuckRows(controls);
    for (int row = 1; row <= 5; ++row) {
        QStringList words{controls.luckRowHeaders[row]->text()};
        for (const QLabel* cell : *luckRows[row]) {
            words << cell->text();
        }
        controls.luckRowHeaders[row]->setAccessibleName(words.join(u' '));
    }
    const auto verdictCells = VerdictCells(controls);
    for (std::size_t row = 0; row < verdictCells.size(); ++row) {
        QLabel* header = controls.verdictRowHeaders[row];
        header->setAccessibleName(header->text() + u' ' + verdictCells[row]->text());
    }
}

}  // namespace

ResultPanel::ResultPanel(const MainWindowControls& controls) : controls_(controls) {
    const auto luckRows = LuckRows(controls);
    constexpr const char* kCellWords[] = {"の数", "の言葉", "の評価"};
    for (int row = 1; row <= 5; ++row) {
        const QString luck = controls.luckRowHeaders[row]->text();
        controls.luckRowHeaders[row]->setAccessibleDescription(
            luck + QString::fromUtf8("の数、言葉、評価"));
        for (std::size_t cell = 0; cell < 3; ++cell) {
            (*luckRows[row])[cell]->setAccessibleDescription(luck +
                                                             QString::fromUtf8(kCellWords[cell]));
        }
    }
    const auto verdictCells = VerdictCells(controls);
    for (std::size_t row = 0; row < verdictCells.size(); ++row) {
        const QString description =
            controls.verdictRowHeaders[row]->text() + QString::fromUtf8("の判定");
        controls.verdictRowHeaders[row]->setAccessibleDescription(description);
        verdictCells[row]->setAccessibleDescription(description);
    }
}

void ResultPanel::HideFaces() {
    for (int slot = 1; slot <= 3; ++slot) {
        controls_.favourableFaces[slot]->setVisible(false);
        controls_.middlingFaces[slot]->setVisible(false);
        controls_.unfavourableFaces[slot]->setVisible(false);
    }
}

void ResultPanel::ShowDiagramAndLuckTable(const Judgement& judgement, const SpiritTable& table) {
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
    const int s = judgement.surnameLength;
    switch (s) {
        case 1:
            ShowPart(controls, judgement, {{3, 1}}, {controls.surnameLeftLines[0]});
            break;
        case 2:
            ShowPart(controls, judgement, {{2, 1}, {3, 2}},
                     {controls.surnameRightLines[0], controls.surnameLeftLines[1],
                      controls.surnameLeftLines[2]});
            break;
        case 3:
            ShowPart(controls, judgement, {{1, 1}, {2, 2}, {3, 3}},
                     {controls.surnameRightLines[0], controls.surnameRightLines[1],
                      controls.surnameRightLines[2], controls.surnameLeftLines[1],
                      controls.surnameLeftLines[2], controls.surnameLeftLines[3],
                      controls.surnameLeftLines[4]});
            break;
        default:
            break;
    }
    switch (judgement.givenNameLength) {
        case 1:
            ShowPart(controls, judgement, {{4, s + 1}}, {controls.givenNameLeftLines[0]});
            break;
        case 2:
            ShowPart(controls, judgement, {{4, s + 1}, {5, s + 2}},
                     {controls.givenNameRightLines[0], controls.givenNameLeftLines[1],
                      controls.givenNameLeftLines[2]});
            break;
        case 3:
            ShowPart(controls, judgement, {{4, s + 1}, {5, s + 2}, {6, s + 3}},
                     {controls.givenNameRightLines[0], controls.givenNameRightLines[1],
                      controls.givenNameRightLines[2], controls.givenNameLeftLines[1],
                      controls.givenNameLeftLines[2], controls.givenNameLeftLines[3],
                      controls.givenNameLeftLines[4]});
            break;
        default:
            break;
    }

    const std::array<int, 5> luck = LuckValues(judgement);
    const std::array<const std::array<QLabel*, 3>*, 5> rows = {
        &controls.ancestorLuckCells, &controls.mainLuckCells, &controls.earlyLuckCells,
        &controls.assistLuckCells, &controls.totalLuckCells};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        FillLuckRow(*rows[i], table, luck[i]);
    }
}

void ResultPanel::ShowJudgement(const Judgement& judgement, const SpiritTable& table) {
    controls_.elementDigitsCell->setText(ToQString(judgement.elementDigits));
    controls_.elementVerdictCell->setText(ToQString(judgement.elementTriple) + u' ' +
                                          ToQString(judgement.elementVerdict));
    controls_.yinYangPatternCell->setText(ToQString(judgement.yinYangPattern));
    controls_.yinYangVerdictCell->setText(ToQString(judgement.yinYangVerdict));
    ShowDiagramAndLuckTable(judgement, table);

    const std::array<Rating, 3>& faces = judgement.faces;
    for (int slot = 1; slot <= 3; ++slot) {
        ShowFace(controls_, slot, faces[slot - 1]);
    }
    NameRowsForScreenReaders(controls_);
}

}  // namespace namori
