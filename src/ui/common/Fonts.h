#pragma once

#include <QFont>

namespace namori {

inline constexpr const char* kGothic = "ＭＳ Ｐゴシック";
inline constexpr const char* kMincho = "ＭＳ Ｐ明朝";

// Maps the two font names of the layout to the installed IPA P fonts of the same kind. Called
// once at start-up, after the application object and before any window is built. The
// application's font stays the desktop's: the windows laid out in twips set the layout's own.
void InstallLayoutFonts();

// A font of the layout at a size in points, as pixels at 96 per inch.
QFont LayoutFont(const char* family, double points, bool bold = false);

}  // namespace namori
