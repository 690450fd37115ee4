#include "ui/main/ResultPanel.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStringList>
#include <algorithm>

#include "rules/Judgement.h"
#include "rules/VerdictWords.h"
#include "ui/common/QtText.h"
#include "ui/main/NameDiagram.h"

namespace namori {

namespace {

// Shows a part's characters from position on (counted from 0), with their counts, in the slots
// from slot on.
void ShowPart(const MainWindowControls& controls, const Judgement& judgement, int slot,
              int position, int length) {
    for (int i = 0; i < length; ++i) {
        QLabel* character = controls.nameCharacterLabels[slot + i];
        character->setText(ToQString(judgement.name.nameChars[position + i]));
        character->setVisible(true);
        QLabel* count = controls.strokeCountLabels[slot + i];
        count->setText(QString::number(judgement.name.strokeCounts[position + i]) + u' ');
        count->setVisible(true);
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

std::array<QLabel*, 4> VerdictCells(const MainWindowControls& controls) {
    return {controls.elementDigitsCell, controls.elementVerdictCell, controls.yinYangPatternCell,
            controls.yinYangVerdictCell};
}

// A screen reader meets a row's header first and reads it as the whole row: "主運 18 鉄志成功 ◎".
void NameRowsForScreenReaders(const MainWindowControls& controls) {
    for (std::size_t row = 0; row < controls.luckCells.size(); ++row) {
        QStringList words{controls.luckRowHeaders[row]->text()};
        for (const QLabel* cell : controls.luckCells[row]) {
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
    constexpr const char* kCellWords[] = {"の数", "の言葉", "の評価"};
    for (std::size_t row = 0; row < controls.luckCells.size(); ++row) {
        const QString luck = controls.luckRowHeaders[row]->text();
        controls.luckRowHeaders[row]->setAccessibleDescription(
            luck + QString::fromUtf8("の数、言葉、評価"));
        for (std::size_t cell = 0; cell < 3; ++cell) {
            controls.luckCells[row][cell]->setAccessibleDescription(
                luck + QString::fromUtf8(kCellWords[cell]));
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
    for (std::size_t slot = 0; slot < controls_.favourableFaces.size(); ++slot) {
        controls_.favourableFaces[slot]->setVisible(false);
        controls_.middlingFaces[slot]->setVisible(false);
        controls_.unfavourableFaces[slot]->setVisible(false);
    }
}

void ResultPanel::ShowDiagramAndLuckTable(const Judgement& judgement, const SpiritTable& table) {
    const MainWindowControls& controls = controls_;
    for (std::size_t slot = 0; slot < controls.nameCharacterLabels.size(); ++slot) {
        controls.nameCharacterLabels[slot]->setVisible(false);
        controls.strokeCountLabels[slot]->setVisible(false);
    }

    // The surname ends at slot 2, the given name starts at slot 3.
    const int s = judgement.name.surnameLength;
    const int g = judgement.name.givenNameLength;
    if (s >= 1 && s <= 3) {
        ShowPart(controls, judgement, 3 - s, 0, s);
    }
    if (g >= 1 && g <= 3) {
        ShowPart(controls, judgement, 3, s, g);
    }
    controls.nameDiagram->ShowShape(s, g);

    const std::array<int, 5> luck = LuckValues(judgement.luck);
    for (std::size_t i = 0; i < luck.size(); ++i) {
        const auto& cells = controls.luckCells[i];
        ShowLuckNumber(cells[0], luck[i]);
        cells[1]->setText(ToQString(table.PhraseOf(luck[i])));
        cells[2]->setText(ToQString(MarkSymbol(table.MarkOf(luck[i]))));
    }
}

void ResultPanel::ShowJudgement(const Judgement& judgement, const SpiritTable& table) {
    const FiveElementResult& elements = judgement.elements;
    controls_.elementDigitsCell->setText(ToQString(elements.elementDigits));
    controls_.elementVerdictCell->setText(
        ToQString(elements.elementTriple) + u' ' +
        ToQString(ByEnum(kElementVerdictWords, elements.elementVerdict)));
    controls_.yinYangPatternCell->setText(ToQString(judgement.yinYang.yinYangPattern));
    controls_.yinYangVerdictCell->setText(
        ToQString(ByEnum(kYinYangVerdictWords, judgement.yinYang.yinYangVerdict)));
    ShowDiagramAndLuckTable(judgement, table);

    const std::array<Rating, 3>& faces = judgement.faces;
    for (std::size_t slot = 0; slot < faces.size(); ++slot) {
        const auto& shown = faces[slot] == Rating::Favourable ? controls_.favourableFaces
                            : faces[slot] == Rating::Middling ? controls_.middlingFaces
                                                              : controls_.unfavourableFaces;
        shown[slot]->setVisible(true);
    }
    NameRowsForScreenReaders(controls_);
}

}  // namespace namori
