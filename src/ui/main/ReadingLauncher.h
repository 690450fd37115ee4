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

    // Keeps the reading of the judgement just shown, made from tables (whose counting it states)
    // with the complement as given.
    void Remember(const Judgement& judgement, std::shared_ptr<const ReferenceTables> tables,
                  bool complement);

    // The reading of a given name chosen in the naming aid: printed above the name whenever a
    // 鑑定書 of that given name is opened.
    void KnowGivenNameReading(std::u16string spelling, std::u16string reading);

    // Opens (or brings forward, showing the latest reading) the 鑑定書 window; none when no
    // judgement has been shown or the explanation texts cannot be read (after saying so).
    ReadingWindow* Open();
    // Opens the 鑑定書 window for another judged name (a shortlisted one), whose given name reads
    // givenNameReading (hiragana, empty when unknown); the judgement shown stays the one Open uses.
    ReadingWindow* OpenFor(const Judgement& judgement,
                           std::shared_ptr<const ReferenceTables> tables, bool complement,
                           std::u16string_view givenNameReading);
    // The reading the naming aid gave for spelling; empty when it gave none.
    std::u16string KnownReadingOf(std::u16string_view spelling) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A judged name with what its 鑑定書 is made from: the tables it was judged with (its
    // counting and the 吉数表's patterns come from them) and the complement option.
    struct JudgedName {
        Judgement judgement;
        std::shared_ptr<const ReferenceTables> tables;
        bool complement = false;
    };

    ReadingWindow* Show(const JudgedName& judged, std::u16string_view givenNameReading);

    QWidget& window_;
    MessageBox& messages_;
    std::vector<std::filesystem::path> textFolders_;
    std::optional<ReadingTexts> texts_;
    // The judgement the result panel shows.
    std::optional<JudgedName> shown_;
    std::u16string knownSpelling_;
    std::u16string knownReading_;
    QPointer<ReadingWindow> readingWindow_;
};

}  // namespace namori
