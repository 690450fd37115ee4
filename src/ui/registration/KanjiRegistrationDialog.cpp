#include "ui/registration/KanjiRegistrationDialog.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "data/KanjiRegistration.h"
#include "ui/common/Artwork.h"
#include "ui/common/Controls.h"
#include "ui/common/DesignPalette.h"
#include "ui/common/EntryBox.h"
#include "ui/common/Fonts.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PictureButton.h"
#include "ui/common/QtText.h"
#include "ui/common/Twips.h"

namespace namori {

namespace {

constexpr FontSpec kFont{kGothic, 11.25};
constexpr int kRowTop[] = {720, 1080, 1440};

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

KanjiRegistrationDialog::KanjiRegistrationDialog(std::shared_ptr<const ReferenceTables> tables,
                                                 const std::vector<std::u16string>& characters,
                                                 MessageBox& messages,
                                                 std::filesystem::path dataFolder,
                                                 const StrokeReference& reference, QWidget* parent)
    : QDialog(parent),
      tables_(std::move(tables)),
      messages_(messages),
      dataFolder_(std::move(dataFolder)),
      reference_(reference) {
    for (std::size_t row = 0; row < characters_.size() && row < characters.size(); ++row) {
        characters_[row] = characters[row];
    }
    Build();
    ShowCharacters();
}

void KanjiRegistrationDialog::Build() {
    setObjectName("frmInp_Kanji");
    KeepDesignPalette(*this);
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
    constexpr const char* kRowNumbers[] = {"1", "2", "3"};
    for (int row = 0; row < kRows; ++row) {
        AddLabel(frame, {"Label1", row, 180, kRowTop[row] + 45, 240, 240, kRowNumbers[row], kFont,
                         nullptr, nullptr, Qt::AlignHCenter, false});
        controls_.kanjiEdits[row] = AddBox(frame, "txtKanji", row + 1, 450, kRowTop[row], 720, 330);
        controls_.strokeEdits[row] =
            AddBox(frame, "txtKakusu", row + 1, 1215, kRowTop[row], 765, 330);
        const QString rowWord = QString::number(row + 1) + QString::fromUtf8("行目の");
        controls_.kanjiEdits[row]->setAccessibleName(rowWord + QString::fromUtf8("漢字"));
        controls_.kanjiEdits[row]->setAccessibleDescription(
            QString::fromUtf8("画数が登録されていない字"));
        controls_.strokeEdits[row]->setAccessibleName(rowWord + QString::fromUtf8("画数"));
        controls_.strokeEdits[row]->setAccessibleDescription(
            QString::fromUtf8("この行の字の画数。Enter で次の行へ、参考の画数はスペースで入力"));
        // Stroke counts are digits: no input method.
        controls_.strokeEdits[row]->setInputMethodHints(Qt::ImhPreferNumbers |
                                                        Qt::ImhNoPredictiveText);
        controls_.strokeEdits[row]->installEventFilter(this);
        connect(controls_.kanjiEdits[row], &QLineEdit::textChanged, this,
                [this, row] { ShowSuggestion(row); });
    }
    controls_.saveButton = AddButton(frame, "cmdHozon", "保存", "辞書に登録します", "hozon");
    controls_.saveButton->setGeometry(TwipsRect(2325, 825, 915, 915));
    controls_.backButton = AddButton(frame, "cmdYame", "戻る", "戻ります", "yame");
    controls_.backButton->setGeometry(TwipsRect(3600, 825, 915, 915));
    // The suggestion stands apart from the boxes, right of the column heads above the buttons,
    // so that it is never taken for a typed count.
    controls_.suggestionButton = new QToolButton(frame);
    controls_.suggestionButton->setObjectName("cmdSankou");
    controls_.suggestionButton->setGeometry(TwipsRect(2025, 375, 2790, 330));
    controls_.suggestionButton->setFont(LayoutFont(kGothic, 9));
    controls_.suggestionButton->setAutoRaise(true);
    QPalette link = controls_.suggestionButton->palette();
    link.setColor(QPalette::ButtonText, link.color(QPalette::Link));  // reads as clickable
    controls_.suggestionButton->setPalette(link);
    controls_.suggestionButton->setFocusPolicy(Qt::NoFocus);
    controls_.suggestionButton->setToolTip(
        QString::fromUtf8("参考表の画数です。クリックすると画数の欄に入ります"));
    controls_.suggestionButton->setVisible(false);
    connect(controls_.suggestionButton, &QToolButton::clicked, this,
            [this] { TakeSuggestion(suggestionRow_); });
    connect(controls_.saveButton, &QToolButton::clicked, this,
            &KanjiRegistrationDialog::onSaveClicked);
    connect(controls_.backButton, &QToolButton::clicked, this,
            &KanjiRegistrationDialog::onBackClicked);

    QWidget* order[] = {controls_.strokeEdits[0], controls_.strokeEdits[1],
                        controls_.strokeEdits[2], controls_.saveButton,
                        controls_.backButton,     controls_.kanjiEdits[2],
                        controls_.kanjiEdits[0],  controls_.kanjiEdits[1]};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
    controls_.strokeEdits[0]->setFocus();
}

void KanjiRegistrationDialog::ShowCharacters() {
    for (int row = 0; row < kRows; ++row) {
        controls_.kanjiEdits[row]->setText(ToQString(characters_[row]));
    }
}

void KanjiRegistrationDialog::ShowSuggestion(int row) {
    const QString kanji = controls_.kanjiEdits[row]->text();
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
    controls_.suggestionButton->setText(
        QString::fromUtf8("参考：%1 %2画（スペースで入力）")
            .arg(controls_.kanjiEdits[row]->text(), suggestions_[row]));
    controls_.suggestionButton->setVisible(!suggestions_[row].isEmpty());
}

void KanjiRegistrationDialog::TakeSuggestion(int row) {
    if (!suggestions_[row].isEmpty()) {
        controls_.strokeEdits[row]->setText(suggestions_[row]);
    }
}

void KanjiRegistrationDialog::MoveOn(int row) {
    // The rows after this one first, then those before it.
    for (int step = 1; step <= 2; ++step) {
        const int next = (row + step) % kRows;
        if (!controls_.kanjiEdits[next]->text().isEmpty() &&
            controls_.strokeEdits[next]->text().isEmpty()) {
            controls_.strokeEdits[next]->setFocus();
            return;
        }
    }
    controls_.saveButton->setFocus();
}

int KanjiRegistrationDialog::RowOfStrokeBox(const QObject* box) const {
    for (int row = 0; row < kRows; ++row) {
        if (box == controls_.strokeEdits[row]) {
            return row;
        }
    }
    return -1;
}

bool KanjiRegistrationDialog::eventFilter(QObject* watched, QEvent* event) {
    const int row = RowOfStrokeBox(watched);
    if (row < 0) {
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

void KanjiRegistrationDialog::onBackClicked() {
    close();
}

void KanjiRegistrationDialog::onSaveClicked() {
    // What is still being typed counts, in the characters the dictionary file gives back.
    for (int row = 0; row < kRows; ++row) {
        ReadEntryBox(controls_.kanjiEdits[row]);
        ReadEntryBox(controls_.strokeEdits[row]);
    }
    for (int row = 0; row < kRows; ++row) {
        if (controls_.strokeEdits[row]->text().isEmpty() &&
            !controls_.kanjiEdits[row]->text().isEmpty()) {
            messages_.Show(this, QString::fromUtf8("入力漏れ"),
                           QString::fromUtf8("画数が抜けています"), MessageBox::Icon::Information);
            return;
        }
    }
    if (SaveKanjiEntries()) {
        emit saved();
        close();
    }
}

bool KanjiRegistrationDialog::SaveKanjiEntries() {
    // The rows saved are those of the characters the dialog was opened for, whatever the main
    // window judged meanwhile.
    std::vector<KanjiRegistration> registrations;
    for (int row = 0; row < kRows && !characters_[row].empty(); ++row) {
        const std::u16string kanji = controls_.kanjiEdits[row]->text().toStdU16String();
        if (const auto problem = KanjiEntryProblem(kanji)) {
            messages_.Show(
                this, QString::fromUtf8("入力内容確認"),
                QString::number(row + 1) + QString::fromUtf8("行目: ") + ToQString(*problem),
                MessageBox::Icon::Exclamation);
            return false;
        }
        const auto strokes = ParseStrokeEntry(controls_.strokeEdits[row]->text().toStdU16String());
        if (!strokes) {
            messages_.Show(this, QString::fromUtf8("入力内容確認"),
                           QString::number(row + 1) +
                               QString::fromUtf8("行目: 画数は1から99までの数で入力してください"),
                           MessageBox::Icon::Exclamation);
            return false;
        }
        registrations.push_back({kanji, *strokes});
    }
    std::vector<DictionaryEntry> entries;
    try {
        // The file is read afresh under a lock: another window may have registered meanwhile.
        entries = AppendKanjiEntries(dataFolder_, registrations);
    } catch (const std::runtime_error& error) {
        messages_.ShowFailure(this, error, QString::fromUtf8("画数データ登録確認"));
        return false;
    }
    auto changed = std::make_shared<ReferenceTables>(*tables_);
    changed->dictionary.Assign(std::move(entries));
    emit tablesChanged(tables_ = std::move(changed));
    messages_.Show(this, QString::fromUtf8("画数データ登録確認"), QString::fromUtf8("登録しました"),
                   MessageBox::Icon::Information);
    return true;
}

}  // namespace namori
