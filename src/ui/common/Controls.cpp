#include "ui/common/Controls.h"

#include <algorithm>
#include <cstdlib>

#include "ui/common/Fonts.h"
#include "ui/common/Twips.h"

namespace namori {

QString ControlName(const char* name, int index) {
    QString text = QString::fromUtf8(name);
    if (index >= 0) {
        text += QLatin1Char('_') + QString::number(index);
    }
    return text;
}

QLabel* AddLabel(QWidget* container, const LabelRow& row) {
    auto* label = new QLabel(QString::fromUtf8(row.caption), container);
    label->setObjectName(ControlName(row.name, row.index));
    label->setGeometry(TwipsRect(row.left, row.top, row.width, row.height));
    label->setAlignment(row.alignment | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    if (row.font.family != nullptr) {
        label->setFont(LayoutFont(row.font.family, row.font.points, row.font.bold));
    }
    QPalette palette = label->palette();
    if (row.back != nullptr) {
        palette.setColor(QPalette::Window, QColor(QString::fromLatin1(row.back)));
        label->setAutoFillBackground(true);
    }
    if (row.fore != nullptr) {
        palette.setColor(QPalette::WindowText, QColor(QString::fromLatin1(row.fore)));
    }
    label->setPalette(palette);
    if (row.border) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
    }
    return label;
}

LineControl::LineControl(QWidget* container, const char* name, int index, int x1, int y1, int x2,
                         int y2, const QColor& colour)
    : QWidget(container) {
    setObjectName(ControlName(name, index));
    const int left = Px(std::min(x1, x2));
    const int top = Px(std::min(y1, y2));
    setGeometry(left, top, Px(std::max(x1, x2)) - left + 1, Px(std::max(y1, y2)) - top + 1);
    QPalette linePalette = palette();
    linePalette.setColor(QPalette::Window, colour);
    setPalette(linePalette);
    setAutoFillBackground(true);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

}  // namespace namori
