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
            QString::fromUtf8("クリック（または Ctrl+K）で鑑定書（詳しい解説）を開きます"));
        label->installEventFilter(this);
    }
    // The same from the keyboard.
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_K), &window);
    connect(shortcut, &QShortcut::activated, this, [this] { Open(); });
}

ReadingLauncher::~ReadingLauncher() = default;

void ReadingLauncher::Remember(const Judgement& judgement,
                               std::shared_ptr<const ReferenceTables> tables, bool complement,
                               StrokeCounting counting) {
    reading_ = ReadingOf(judgement, tables->spiritTable);
    reading_->counting = counting;
    judgement_ = judgement;
    tables_ = std::move(tables);
    complement_ = complement;
}

void ReadingLauncher::KnowGivenNameReading(std::u16string spelling, std::u16string reading) {
    knownSpelling_ = std::move(spelling);
    knownReading_ = std::move(reading);
}

ReadingWindow* ReadingLauncher::Open() {
    if (!reading_) {
        return nullptr;
    }
    if (!texts_) {
        try {
            texts_ = LoadReadingTexts(textFolders_);
        } catch (const DataFileError& error) {
            messages_.ShowFailure(&window_, error, QString::fromUtf8("鑑定書"));
            return nullptr;
        }
    }
    DetailedReading reading = *reading_;
    reading.unlawfulKanji = FindUnlawfulKanji(reading.givenName, textFolders_);
    std::u16string givenName = reading.givenName;  // as typed: without the complement
    if (givenName.size() == 2 && givenName.back() == kComplementCharacter) {
        givenName.pop_back();
    }
    if (!knownReading_.empty() && givenName == knownSpelling_) {
        reading.furigana = u"名前の読み　" + knownReading_;
    }
    ExplainReading(reading, *texts_);
    reading.luckyPatterns = ReadingLuckyPatterns(*tables_, *judgement_, complement_, textFolders_,
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
