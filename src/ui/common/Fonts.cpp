#include "ui/common/Fonts.h"

#include <QStringList>

#include "ui/common/Twips.h"

namespace namori {

void InstallFontSubstitutions() {
    QFont::insertSubstitutions(QString::fromUtf8(kGothic), QStringList() << QStringLiteral("IPAPGothic") << QStringLiteral("IPAGothic"));
    QFont::insertSubstitutions(QString::fromUtf8(kMincho), QStringList() << QStringLiteral("IPAPMincho") << QStringLiteral("IPAMincho"));
}

QFont LayoutFont(const char* family, double points, bool bold) {
    QFont font(QString::fromUtf8(family));
    font.setPixelSize(PointsToPixels(points));
    font.setBold(bold);
    return font;
}

}  // namespace namori
