#pragma once

#include <array>
#include <map>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;
class QWidget;

namespace namori {

class LineControl;

// The controls of the main window by their names. Control arrays are indexed as in the layout
// (index 0 unused where the array starts at 1); Label1, Label4 and lblUnkaku1 have gaps.
struct MainWindowControls {
    QToolButton* cmdKaishi3 = nullptr;
    QToolButton* cmdPrint = nullptr;
    QToolButton* cmdHelp = nullptr;
    QToolButton* cmdShoukai = nullptr;
    QToolButton* cmdOwari = nullptr;
    QLabel* Image1 = nullptr;
    QFrame* fraHandan = nullptr;
    QFrame* fraList = nullptr;
    QFrame* fraMidashi = nullptr;
    QFrame* Frame5 = nullptr;

    // Entry frame.
    QCheckBox* chkHosuu = nullptr;
    QLineEdit* txtMyouji2 = nullptr;
    QLineEdit* txtNamae = nullptr;
    QListWidget* lstMyouji = nullptr;
    QListWidget* lstNamae = nullptr;
    QLabel* lblMyo = nullptr;
    QLabel* lblNa = nullptr;

    // Result frame: the name diagram.
    std::array<QLabel*, 7> lblKan{};
    std::array<QLabel*, 7> lblKaku{};
    std::array<LineControl*, 3> linMyo1{};
    std::array<LineControl*, 5> linMyo2{};
    std::array<LineControl*, 3> linNam1{};
    std::array<LineControl*, 5> linNam2{};

    // Result frame: the luck table, cells 0 (number), 1 (phrase), 2 (mark).
    std::array<QLabel*, 3> lblSo{};
    std::array<QLabel*, 3> lblSyu{};
    std::array<QLabel*, 3> lblSyo{};
    std::array<QLabel*, 3> lblJyo{};
    std::array<QLabel*, 3> lblSou{};

    // Result frame: the verdict cells and the faces (slots 1..3).
    QLabel* lblGogyo_uv = nullptr;
    QLabel* lblGogyo_u = nullptr;
    QLabel* lblIny_d = nullptr;
    QLabel* lblIny_c = nullptr;
    std::array<QLabel*, 4> imgwara{};
    std::array<QLabel*, 4> imgniko{};
    std::array<QLabel*, 4> imgkana{};

    // Labels of the control arrays that span the result frame and the explanation panel.
    std::map<int, QLabel*> Label1;
    std::map<int, QLabel*> Label4;
    std::map<int, QLabel*> lblUnkaku1;
};

// Builds every control of the main window onto window, whose client area it sizes.
void BuildMainWindow(QWidget* window, MainWindowControls& controls);

}  // namespace namori
