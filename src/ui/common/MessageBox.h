#pragma once

#include <QString>
#include <deque>
#include <exception>
#include <functional>
#include <utility>

class QWidget;

namespace namori {

// Modal message boxes with a named icon and buttons. Closing the box or Esc answers Cancel where
// it is offered. Tests queue answers, which are then given without a box being shown, and read
// back what the last box said.
class MessageBox {
  public:
    enum class Icon { Exclamation, Information };
    enum class Buttons { Ok, OkCancel, OkCancelDefaultCancel };
    enum class Answer { Ok, Cancel };

    // Title before text, as in Qt's QMessageBox.
    Answer Show(QWidget* parent, const QString& title, const QString& text, Icon icon,
                Buttons buttons = Buttons::Ok);
    // A failed read or write: the error's own text, then advice, under title, exclamation and OK.
    void ShowFailure(QWidget* parent, const std::exception& error, const QString& title,
                     const QString& advice = QString());

    void setNextAnswer(Answer answer) { queuedAnswers_.push_back(answer); }
    // Called as each box is shown, before its answer: lets tests see the state at that moment.
    void setShowHook(std::function<void()> hook) { showHook_ = std::move(hook); }
    const QString& lastText() const { return lastText_; }
    const QString& lastTitle() const { return lastTitle_; }
    Icon lastIcon() const { return lastIcon_; }
    Buttons lastButtons() const { return lastButtons_; }
    int shownCount() const { return shownCount_; }

  private:
    std::deque<Answer> queuedAnswers_;
    QString lastText_;
    QString lastTitle_;
    Icon lastIcon_ = Icon::Exclamation;
    Buttons lastButtons_ = Buttons::Ok;
    int shownCount_ = 0;
    std::function<void()> showHook_;
};

}  // namespace namori
