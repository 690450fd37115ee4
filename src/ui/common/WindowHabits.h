#pragma once

#include <QString>

class QWidget;

namespace namori {

// Ctrl+W and Esc close window, as they close secondary windows across the desktop.
void AddCloseKeys(QWidget& window);

// Gives window the size and place it had when it was last hidden (kept in the user's settings
// under name), and keeps them again each time it is hidden.
void RememberGeometry(QWidget& window, const QString& name);

// A text with its keyboard shortcut, as tooltips and help show it: "終了します（Ctrl+Q）".
QString WithShortcut(const QString& text, const QString& keys);

}  // namespace namori
