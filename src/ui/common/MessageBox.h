#pragma once

#include <QString>
#include <deque>
#include <exception>
#include <functional>

class QWidget;

namespace namori {

// Modal message boxes by the style values the program uses: 48 exclamation + OK, 49
// exclamation + OK and Cancel, 305 the same with Cancel as default, 64 information + OK.
// Answers are 1 (OK) and 2 (Cancel); closing the box or Esc answers Cancel where it is offered.
// Tests queue answers, which are then given without a box being shown, and read back what the
// last box said.
class MessageBox {
  public:
    static constexpr int kExclamationOk = 48;
    static constexpr int kExclamationOkCancel = 49;
    static constexpr int kExclamationOkCancelDefaultCancel = 305;
    static constexpr int kInformationOk = 64;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    int Show(QWidget* parent, const QString& text, const QString& title, int style);
    // A failed read or write: the error's own text, then advice, under title, exclamation and OK.
    void ShowFailure(QWidget* parent, const std::exception& error, const QString& title,
                     const QString& advice = QString());

    void setNextAnswer(int answer) { queuedAnswers_.push_back(answer); }
    // Called as each box is shown, before its answer: lets tests see the state at that moment.
    std::function<void()> onShow;
    bool hasQueuedAnswers() const { return !queuedAnswers_.empty(); }
    const QString& lastText() const { return lastText_; }
    const QString& lastTitle() const { return lastTitle_; }
    int lastStyle() const { return lastStyle_; }
    int shownCount() const { return shownCount_; }

  private:
    std::deque<int> queuedAnswers_;
    QString lastText_;
    QString lastTitle_;
    int lastStyle_ = 0;
    int shownCount_ = 0;
};

}  // namespace namori
