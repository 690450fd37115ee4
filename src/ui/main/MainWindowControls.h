#pragma once

#include <array>
#include <vector>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;
class QWidget;

namespace namori {

class NameDiagram;

// The controls of the main window that its code works with, each array indexed from 0.
struct MainWindowControls {
    QToolButton* judgeButton = nullptr;
    QToolButton* printButton = nullptr;
    QToolButton* helpButton = nullptr;
    QToolButton* introductionButton = nullptr;
    QToolButton* exitButton = nullptr;
    QLabel* titlePicture = nullptr;
    QFrame* entryFrame = nullptr;
    QFrame* resultFrame = nullptr;
    QFrame* explanationPanel = nullptr;
    QFrame* facesFrame = nullptr;

    // Entry frame.
    QCheckBox* complementCheckBox = nullptr;
    // Ticked: strokes are counted the traditional way (old forms, radicals as their source
    // characters); clear: as the dictionary counts the forms of today.
    QCheckBox* traditionalCountingCheckBox = nullptr;
    QLineEdit* surnameEdit = nullptr;
    QLineEdit* givenNameEdit = nullptr;
    QListWidget* surnameList = nullptr;
    QListWidget* givenNameList = nullptr;
    QLabel* surnameHeader = nullptr;
    QLabel* givenNameHeader = nullptr;

    // Result frame: the name diagram, slots top to bottom; the surname ends at slot 2, the given
    // name starts at slot 3.
    std::array<QLabel*, 6> nameCharacterLabels{};
    std::array<QLabel*, 6> strokeCountLabels{};
    NameDiagram* nameDiagram = nullptr;

    // Result frame: the luck table, rows 祖運 to 総運 (kLuckFields' order), cells 0 (number),
    // 1 (phrase), 2 (mark).
    std::array<std::array<QLabel*, 3>, 5> luckCells{};
    // The row headers 祖運..総運; each is read aloud as its whole row.
    std::array<QLabel*, 5> luckRowHeaders{};

    // Result frame: the verdict cells and the faces (slots 5運, 5行, 陰陽).
    QLabel* elementDigitsCell = nullptr;
    QLabel* elementVerdictCell = nullptr;
    QLabel* yinYangPatternCell = nullptr;
    QLabel* yinYangVerdictCell = nullptr;
    // The headers of the four verdict rows, top to bottom; each is read aloud as its whole row.
    std::array<QLabel*, 4> verdictRowHeaders{};
    std::array<QLabel*, 3> favourableFaces{};
    std::array<QLabel*, 3> middlingFaces{};
    std::array<QLabel*, 3> unfavourableFaces{};

    // The labels of one control array that spans the result frame and the explanation panel; a
    // double-click on any of them empties the surname list, as on the surname header.
    std::vector<QLabel*> surnameClearingLabels;
};

// Builds every control of the main window onto window, whose client area it sizes.
void BuildMainWindow(QWidget* window, MainWindowControls& controls);

}  // namespace namori
