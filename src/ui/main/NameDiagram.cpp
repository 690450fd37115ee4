#include "ui/main/NameDiagram.h"

#include <QPainter>
#include <algorithm>

#include "ui/common/Twips.h"

namespace namori {

namespace {

// A horizontal or vertical segment between two points, in twips of the result frame.
struct Segment {
    int x1, y1, x2, y2;
};

// Which lengths a line of the diagram is drawn for: the joints between the two parts always,
// a bracket when its part has from one to three characters.
enum class Part { Joint, Surname, GivenName };

struct DiagramLine {
    Part part;
    int fewest, most;  // characters of the part
    Segment segment;
};

// The given name's brackets mirror the surname's downwards.
constexpr DiagramLine kLines[] = {
    {Part::Joint, 0, 0, {450, 2025, 450, 3075}},
    {Part::Joint, 0, 0, {450, 2550, 300, 2550}},
    {Part::Joint, 0, 0, {2100, 1350, 2235, 1350}},
    {Part::Joint, 0, 0, {2100, 1350, 2100, 1950}},
    {Part::Joint, 0, 0, {1950, 1950, 2100, 1950}},
    {Part::Joint, 0, 0, {1950, 2100, 2100, 2100}},
    {Part::Joint, 0, 0, {2100, 2100, 2100, 3000}},
    {Part::Joint, 0, 0, {1950, 3000, 2100, 3000}},
    {Part::Joint, 0, 0, {2100, 2550, 2235, 2550}},
    {Part::Joint, 0, 0, {1950, 3150, 2100, 3150}},
    {Part::Joint, 0, 0, {2100, 3150, 2100, 3825}},
    {Part::Joint, 0, 0, {2100, 3825, 2220, 3825}},
    {Part::Surname, 1, 1, {600, 2025, 450, 2025}},
    {Part::Surname, 2, 3, {1950, 1350, 2100, 1350}},
    {Part::Surname, 2, 3, {450, 2025, 450, 1350}},
    {Part::Surname, 2, 3, {600, 1350, 450, 1350}},
    {Part::Surname, 3, 3, {2100, 1350, 2100, 675}},
    {Part::Surname, 3, 3, {1950, 675, 2100, 675}},
    {Part::Surname, 3, 3, {450, 1350, 450, 675}},
    {Part::Surname, 3, 3, {600, 675, 450, 675}},
    {Part::GivenName, 1, 1, {600, 3075, 450, 3075}},
    {Part::GivenName, 2, 3, {1950, 3825, 2100, 3825}},
    {Part::GivenName, 2, 3, {450, 3075, 450, 3825}},
    {Part::GivenName, 2, 3, {600, 3825, 450, 3825}},
    {Part::GivenName, 3, 3, {2100, 4575, 2100, 3825}},
    {Part::GivenName, 3, 3, {1950, 4575, 2100, 4575}},
    {Part::GivenName, 3, 3, {450, 4575, 450, 3825}},
    {Part::GivenName, 3, 3, {600, 4575, 450, 4575}},
};

// One pixel wide, both end points included, as a line of the layout is drawn.
void Draw(QPainter& painter, const Segment& segment) {
    const int left = Px(std::min(segment.x1, segment.x2));
    const int top = Px(std::min(segment.y1, segment.y2));
    painter.fillRect(left, top, Px(std::max(segment.x1, segment.x2)) - left + 1,
                     Px(std::max(segment.y1, segment.y2)) - top + 1, Qt::black);
}

}  // namespace

NameDiagram::NameDiagram(QWidget* resultFrame) : QWidget(resultFrame) {
    setGeometry(resultFrame->rect());
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void NameDiagram::ShowShape(int surnameLength, int givenNameLength) {
    surnameLength_ = surnameLength;
    givenNameLength_ = givenNameLength;
    update();
}

void NameDiagram::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    for (const DiagramLine& line : kLines) {
        const int length = line.part == Part::Surname ? surnameLength_ : givenNameLength_;
        if (line.part == Part::Joint || (length >= line.fewest && length <= line.most)) {
            Draw(painter, line.segment);
        }
    }
}

}  // namespace namori
