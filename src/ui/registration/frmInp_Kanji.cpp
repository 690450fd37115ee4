#include "ui/registration/frmInp_Kanji.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "analysis/JudgementStore.h"
#include "data/KanjiRegistration.h"
#include "ui/common/Artwork.h"
#include "ui/common/Controls.h"
#include "ui/common/EntryBox.h"
#include "ui/common/Fonts.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PictureButton.h"
#include "ui/common/Twips.h"

namespace namori {

namespace {

constexpr FontSpec kFont{kGothic, 11.25};
constexpr int kRowTop[] = {0, 720, 1080, 1440};

QString Text(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QLineEdit* AddBox(QWidget* container, const char* name, int index, int left, int top, int width,
                  int height) {
    auto* box = new QLineEdit(container);
    box->setObjectName(ControlName(name, index));
    box->setGeometry(TwipsRect(left, top, width, height));
    TrackComposition(box);
    return box;
}

QToolButton* AddButton(QWidget* container, const char* name, const char* caption,
                       const char* tooltip, const char* artwork) {
    auto* button = new PictureButton(container);
    button->setObjectName(QString::fromUtf8(name));
    button->setText(QString::fromUtf8(caption));
    button->setToolTip(QString::fromUtf8(tooltip));
    button->setIcon(ArtworkIcon(QString::fromLatin1(artwork), {32}));
    button->setIconSize({32, 32});
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    return button;
}

}  // namespace

frmInp_Kanji::frmInp_Kanji(JudgementStore& store, MessageBox& messages,
                           std::filesystem::path dataFolder, const StrokeReference& reference,
                           QWidget* parent)
    : QDialog(parent),
      store_(store),
      messages_(messages),
      dataFolder_(std::move(dataFolder)),
      reference_(reference) {
    Build();
    Form_Load();
}

void frmInp_Kanji::Build() {
    setObjectName("frmInp_Kanji");
    setWindowTitle(QString::fromUtf8("臨時漢字入力"));
    setFixedSize(Px(5175), Px(3405));
    setFont(LayoutFont(kGothic, 11.25));

    auto* shape = new QFrame(this);
    shape->setObjectName("Shape1");
    shape->setGeometry(TwipsRect(150, 150, 4890, 1065));
    shape->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* icon = new QLabel(this);
    icon->setObjectName("Image1");
    icon->setGeometry(TwipsRect(300, 225, 480, 480));
    icon->setPixmap(ArtworkPixmap("touroku", {32, 32}));
    AddLabel(this, {"Label2", 0, 900, 450, 3795, 240, "初期の漢字i辞書に登録されてません。", kFont,
                    nullptr, "#FF0000", Qt::AlignLeft, false});
    AddLabel(this, {"Label2", 1, 900, 750, 4260, 240, "画数を入力して保存ボタンを押して下さい。",
                    kFont, nullptr, "#000000", Qt::AlignLeft, false});

    auto* frame = new QFrame(this);
    frame->setObjectName("Frame1");
    frame->setGeometry(TwipsRect(150, 1275, 4890, 2055));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    AddLabel(frame, {"Label3", 0, 450, 375, 720, 330, "漢字", kFont, "#0000C0", "#FFFFFF",
                     Qt::AlignHCenter, true});
    AddLabel(frame, {"Label3", 2, 1215, 375, 765, 330, "画数", kFont, "#0000C0", "#FFFFFF",
                     Qt::AlignHCenter, true});
    constexpr const char* kRowNumbers[] = {"", "1", "2", "3"};
    for (int row = 1; row <= 3; ++row) {
        AddLabel(frame, {"Label1", row - 1, 180, kRowTop[row] + 45, 240, 240, kRowNumbers[row],
                         kFont, nullptr, nullptr, Qt::AlignHCenter, false});
        txtKanji[row] = AddBox(frame, "txtKanji", row, 450, kRowTop[row], 720, 330);
        txtKakusu[row] = AddBox(frame, "txtKakusu", row, 1215, kRowTop[row], 765, 330);
        // Stroke counts are digits: no input method.
        txtKakusu[row]->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText);
        txtKakusu[row]->installEventFilter(this);
        connect(txtKanji[row], &QLineEdit::textChanged, this, [this, row] { ShowSuggestion(row); });
    }
    cmdHozon = AddButton(frame, "cmdHozon", "保存", "辞書に登録します", "hozon");
    cmdHozon->setGeometry(TwipsRect(2325, 825, 915, 915));
    cmdYame = AddButton(frame, "cmdYame", "戻る", "戻ります", "yame");
    cmdYame->setGeometry(TwipsRect(3600, 825, 915, 915));
    // The suggestion stands apart from the boxes, right of the column heads above the buttons,
    // so that it is never taken for a typed count.
    cmdSankou = new QToolButton(frame);
    cmdSankou->setObjectName("cmdSankou");
    cmdSankou->setGeometry(TwipsRect(2025, 375, 2790, 330));
    cmdSankou->setFont(LayoutFont(kGothic, 9));
    cmdSankou->setAutoRaise(true);
    QPalette link = cmdSankou->palette();
    link.setColor(QPalette::ButtonText, link.color(QPalette::Link));  // reads as clickable
    cmdSankou->setPalette(link);
    cmdSankou->setFocusPolicy(Qt::NoFocus);
    cmdSankou->setToolTip(QString::fromUtf8("参考表の画数です。クリックすると画数の欄に入ります"));
    cmdSankou->setVisible(false);
    connect(cmdSankou, &QToolButton::clicked, this, [this] { TakeSuggestion(suggestionRow_); });
    connect(cmdHozon, &QToolButton::clicked, this, &frmInp_Kanji::cmdHozon_Click);
    connect(cmdYame, &QToolButton::clicked, this, &frmInp_Kanji::cmdYame_Click);

    QWidget* order[] = {txtKakusu[1], txtKakusu[2], txtKakusu[3], cmdHozon,
                        cmdYame,      txtKanji[3],  txtKanji[1],  txtKanji[2]};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
    txtKakusu[1]->setFocus();
}

void frmInp_Kanji::Form_Load() {
    for (int row = 1; row <= 3; ++row) {
        txtKanji[row]->setText(Text(store_.unregisteredChars[row]));
    }
}

void frmInp_Kanji::ShowSuggestion(int row) {
    const QString kanji = txtKanji[row]->text();
    suggestions_[row].clear();
    if (kanji.size() == 1) {
        const auto found = reference_.find(kanji.front().unicode());
        if (found != reference_.end()) {
            suggestions_[row] = QString::number(found->second);
        }
    }
    if (row != suggestionRow_) {
        return;
    }
    cmdSankou->setText(QString::fromUtf8("参考：%1 %2画（スペースで入力）")
                           .arg(txtKanji[row]->text(), suggestions_[row]));
    cmdSankou->setVisible(!suggestions_[row].isEmpty());
}

void frmInp_Kanji::TakeSuggestion(int row) {
    if (!suggestions_[row].isEmpty()) {
        txtKakusu[row]->setText(suggestions_[row]);
    }
}

void frmInp_Kanji::MoveOn(int row) {
    // The rows after this one first, then those before it.
    for (int step = 1; step <= 2; ++step) {
        const int next = (row - 1 + step) % 3 + 1;
        if (!txtKanji[next]->text().isEmpty() && txtKakusu[next]->text().isEmpty()) {
            txtKakusu[next]->setFocus();
            return;
        }
    }
    cmdHozon->setFocus();
}

int frmInp_Kanji::RowOfStrokeBox(const QObject* box) const {
    for (int row = 1; row <= 3; ++row) {
        if (box == txtKakusu[row]) {
            return row;
        }
    }
    return 0;
}

bool frmInp_Kanji::eventFilter(QObject* watched, QEvent* event) {
    const int row = RowOfStrokeBox(watched);
    if (row == 0) {
        return QDialog::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusIn) {
        suggestionRow_ = row;
        ShowSuggestion(row);
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            MoveOn(row);
            return true;
        }
        if (key == Qt::Key_Space && !suggestions_[row].isEmpty()) {
            TakeSuggestion(row);
            return true;
        }
    }
    return false;
}

void frmInp_Kanji::cmdYame_Click() {
    close();
}

void frmInp_Kanji::cmdHozon_Click() {
    // What is still being typed counts, in the characters the dictionary file gives back.
    for (int row = 1; row <= 3; ++row) {
        ReadEntryBox(txtKanji[row]);
        ReadEntryBox(txtKakusu[row]);
    }
    for (int row = 1; row <= 3; ++row) {
        if (txtKakusu[row]->text().isEmpty() && !txtKanji[row]->text().isEmpty()) {
            messages_.Show(this, QString::fromUtf8("画数が抜けています"),
                           QString::fromUtf8("入力漏れ"), MessageBox::kInformationOk);
            return;
        }
    }
    if (SaveKanjiEntries()) {
        close();
    }
}

bool frmInp_Kanji::SaveKanjiEntries() {
    // The rows saved are those of the characters the dialog was opened for.
    std::vector<KanjiRegistration> registrations;
    for (int row = 1; row <= 3 && !store_.unregisteredChars[row].empty(); ++row) {
        const std::u16string kanji = txtKanji[row]->text().toStdU16String();
        if (const auto problem = KanjiEntryProblem(kanji)) {
            messages_.Show(this,
                           QString::number(row) + QString::fromUtf8("行目: ") + Text(*problem),
                           QString::fromUtf8("入力内容確認"), MessageBox::kExclamationOk);
            return false;
        }
        const auto strokes = ParseStrokeEntry(txtKakusu[row]->text().toStdU16String());
        if (!strokes) {
            messages_.Show(this,
                           QString::number(row) +
                               QString::fromUtf8("行目: 画数は1から99までの数で入力してください"),
                           QString::fromUtf8("入力内容確認"), MessageBox::kExclamationOk);
            return false;
        }
        registrations.push_back({kanji, *strokes});
    }
    std::vector<DictionaryEntry> entries;
    try {
        // The file is read afresh under a lock: another window may have registered meanwhile.
        entries = AppendKanjiEntries(dataFolder_, registrations);
    } catch (const std::runtime_error& error) {
        messages_.Show(this, QString::fromUtf8(error.what()),
                       QString::fromUtf8("画数データ登録確認"), MessageBox::kExclamationOk);
        return false;
    }
    for (const KanjiRegistration& registration : registrations) {
        for (int position = 1; position <= kNamePositions; ++position) {
            if (store_.strokeCounts[position] == 0) {
                store_.strokeCounts[position] = registration.strokes.rounded;
                break;
            }
        }
    }
    store_.dictionary.Assign(std::move(entries));
    messages_.Show(this, QString::fromUtf8("登録しました"), QString::fromUtf8("画数データ登録確認"),
                   MessageBox::kInformationOk);
    return true;
}

}  // namespace namori
