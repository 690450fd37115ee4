#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "analysis/StrokeCounting.h"
#include "data/ReadingTextsFile.h"
#include "reading/DetailedReading.h"
#include "rules/Judgement.h"
#include "ui/main/MainWindowControls.h"

namespace namori {

struct ReferenceTables;
class MessageBox;
class ReadingWindow;

// Opens the 鑑定書 window for the judgement the result panel shows: a click on the name diagram
// or the luck table opens it (the pointer and a tooltip say so). The explanation texts are read
// the first time a reading is opened.
class ReadingLauncher : public QObject {
    Q_OBJECT

  public:
    ReadingLauncher(QWidget& window, const MainWindowControls& controls, MessageBox& messages,
                    std::vector<std::filesystem::path> textFolders);
    ~ReadingLauncher() override;

    // Keeps the reading of the judgement just shown, made from tables with the complement as
    // given, its strokes counted as counting says.
    void Remember(const Judgement& judgement, std::shared_ptr<const ReferenceTables> tables,
                  bool complement, StrokeCounting counting = StrokeCounting::Modern);

    // The reading of a given name chosen in the naming aid: printed above the name whenever a
    // 鑑定書 of that given name is opened.
    void KnowGivenNameReading(std::u16string spelling, std::u16string reading);

    // Opens (or brings forward, showing the latest reading) the 鑑定書 window; none when no
    // judgement has been shown or the explanation texts cannot be read (after saying so).
    ReadingWindow* Open();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& window_;
    MessageBox& messages_;
    std::vector<std::filesystem::path> textFolders_;
    std::optional<ReadingTexts> texts_;
    std::optional<DetailedReading> reading_;
    // What the 吉数表's patterns of the 鑑定書 are found from, for the reading kept.
    std::optional<Judgement> judgement_;
    std::shared_ptr<const ReferenceTables> tables_;
    bool complement_ = false;
    std::u16string knownSpelling_;
    std::u16string knownReading_;
    QPointer<ReadingWindow> readingWindow_;
};

}  // namespace namori
