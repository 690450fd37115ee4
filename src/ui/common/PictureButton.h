#pragma once

#include <QToolButton>

namespace namori {

// A picture button of the windows: an icon above the caption. A focused button shows a focus
// frame whatever the style draws, and Return or keypad Enter clicks it, as Space does.
class PictureButton : public QToolButton {
  public:
    using QToolButton::QToolButton;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace namori
