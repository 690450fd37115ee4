#include "ui/common/PictureButton.h"

#include <QKeyEvent>
#include <QPainter>

namespace namori {

void PictureButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat() && isEnabled()) {
        click();
        return;
    }
    QToolButton::keyPressEvent(event);
}

void PictureButton::paintEvent(QPaintEvent* event) {
    QToolButton::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    // Some styles draw a tool button's focus only after keyboard navigation, and none when the
    // program moves the focus to the button; this frame shows it always.
    QColor colour = palette().color(QPalette::Highlight);
    if (palette().color(QPalette::Button).lightness() < 128) {
        colour = colour.lighter(170);  // a dark desktop's highlight is too dark on its buttons
    }
    QPainter painter(this);
    painter.setPen(QPen(colour, 2));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawRoundedRect(QRectF(rect()).adjusted(2, 2, -2, -2), 3, 3);
}

}  // namespace namori
