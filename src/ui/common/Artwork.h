#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <initializer_list>

namespace namori {

// The program's own pictures, drawn as SVG and compiled in: name is the file name without
// ".svg" (for example "wara"). Rendered at the given size in device-independent pixels, sharp
// also on high-density screens.
QPixmap ArtworkPixmap(const QString& name, QSize size);
QIcon ArtworkIcon(const QString& name, std::initializer_list<int> sides = {16, 32, 48});

}  // namespace namori
