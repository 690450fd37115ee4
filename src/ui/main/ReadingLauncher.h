#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <optional>
#include <vector>

#include "data/ReadingTextsFile.h"
#include "reading/DetailedReading.h"
#include "ui/main/MainWindowControls.h"

namespace namori {

struct Judgement;
struct SpiritTable;
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

    // Keeps the reading of the judgement just shown, with the texts of table.
    void Remember(const Judgement& judgement, const SpiritTable& table);

    // The reading of a given name chosen in the naming aid: printed above the name whenever a
    // 鑑定書 of that given name is opened.
    void KnowGivenNameReading(std::u16string spelling, std::u16string reading);

    // Opens (or brings forward, showing the latest reading) the 鑑定書 window; none when no
    // judgement has been shown or the explanation texts cannot be read (after saying so).
    ReadingWindow* Open();
    // Opens the 鑑定書 window for another judged name (a shortlisted one), whose given name reads
    // givenNameReading (hiragana, empty when unknown); the judgement shown stays the one Open uses.
    ReadingWindow* OpenFor(const Judgement& judgement, const SpiritTable& table,
                           std::u16string_view givenNameReading);
    // The reading the naming aid gave for spelling; empty when it gave none.
    std::u16string KnownReadingOf(std::u16string_view spelling) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ReadingWindow* Show(DetailedReading reading, std::u16string_view givenNameReading);

    QWidget& window_;
    MessageBox& messages_;
    std::vector<std::filesystem::path> textFolders_;
    std::optional<ReadingTexts> texts_;
    std::optional<DetailedReading> reading_;
    std::u16string knownSpelling_;
    std::u16string knownReading_;
    QPointer<ReadingWindow> readingWindow_;
};

}  // namespace namori
