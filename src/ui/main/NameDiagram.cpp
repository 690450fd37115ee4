#include "ui/main/NameDiagram.h"

#include <QPainter>
#include <algorithm>
#include <span>

#include "ui/common/Twips.h"

namespace namori {

namespace {

// A horizontal or vertical segment between two points, in twips of the result frame.
struct Segment {
    int x1, y1, x2, y2;
};

// The lines that join the two parts, whatever their lengths.
constexpr Segment kJoints[] = {
    {450, 2025, 450, 3075},   {450, 2550, 300, 2550},   {2100, 1350, 2235, 1350},
    {2100, 1350, 2100, 1950}, {1950, 1950, 2100, 1950}, {1950, 2100, 2100, 2100},
    {2100, 2100, 2100, 3000}, {1950, 3000, 2100, 3000}, {2100, 2550, 2235, 2550},
    {1950, 3150, 2100, 3150}, {2100, 3150, 2100, 3825}, {2100, 3825, 2220, 3825},
};

// The brackets that group the surname's characters, for one, two and three of them.
constexpr Segment kSurnameOne[] = {{600, 2025, 450, 2025}};
constexpr Segment kSurnameTwo[] = {
    {1950, 1350, 2100, 1350}, {450, 2025, 450, 1350}, {600, 1350, 450, 1350}};
constexpr Segment kSurnameThree[] = {{1950, 1350, 2100, 1350}, {2100, 1350, 2100, 675},
                                     {1950, 675, 2100, 675},   {450, 2025, 450, 1350},
                                     {600, 1350, 450, 1350},   {450, 1350, 450, 675},
                                     {600, 675, 450, 675}};

// The same for the given name, mirrored downwards.
constexpr Segment kGivenNameOne[] = {{600, 3075, 450, 3075}};
constexpr Segment kGivenNameTwo[] = {
    {1950, 3825, 2100, 3825}, {450, 3075, 450, 3825}, {600, 3825, 450, 3825}};
constexpr Segment kGivenNameThree[] = {{1950, 3825, 2100, 3825}, {2100, 4575, 2100, 3825},
                                       {1950, 4575, 2100, 4575}, {450, 3075, 450, 3825},
                                       {600, 3825, 450, 3825},   {450, 4575, 450, 3825},
                                       {600, 4575, 450, 4575}};

using Segments = std::span<const Segment>;

// The brackets of a part of one, two and three characters.
constexpr Segments kSurnameBrackets[] = {kSurnameOne, kSurnameTwo, kSurnameThree};
constexpr Segments kGivenNameBrackets[] = {kGivenNameOne, kGivenNameTwo, kGivenNameThree};

Segments BracketsFor(const Segments (&byLength)[3], int length) {
    return length >= 1 && length <= 3 ? byLength[length - 1] : Segments();
}

// One pixel wide, both end points included, as a line of the layout is drawn.
void Draw(QPainter& painter, Segments segments) {
    for (const Segment& segment : segments) {
        const int left = Px(std::min(segment.x1, segment.x2));
        const int top = Px(std::min(segment.y1, segment.y2));
        painter.fillRect(left, top, Px(std::max(segment.x1, segment.x2)) - left + 1,
                         Px(std::max(segment.y1, segment.y2)) - top + 1, Qt::black);
    }
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
    Draw(painter, kJoints);
    Draw(painter, BracketsFor(kSurnameBrackets, surnameLength_));
    Draw(painter, BracketsFor(kGivenNameBrackets, givenNameLength_));
}

}  // namespace namori
