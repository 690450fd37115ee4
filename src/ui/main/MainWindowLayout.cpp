#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include "rules/VerdictWords.h"
#include "ui/common/Artwork.h"
#include "ui/common/Controls.h"
#include "ui/common/EntryBox.h"
#include "ui/common/Fonts.h"
#include "ui/common/PictureButton.h"
#include "ui/common/QtText.h"
#include "ui/common/Twips.h"
#include "ui/main/MainWindowControls.h"
#include "ui/main/NameDiagram.h"

namespace namori {

namespace {

constexpr FontSpec kWindowFont{};
constexpr FontSpec kGothic9{kGothic, 9};
constexpr FontSpec kGothic11{kGothic, 11.25};
constexpr FontSpec kGothic12{kGothic, 12};
constexpr FontSpec kGothic14{kGothic, 14.25};
constexpr FontSpec kMincho18Bold{kMincho, 18, true};
constexpr FontSpec kMincho36Bold{kMincho, 36, true};

constexpr Qt::Alignment kLeft = Qt::AlignLeft;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight;

constexpr const char* kCell = "#FFFFF0";
constexpr const char* kWhite = "#FFFFFF";
constexpr const char* kBlack = "#000000";
// The legends' row colours, top to bottom.
constexpr const char* kLavender = "#C0C0FF";
constexpr const char* kPaleCyan = "#C0FFFF";
constexpr const char* kPaleGreen = "#C0FFC0";
constexpr const char* kPaleYellow = "#FFFFC0";
constexpr const char* kPaleOrange = "#FFE0C0";

// What a label of the layout tables is to the code that fills it; slot is its place in the array
// of MainWindowControls the role names.
enum class Role {
    None,
    NameCharacter,
    StrokeCount,
    // A cell of a luck row; the rows in kLuckFields' order.
    AncestorLuck,
    MainLuck,
    EarlyLuck,
    AssistLuck,
    TotalLuck,
    LuckRowHeader,
    ElementDigits,
    ElementVerdict,
    YinYangPattern,
    YinYangVerdict,
    // Heads a verdict row, and clears the surname list on a double-click as its array does.
    VerdictRowHeader,
    SurnameClearing,
    // Shows its caption one character a line.
    NarrowHeader,
};

struct PlacedLabel {
    LabelRow label;
    Role role = Role::None;
    int slot = 0;
};

struct ButtonRow {
    const char* name;
    int left, top, width, height;
    const char* caption;
    const char* tooltip;
    const char* artwork;
};

// The five picture buttons along the top, left to right.
constexpr ButtonRow kButtons[] = {
    {"cmdKaishi3", 5175, 75, 840, 990, "占う", "姓名判断を行います", "kaishi"},
    {"cmdPrint", 6000, 75, 840, 990, "印刷", "画面イメージで印刷します", "print"},
    {"cmdHelp", 6825, 75, 840, 990, "ヘルプ", "ヘルプファイルを開きます", "help"},
    {"cmdShoukai", 7650, 75, 840, 990, "名付け", "名付け・命名支援ソフトの紹介", "shoukai"},
    {"cmdOwari", 8475, 75, 840, 990, "終了", "プログラムを終了します", "owari"},
};

// The result frame's labels: luck table, verdict cells, row headers, diagram and grid letters.
// The stroke counts (lblKaku) start 30 twips right of where the layout draws them and are 30
// wider: in the IPA fonts the characters beside them and the digits are wider, and a two-digit
// count would touch the character or lose its blank.
// clang-format off
constexpr PlacedLabel kResultLabels[] = {
    {{"lblUnkaku2", 1, 2325, 1200, 330, 315, "祖", kGothic14, nullptr, "#0000FF", kCentre, false}},
    {{"lblGogyo_uv", -1, 4050, 3525, 1770, 330, "", kGothic12, kCell, "#404040", kCentre, true}, Role::ElementDigits},
    {{"lblIny_d", -1, 4050, 4425, 1770, 330, "○●○●○●", kGothic12, kCell, "#404040", kCentre, true}, Role::YinYangPattern},
    {{"lblIny_c", -1, 4050, 4800, 1770, 330, "幸運陰陽", kGothic12, kCell, "#404040", kCentre, true}, Role::YinYangVerdict},
    {{"lblGogyo_u", -1, 4050, 3900, 1770, 330, "", kGothic12, kCell, "#404040", kCentre, true}, Role::ElementVerdict},
    {{"Label1", 0, 2850, 3525, 1170, 330, "祖-主-初", kGothic12, "#000080", kWhite, kCentre, true}, Role::VerdictRowHeader, 0},
    {{"Label1", 1, 2850, 3900, 1170, 330, "五行", kGothic12, "#008080", kWhite, kCentre, true}, Role::VerdictRowHeader, 1},
    {{"Label1", 2, 2850, 4425, 1170, 330, "陰陽", kGothic12, "#800000", kWhite, kCentre, true}, Role::VerdictRowHeader, 2},
    {{"Label1", 3, 2850, 4800, 1170, 330, "運", kGothic12, "#808000", kWhite, kCentre, true}, Role::VerdictRowHeader, 3},
    {{"lblSou", 0, 3600, 3000, 420, 330, "48", kGothic12, kCell, kBlack, kCentre, true}, Role::TotalLuck, 0},
    {{"lblSou", 1, 4050, 3000, 1260, 330, "英知有徳", kGothic12, kCell, kBlack, kCentre, true}, Role::TotalLuck, 1},
    {{"lblSou", 2, 5325, 3000, 480, 330, "◎", kGothic12, kCell, kBlack, kCentre, true}, Role::TotalLuck, 2},
    {{"lblJyo", 0, 3600, 2625, 420, 330, "", kGothic12, kCell, kBlack, kCentre, true}, Role::AssistLuck, 0},
    {{"lblJyo", 1, 4050, 2625, 1260, 330, "", kGothic12, kCell, kBlack, kCentre, true}, Role::AssistLuck, 1},
    {{"lblJyo", 2, 5325, 2625, 480, 330, "", kGothic12, kCell, kBlack, kCentre, true}, Role::AssistLuck, 2},
    {{"lblSyo", 0, 3600, 2250, 420, 330, "", kGothic12, kCell, kBlack, kCentre, true}, Role::EarlyLuck, 0},
    {{"lblSyo", 1, 4050, 2250, 1260, 330, "", kGothic12, kCell, kBlack, kCentre, true}, Role::EarlyLuck, 1},
    {{"lblSyo", 2, 5325, 2250, 480, 330, "", kGothic12, kCell, kBlack, kCentre, true}, Role::EarlyLuck, 2},
    {{"lblSyu", 0, 3600, 1875, 420, 330, "", kGothic12, kCell, kBlack, kCentre, true}, Role::MainLuck, 0},
    {{"lblSyu", 1, 4050, 1875, 1260, 330, "", kGothic12, kCell, kBlack, kCentre, true}, Role::MainLuck, 1},
    {{"lblSyu", 2, 5325, 1875, 480, 330, "", kGothic12, kCell, kBlack, kCentre, true}, Role::MainLuck, 2},
    {{"lblSo", 0, 3600, 1500, 420, 330, "", kGothic12, kCell, kBlack, kCentre, true}, Role::AncestorLuck, 0},
    {{"lblSo", 1, 4050, 1500, 1260, 330, "", kGothic12, kCell, kBlack, kCentre, true}, Role::AncestorLuck, 1},
    {{"lblSo", 2, 5325, 1500, 480, 330, "", kGothic12, kCell, kBlack, kCentre, true}, Role::AncestorLuck, 2},
    {{"lblUnkaku1", 1, 2850, 1500, 720, 330, "祖運", kGothic12, "#C0C0FF", "#0000FF", kCentre, true}, Role::LuckRowHeader, 0},
    {{"lblUnkaku1", 2, 2850, 1875, 705, 330, "主運", kGothic12, "#C0FFFF", "#008080", kCentre, true}, Role::LuckRowHeader, 1},
    {{"lblUnkaku1", 3, 2850, 2250, 705, 330, "初運", kGothic12, "#C0FFC0", "#008000", kCentre, true}, Role::LuckRowHeader, 2},
    {{"lblUnkaku1", 4, 2850, 2625, 720, 330, "助運", kGothic12, "#FFC0FF", "#800080", kCentre, true}, Role::LuckRowHeader, 3},
    {{"lblUnkaku1", 5, 2850, 3000, 705, 330, "総運", kGothic12, "#FFC0C0", "#800000", kCentre, true}, Role::LuckRowHeader, 4},
    {{"lblKaku", 1, 1455, 525, 390, 360, "17", kGothic12, nullptr, kBlack, kRight, false}, Role::StrokeCount, 0},
    {{"lblKaku", 2, 1455, 1200, 390, 360, "25", kGothic12, nullptr, kBlack, kRight, false}, Role::StrokeCount, 1},
    {{"lblKaku", 3, 1455, 1875, 390, 360, "25", kGothic12, nullptr, kBlack, kRight, false}, Role::StrokeCount, 2},
    {{"lblKaku", 4, 1455, 2850, 390, 360, "25", kGothic12, nullptr, kBlack, kRight, false}, Role::StrokeCount, 3},
    {{"lblKaku", 5, 1455, 3600, 390, 360, "25", kGothic12, nullptr, kBlack, kRight, false}, Role::StrokeCount, 4},
    {{"lblKaku", 6, 1455, 4350, 390, 360, "25", kGothic12, nullptr, kBlack, kRight, false}, Role::StrokeCount, 5},
    {{"lblKan", 1, 675, 300, 765, 765, "海", kMincho36Bold, nullptr, kBlack, kCentre, false}, Role::NameCharacter, 0},
    {{"lblKan", 2, 675, 1005, 765, 765, "老", kMincho36Bold, nullptr, kBlack, kCentre, false}, Role::NameCharacter, 1},
    {{"lblKan", 3, 675, 1725, 765, 765, "原", kMincho36Bold, nullptr, kBlack, kCentre, false}, Role::NameCharacter, 2},
    {{"lblKan", 4, 675, 2700, 765, 765, "恭", kMincho36Bold, nullptr, kBlack, kCentre, false}, Role::NameCharacter, 3},
    {{"lblKan", 5, 675, 3450, 765, 765, "四", kMincho36Bold, nullptr, kBlack, kCentre, false}, Role::NameCharacter, 4},
    {{"lblKan", 6, 675, 4200, 765, 765, "朗", kMincho36Bold, nullptr, kBlack, kCentre, false}, Role::NameCharacter, 5},
    {{"lblUnkaku2", 4, 75, 2625, 330, 360, "助", kGothic14, nullptr, "#800080", kCentre, false}},
    {{"lblUnkaku2", 2, 2325, 2400, 330, 330, "主", kGothic14, nullptr, "#008080", kCentre, false}},
    {{"lblUnkaku2", 3, 2325, 3675, 330, 360, "初", kGothic14, nullptr, "#008000", kCentre, false}},
    {{"lblUnkaku2", 5, 2325, 4800, 330, 285, "総", kGothic12, nullptr, "#800000", kCentre, false}},
};

struct LineRow {
    const char* name;
    int index;
    int x1, y1, x2, y2;
};

// The explanation panel's three legend tables, each headed down its left side.
constexpr PlacedLabel kLegendHeaders[] = {
    {{"Label3", 0, 150, 300, 315, 1470, "五運の種類", kGothic12, "#000080", kWhite, kCentre, true}, Role::NarrowHeader},
    {{"Label3", 1, 150, 2025, 315, 1470, "五行の種類", kGothic12, "#000080", kWhite, kCentre, true}, Role::NarrowHeader},
    {{"Label3", 2, 150, 3750, 315, 1470, "陰陽の種類", kGothic12, "#000080", kWhite, kCentre, true}, Role::NarrowHeader},
};

// Each legend's five kinds in their row colours, each with what makes it, then the worked
// example 白鳥 杏奈.
constexpr PlacedLabel kExplanationLabels[] = {
    {{"lblUnkaku1", 9, 450, 300, 645, 270, "祖運", kWindowFont, kLavender, nullptr, kCentre, true}},
    {{"lblUnkaku1", 8, 450, 600, 645, 270, "主運", kWindowFont, kPaleCyan, nullptr, kCentre, true}},
    {{"lblUnkaku1", 7, 450, 900, 645, 270, "初運", kWindowFont, kPaleGreen, nullptr, kCentre, true}},
    {{"lblUnkaku1", 6, 450, 1200, 645, 270, "助運", kWindowFont, kPaleYellow, nullptr, kCentre, true}},
    {{"lblUnkaku1", 0, 450, 1500, 645, 270, "総運", kWindowFont, kPaleOrange, nullptr, kCentre, true}},
    {{"Label4", 15, 1125, 300, 1845, 270, " 名字の合計", kWindowFont, kCell, nullptr, kLeft, true}},
    {{"Label4", 16, 1125, 600, 1845, 270, " 名字下と名前上", kWindowFont, kCell, nullptr, kLeft, true}},
    {{"Label4", 17, 1125, 900, 1845, 270, " 名前の合計", kWindowFont, kCell, nullptr, kLeft, true}},
    {{"Label4", 18, 1125, 1200, 1845, 270, " 総運から主運を引く", kWindowFont, kCell, nullptr, kLeft, true}},
    {{"Label4", 19, 1125, 1500, 1845, 270, " 氏名の合計", kWindowFont, kCell, nullptr, kLeft, true}},
    {{"Label4", 0, 450, 2025, 645, 270, "木性", kWindowFont, kLavender, nullptr, kCentre, true}},
    {{"Label4", 1, 450, 2325, 645, 270, "火性", kWindowFont, kPaleCyan, nullptr, kCentre, true}},
    {{"Label4", 2, 450, 2625, 645, 270, "土性", kWindowFont, kPaleGreen, nullptr, kCentre, true}},
    {{"Label4", 3, 450, 2925, 645, 270, "金性", kWindowFont, kPaleYellow, nullptr, kCentre, true}},
    {{"Label4", 4, 450, 3225, 645, 270, "水性", kWindowFont, kPaleOrange, nullptr, kCentre, true}},
    {{"Label4", 5, 1125, 2025, 1845, 270, " 末尾が １ ～ ２", kWindowFont, kCell, nullptr, kLeft, true}},
    {{"Label4", 6, 1125, 2325, 1845, 270, " 末尾が ３ ～ ４", kWindowFont, kCell, nullptr, kLeft, true}},
    {{"Label4", 7, 1125, 2625, 1845, 270, " 末尾が ５ ～ ６", kWindowFont, kCell, nullptr, kLeft, true}},
    {{"Label4", 8, 1125, 2925, 1845, 270, " 末尾が ７ ～ ８", kWindowFont, kCell, nullptr, kLeft, true}},
    {{"Label4", 9, 1125, 3225, 1845, 270, " 末尾が ９ ～ ０", kWindowFont, kCell, nullptr, kLeft, true}},
    {{"Label4", 24, 450, 3750, 645, 270, "単一", kWindowFont, kLavender, nullptr, kCentre, true}},
    {{"Label4", 23, 450, 4050, 645, 270, "分離", kWindowFont, kPaleCyan, nullptr, kCentre, true}},
    {{"Label4", 22, 450, 4350, 645, 270, "挟み", kWindowFont, kPaleGreen, nullptr, kCentre, true}},
    {{"Label4", 21, 450, 4650, 645, 270, "浮沈", kWindowFont, kPaleYellow, nullptr, kCentre, true}},
    {{"Label4", 20, 450, 4950, 645, 270, "災難", kWindowFont, kPaleOrange, nullptr, kCentre, true}},
    {{"Label4", 25, 1125, 3750, 4700, 270, " 奇数のみとか偶数のみの組み合わせ", kWindowFont, kCell, nullptr, kLeft, true}},
    {{"Label4", 26, 1125, 4050, 4700, 270, " 奇数と偶数が上下二つに別れる組み合わせ", kWindowFont, kCell, nullptr, kLeft, true}},
    {{"Label4", 27, 1125, 4350, 4700, 270, " 上下に奇数、中間に偶数、またその反対の組み合わせ", kWindowFont, kCell, nullptr, kLeft, true}},
    {{"Label4", 28, 1125, 4650, 4700, 255, " 偶偶奇偶偶奇とか奇奇偶奇奇偶のような組み合わせ", kWindowFont, kCell, nullptr, kLeft, true}},
    {{"Label4", 29, 1125, 4950, 4700, 270, " 奇数、偶数にかたよりすぎる組み合わせ", kWindowFont, kCell, nullptr, kLeft, true}},
    {{"lblUnkaku", 0, 3225, 225, 1845, 315, "２字姓２字名の例", kGothic11, nullptr, kBlack, kLeft, false}},
    {{"Label1", 16, 4065, 600, 375, 375, "白", kMincho18Bold, nullptr, "#000080", kLeft, false}, Role::SurnameClearing},
    {{"Label1", 15, 4065, 1050, 375, 375, "鳥", kMincho18Bold, nullptr, "#000080", kLeft, false}, Role::SurnameClearing},
    {{"Label1", 14, 4065, 1680, 375, 375, "杏", kMincho18Bold, nullptr, "#000080", kLeft, false}, Role::SurnameClearing},
    {{"Label1", 13, 4065, 2145, 375, 375, "奈", kMincho18Bold, nullptr, "#000080", kLeft, false}, Role::SurnameClearing},
    {{"Label1", 8, 4515, 690, 255, 255, "5", kGothic12, nullptr, nullptr, kRight, false}, Role::SurnameClearing},
    {{"Label1", 9, 4515, 1140, 300, 255, "11", kGothic12, nullptr, nullptr, kRight, false}, Role::SurnameClearing},
    {{"Label1", 10, 4515, 1815, 255, 255, "7", kGothic12, nullptr, nullptr, kRight, false}, Role::SurnameClearing},
    {{"Label1", 11, 4425, 2265, 330, 255, "8", kGothic12, nullptr, nullptr, kRight, false}, Role::SurnameClearing},
    {{"lblUnkaku", 1, 5145, 915, 645, 315, "祖運", kGothic12, nullptr, "#0000FF", kLeft, false}},
    {{"lblUnkaku", 2, 5145, 1455, 600, 330, "主運 ", kGothic12, nullptr, "#008080", kLeft, false}},
    {{"lblUnkaku", 3, 5145, 2040, 615, 330, "初運", kGothic12, nullptr, "#008000", kLeft, false}},
    {{"lblUnkaku", 4, 3150, 1425, 615, 255, "助運", kGothic12, nullptr, "#800080", kRight, false}},
    {{"lblUnkaku", 5, 5145, 2550, 615, 255, "総運", kGothic12, nullptr, "#800000", kLeft, false}},
    {{"lblSamp", 0, 3825, 3000, 2010, 255, "五行　：　土・金・土", kGothic11, nullptr, nullptr, kLeft, false}},
    {{"lblSamp", 1, 3825, 3300, 2010, 255, "陰陽　：　○○○●", kGothic11, nullptr, nullptr, kLeft, false}},
};
// clang-format on

constexpr LineRow kExplanationLines[] = {
    {"Line3", 0, 3840, 825, 3975, 825},   {"Line2", 3, 3825, 825, 3825, 2400},
    {"Line3", 3, 3840, 2400, 3990, 2400}, {"Line4", 0, 4920, 840, 5040, 840},
    {"Line5", 0, 5040, 840, 5040, 1230},  {"Line6", 0, 4920, 1230, 5055, 1230},
    {"Line4", 2, 4920, 1320, 5040, 1320}, {"Line5", 2, 5040, 1320, 5040, 1890},
    {"Line6", 2, 4920, 1890, 5040, 1890}, {"Line4", 3, 4920, 1965, 5040, 1965},
    {"Line5", 3, 5040, 1965, 5040, 2400}, {"Line6", 3, 4920, 2400, 5040, 2400},
};

QFrame* AddFrame(QWidget* container, const char* name, int left, int top, int width, int height) {
    auto* frame = new QFrame(container);
    frame->setObjectName(QString::fromUtf8(name));
    frame->setGeometry(TwipsRect(left, top, width, height));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);  // the etched border of a plain frame
    return frame;
}

QLabel* AddPicture(QWidget* container, const char* name, int index, int left, int top, int width,
                   int height, const QPixmap& pixmap) {
    auto* picture = new QLabel(container);
    picture->setObjectName(ControlName(name, index));
    picture->setGeometry(TwipsRect(left, top, width, height));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(pixmap);
    return picture;
}

// The member of controls a label of the given role fills, if any.
QLabel** Member(MainWindowControls& controls, Role role, int slot) {
    switch (role) {
        case Role::NameCharacter:
            return &controls.nameCharacterLabels.at(slot);
        case Role::StrokeCount:
            return &controls.strokeCountLabels.at(slot);
        case Role::AncestorLuck:
        case Role::MainLuck:
        case Role::EarlyLuck:
        case Role::AssistLuck:
        case Role::TotalLuck: {
            const int row = static_cast<int>(role) - static_cast<int>(Role::AncestorLuck);
            return &controls.luckCells.at(row).at(slot);
        }
        case Role::LuckRowHeader:
            return &controls.luckRowHeaders.at(slot);
        case Role::VerdictRowHeader:
            return &controls.verdictRowHeaders.at(slot);
        case Role::ElementDigits:
            return &controls.elementDigitsCell;
        case Role::ElementVerdict:
            return &controls.elementVerdictCell;
        case Role::YinYangPattern:
            return &controls.yinYangPatternCell;
        case Role::YinYangVerdict:
            return &controls.yinYangVerdictCell;
        default:
            return nullptr;
    }
}

template <std::size_t N>
void AddLabels(QWidget* container, const PlacedLabel (&rows)[N], MainWindowControls& controls) {
    for (const PlacedLabel& row : rows) {
        QLabel* label = AddLabel(container, row.label);
        if (QLabel** member = Member(controls, row.role, row.slot)) {
            *member = label;
        }
        if (row.role == Role::VerdictRowHeader || row.role == Role::SurnameClearing) {
            controls.surnameClearingLabels.push_back(label);
        }
        if (row.role == Role::NarrowHeader) {
            label->setWordWrap(true);
        }
    }
}

template <std::size_t N>
void AddLines(QWidget* container, const LineRow (&rows)[N]) {
    for (const LineRow& row : rows) {
        new LineControl(container, row.name, row.index, row.x1, row.y1, row.x2, row.y2);
    }
}

void BuildButtons(QWidget* window, MainWindowControls& controls) {
    QToolButton** targets[] = {&controls.judgeButton, &controls.printButton, &controls.helpButton,
                               &controls.introductionButton, &controls.exitButton};
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        const ButtonRow& row = kButtons[i];
        auto* button = new PictureButton(window);
        button->setObjectName(QString::fromUtf8(row.name));
        button->setGeometry(TwipsRect(row.left, row.top, row.width, row.height));
        button->setText(QString::fromUtf8(row.caption));
        button->setToolTip(QString::fromUtf8(row.tooltip));
        button->setFont(LayoutFont(kGothic, 9));
        button->setIcon(ArtworkIcon(QString::fromLatin1(row.artwork), {32}));
        button->setIconSize({32, 32});
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        *targets[i] = button;
    }
}

void BuildEntryFrame(MainWindowControls& controls) {
    QFrame* frame = controls.entryFrame;
    // The box's tooltip is its accessible description.
    const auto addBox = [frame](const char* name, int left, const char* spokenName) {
        auto* box = new QLineEdit(frame);
        box->setObjectName(QString::fromUtf8(name));
        box->setAccessibleName(QString::fromUtf8(spokenName));
        box->setGeometry(TwipsRect(left, 675, 1415, 420));
        box->setToolTip(QString::fromUtf8("Ｅｎｔｅｒでリストに追加"));
        box->setFont(LayoutFont(kGothic, 14.25));
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xC0));
        box->setPalette(palette);
        TrackComposition(box);
        return box;
    };
    const auto addList = [frame](const char* name, int left, int width, const char* spokenName,
                                 const char* keys) {
        auto* list = new QListWidget(frame);
        list->setObjectName(QString::fromUtf8(name));
        list->setAccessibleName(QString::fromUtf8(spokenName));
        list->setAccessibleDescription(QString::fromUtf8(keys));
        // 16 pixels shorter than the frame allows (eleven rows still fit): the row below holds the
        // counting option, beside the complement option that also changes how a name is counted.
        list->setGeometry(TwipsRect(left, 1125, width, 3525));
        list->setFont(LayoutFont(kGothic, 14.25));
        QPalette palette = list->palette();
        palette.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xF0));
        list->setPalette(palette);
        return list;
    };
    controls.complementCheckBox = new QCheckBox(QString::fromUtf8("１字の時の補数を採用"), frame);
    controls.complementCheckBox->setObjectName("chkHosuu");
    controls.complementCheckBox->setGeometry(TwipsRect(225, 4950, 2790, 240));
    controls.complementCheckBox->setToolTip(QString::fromUtf8("補数の概念を切り替えます"));
    controls.complementCheckBox->setFont(LayoutFont(kGothic, 11.25));
    controls.traditionalCountingCheckBox =
        new QCheckBox(QString::fromUtf8("旧字体の画数で数える"), frame);
    controls.traditionalCountingCheckBox->setObjectName("chkKyuuji");
    controls.traditionalCountingCheckBox->setGeometry(TwipsRect(225, 4680, 2790, 240));
    controls.traditionalCountingCheckBox->setToolTip(
        QString::fromUtf8("旧字体の字形で、部首は元の字（氵は水の4画など）の画数で数えます。"
                          "外すと新字体で数えます"));
    controls.traditionalCountingCheckBox->setFont(LayoutFont(kGothic, 11.25));
    controls.surnameEdit = addBox("txtMyouji2", 150, "名字の入力欄");
    controls.surnameList = addList(
        "lstMyouji", 150, 1410, "名字リスト",
        "上下キーで選び Enter で名字の入力欄へ。Delete キーで削除、Shift＋Delete で全て削除");
    controls.givenNameList = addList(
        "lstNamae", 1590, 1415, "名前リスト",
        "上下キーで選び Enter で名前の入力欄へ。Delete キーで削除、Shift＋Delete で全て削除");
    controls.givenNameEdit = addBox("txtNamae", 1590, "名前の入力欄");
    controls.surnameHeader = AddLabel(frame, {"lblMyo", -1, 150, 300, 1410, 390, "名字", kGothic14,
                                              "#8080FF", kWhite, kCentre, true});
    controls.givenNameHeader = AddLabel(frame, {"lblNa", -1, 1590, 300, 1410, 390, "名前",
                                                kGothic14, "#FF80FF", kWhite, kCentre, true});
}

void BuildResultFrame(MainWindowControls& controls) {
    QFrame* frame = controls.resultFrame;
    controls.facesFrame = AddFrame(frame, "Frame5", 2850, 150, 2940, 1215);
    // Wider than drawn (75..2865 instead of 225..2715), around the same centre: the caption's
    // full-width blanks are wider in the IPA fonts and would clip its first and last letters.
    AddLabel(controls.facesFrame, {"Label2", -1, 75, 225, 2790, 315, "５運　　 　５行　　　陰陽",
                                   kGothic11, nullptr, nullptr, kCentre, false});
    static constexpr int kSlotLeft[] = {300, 1200, 2100};
    const QPixmap laughing = ArtworkPixmap("wara", {32, 32});
    const QPixmap smiling = ArtworkPixmap("niko", {32, 32});
    const QPixmap sad = ArtworkPixmap("kana", {32, 32});
    const auto addFace = [&controls](const char* name, int slot, const QPixmap& face,
                                     const char* words) {
        QLabel* picture =
            AddPicture(controls.facesFrame, name, slot + 1, kSlotLeft[slot], 525, 480, 480, face);
        picture->setAccessibleName(ToQString(kFaceNames[slot]) + QString::fromUtf8(words));
        return picture;
    };
    for (int slot = 0; slot < 3; ++slot) {
        controls.favourableFaces[slot] = addFace("imgwara", slot, laughing, " 笑顔（良）");
        controls.middlingFaces[slot] = addFace("imgniko", slot, smiling, " にっこり顔（中）");
        controls.unfavourableFaces[slot] = addFace("imgkana", slot, sad, " 悲しい顔（悪）");
    }
    AddLabels(frame, kResultLabels, controls);
    controls.nameDiagram = new NameDiagram(frame);
}

void BuildExplanationPanel(MainWindowControls& controls) {
    QFrame* frame = controls.explanationPanel;
    AddLabels(frame, kLegendHeaders, controls);
    AddLabels(frame, kExplanationLabels, controls);
    AddPicture(frame, "Image2", -1, 5250, 225, 480, 480, ArtworkPixmap("image2", {32, 32}));
    AddLines(frame, kExplanationLines);
}

void SetTabOrder(const MainWindowControls& controls) {
    // Lowest tab index first: 占う, ヘルプ, 終了, the given-name box and list, the surname list and
    // box, the counting and complement options, 印刷, 名付け.
    QWidget* order[] = {controls.judgeButton,        controls.helpButton,
                        controls.exitButton,         controls.givenNameEdit,
                        controls.givenNameList,      controls.surnameList,
                        controls.surnameEdit,        controls.traditionalCountingCheckBox,
                        controls.complementCheckBox, controls.printButton,
                        controls.introductionButton};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
    for (QWidget* frame :
         {static_cast<QWidget*>(controls.entryFrame), static_cast<QWidget*>(controls.resultFrame),
          static_cast<QWidget*>(controls.explanationPanel)}) {
        frame->setFocusPolicy(Qt::NoFocus);
    }
}

}  // namespace

void BuildMainWindow(QWidget* window, MainWindowControls& controls) {
    window->setFixedSize(Px(9405), Px(6720));
    window->setFont(LayoutFont(kGothic, 9.75));

    BuildButtons(window, controls);
    controls.titlePicture =
        AddPicture(window, "Image1", -1, 300, 150, 4470, 945, ArtworkPixmap("title", {298, 63}));
    controls.titlePicture->setAccessibleName(QString::fromUtf8("ナモリ"));
    new LineControl(window, "Line1", 1, 150, 1215, 9300, 1215, Qt::white);
    new LineControl(window, "Line1", 0, 150, 1200, 9300, 1200);

    controls.entryFrame = AddFrame(window, "fraHandan", 75, 1275, 3165, 5340);
    controls.entryFrame->setFont(LayoutFont(kGothic, 11.25));
    BuildEntryFrame(controls);

    // The explanation panel is made after the result frame, so that it lies on top of it.
    controls.resultFrame = AddFrame(window, "fraList", 3375, 1275, 5940, 5340);
    controls.resultFrame->setFont(LayoutFont(kGothic, 11.25));
    BuildResultFrame(controls);
    controls.explanationPanel = AddFrame(window, "fraMidashi", 3375, 1275, 5940, 5340);
    controls.explanationPanel->setAutoFillBackground(true);
    // Hidden as well as covered, so that a screen reader does not read the placeholder captions.
    controls.resultFrame->setVisible(false);
    BuildExplanationPanel(controls);

    SetTabOrder(controls);
}

}  // namespace namori
