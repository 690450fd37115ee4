#include "ui/common/Fonts.h"

#include <QApplication>
#include <QStringList>
#include <string_view>

#include "ui/common/Twips.h"

namespace namori {

namespace {

QStringList InstalledFamilies(std::string_view layoutFamily) {
    if (layoutFamily == kGothic) {
        return {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};
    }
    if (layoutFamily == kMincho) {
        return {QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")};
    }
    return {QString::fromUtf8(layoutFamily.data(), static_cast<qsizetype>(layoutFamily.size()))};
}

}  // namespace

void InstallLayoutFonts() {
    for (const char* layoutFamily : {kGothic, kMincho}) {
        QFont::insertSubstitutions(QString::fromUtf8(layoutFamily),
                                   InstalledFamilies(layoutFamily));
    }
}

// The installed family is named directly, and only one: a family that fontconfig does not know,
// such as the layout's own names, or a second family, makes Qt ask fontconfig at once for a
// sorted fallback list, which is slow.
QFont LayoutFont(const char* family, double points, bool bold) {
    QFont font(InstalledFamilies(family).front());
    font.setPixelSize(PointsToPixels(points));
    font.setBold(bold);
    // Unhinted glyphs look the same at these sizes and take less processor time to draw the
    // first window (about 38 ms instead of 43 to 52 ms of the start-up's processor time here).
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

}  // namespace namori
