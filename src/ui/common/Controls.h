#pragma once

#include <QColor>
#include <QLabel>
#include <QString>
#include <QWidget>

namespace namori {

// A font of the layout; a null family keeps the container's font.
struct FontSpec {
    const char* family = nullptr;
    double points = 0;
    bool bold = false;
};

// One label of a layout table. Positions in twips, relative to the container; a null back
// colour leaves the label transparent.
struct LabelRow {
    const char* name;
    int index;  // element of a control array, or -1
    int left, top, width, height;
    const char* caption;
    FontSpec font;
    const char* back;
    const char* fore;
    Qt::Alignment alignment;
    bool border;
};

// The object name of a control: its name, and "_i" for element i of a control array.
QString ControlName(const char* name, int index = -1);

QLabel* AddLabel(QWidget* container, const LabelRow& row);

// A straight horizontal or vertical line between two points in twips, one pixel wide.
class LineControl : public QWidget {
  public:
    LineControl(QWidget* container, const char* name, int index, int x1, int y1, int x2, int y2,
                const QColor& colour = Qt::black);
};

}  // namespace namori
