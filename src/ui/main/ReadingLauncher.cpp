#include "ui/main/ReadingLauncher.h"

#include <QDate>
#include <QLabel>
#include <QMouseEvent>
#include <QShortcut>

#include "analysis/NamePositions.h"
#include "data/DataFileError.h"
#include "naming/NameGuide.h"
#include "reading/ReadingDocument.h"
#include "reading/ReadingLuckyPatterns.h"
#include "ui/common/MessageBox.h"
#include "ui/common/QtText.h"
#include "ui/reading/ReadingWindow.h"

namespace namori {

namespace {}  // namespace

ReadingLauncher::ReadingLauncher(QWidget& window, const MainWindowControls& controls,
                                 MessageBox& messages,
                                 std::vector<std::filesystem::path> textFolders)
    : window_(window), messages_(messages), textFolders_(std::move(textFolders)) {
    std::vector<QLabel*> clickable;
    for (std::size_t slot = 0; slot < controls.nameCharacterLabels.size(); ++slot) {
        clickable.push_back(controls.nameCharacterLabels[slot]);
        clickable.push_back(controls.strokeCountLabels[slot]);
    }
    for (const auto& row : controls.luckCells) {
        clickable.insert(clickable.end(), row.begin(), row.end());
    }
    for (QLabel* label : clickable) {
        label->setCursor(Qt::PointingHandCursor);
        label->setToolTip(
            QString::fromUtf8("クリック（または Ctrl+K）で鑑定書（詳しい解説）を開きます。"
                              "Ctrl+D でこの名前を候補に加え、Ctrl+B で候補の比較を開きます"));
        label->installEventFilter(this);
    }
    // The same from the keyboard.
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_K), &window);
    connect(shortcut, &QShortcut::activated, this, [this] { Open(); });
}

ReadingLauncher::~ReadingLauncher() = default;

void ReadingLauncher::Remember(const Judgement& judgement,
                               std::shared_ptr<const ReferenceTables> tables, bool complement) {
    shown_ = JudgedName{judgement, std::move(tables), complement};
}

void ReadingLauncher::KnowGivenNameReading(std::u16string spelling, std::u16string reading) {
    knownSpelling_ = std::move(spelling);
    knownReading_ = std::move(reading);
}

std::u16string ReadingLauncher::KnownReadingOf(std::u16string_view spelling) const {
    return spelling == knownSpelling_ ? knownReading_ : std::u16string();
}

ReadingWindow* ReadingLauncher::Open() {
    if (!shown_) {
        return nullptr;
    }
    // The given name as typed: without the complement.
    std::u16string givenName = ReadingOf(shown_->judgement, shown_->tables->spiritTable).givenName;
    if (givenName.size() == 2 && givenName.back() == kComplementCharacter) {
        givenName.pop_back();
    }
    return Show(*shown_, KnownReadingOf(givenName));
}

ReadingWindow* ReadingLauncher::OpenFor(const Judgement& judgement,
                                        std::shared_ptr<const ReferenceTables> tables,
                                        bool complement, std::u16string_view givenNameReading) {
    return Show(JudgedName{judgement, std::move(tables), complement}, givenNameReading);
}

ReadingWindow* ReadingLauncher::Show(const JudgedName& judged,
                                     std::u16string_view givenNameReading) {
    if (!texts_) {
        try {
            texts_ = LoadReadingTexts(textFolders_);
        } catch (const DataFileError& error) {
            messages_.ShowFailure(&window_, error, QString::fromUtf8("鑑定書"));
            return nullptr;
        }
    }
    DetailedReading reading = ReadingOf(judged.judgement, judged.tables->spiritTable);
    reading.counting = judged.tables->counting;
    reading.unlawfulKanji = FindUnlawfulKanji(reading.givenName, textFolders_);
    if (!givenNameReading.empty()) {
        reading.furigana = u"名前の読み　" + std::u16string(givenNameReading);
    }
    ExplainReading(reading, *texts_);
    reading.luckyPatterns =
        ReadingLuckyPatterns(*judged.tables, judged.judgement, judged.complement, textFolders_,
                             kReadingLuckyPatternLines);
    const QDate today = QDate::currentDate();
    reading.readingDate = ReadingDateText(today.year(), today.month(), today.day());
    ReadingDocument document = ReadingDocumentOf(reading);
    const QString name =
        ToQString(reading.surname) + QLatin1Char(' ') + ToQString(reading.givenName);
    if (readingWindow_ == nullptr) {
        auto* readingWindow = new ReadingWindow(std::move(document), name, messages_, &window_);
        readingWindow->setAttribute(Qt::WA_DeleteOnClose);
        readingWindow_ = readingWindow;
    } else {
        readingWindow_->ShowDocument(std::move(document), name);
    }
    readingWindow_->show();
    readingWindow_->raise();
    readingWindow_->activateWindow();
    return readingWindow_;
}

bool ReadingLauncher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Open();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace namori
