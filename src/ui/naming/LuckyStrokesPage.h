#pragma once

#include <QWidget>
#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace namori {

struct ReferenceTables;
class MessageBox;
class NameGuide;

// The 吉数表 tab of the name-choosing aid: every pattern of stroke counts for a given name of
// one to three characters whose three faces beside the surname are all favourable, ranked, with
// example kanji; a click on a pattern lists every dictionary kanji of each of its counts.
class LuckyStrokesPage : public QWidget {
    Q_OBJECT

  public:
    // tables gives the tables that judge the patterns; surname and complement what the boxes hold;
    // guide the lawful name kanji and their popularity (nullptr: the dictionary's kanji).
    LuckyStrokesPage(std::function<std::shared_ptr<const ReferenceTables>()> tables,
                     MessageBox& messages, std::function<std::u16string()> surname,
                     std::function<bool()> complement, std::function<const NameGuide*()> guide,
                     QWidget* parent = nullptr);

    // The controls of the window; tests drive it through them.
    struct Controls {
        QComboBox* charactersBox{};
        QPushButton* showButton{};
        QTableWidget* table{};
        QPlainTextEdit* kanjiView{};
        QLabel* statusLabel{};
    };
    const Controls& controls() const { return controls_; }

    void ShowPatterns();

  private:
    void ShowKanjiOf(int row);

    std::function<std::shared_ptr<const ReferenceTables>()> tables_;
    MessageBox& messages_;
    std::function<std::u16string()> surname_;
    std::function<bool()> complement_;
    std::function<const NameGuide*()> guide_;
    Controls controls_;
};

}  // namespace namori
