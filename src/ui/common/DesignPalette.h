#pragma once

class QWidget;

namespace namori {

// The layout's colours (light cells, black and dark blue texts, the light yellow boxes) are drawn
// for a light window. On a desktop whose palette is dark, a window built from the layout keeps a
// light palette of its own, so that every text stays readable on the background the layout gives
// it; on a light desktop the window keeps the desktop's palette. Call before building children.
void KeepDesignPalette(QWidget& window);

}  // namespace namori
