#pragma once

#include <QFont>

namespace namori {

inline constexpr const char* kGothic = "ＭＳ Ｐゴシック";
inline constexpr const char* kMincho = "ＭＳ Ｐ明朝";

// Maps the two font names of the layout to the installed IPA P fonts of the same kind and makes
// the layout's Gothic at 9 points the application's font, the font of every control that sets
// none. Called once at start-up, after the application object and before any window is built.
void InstallLayoutFonts();

// A font of the layout at a size in points, as pixels at 96 per inch.
QFont LayoutFont(const char* family, double points, bool bold = false);

}  // namespace namori
