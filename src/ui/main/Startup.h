#pragma once

#include <filesystem>
#include <functional>
#include <optional>

class QWidget;

namespace namori {

struct ReferenceTables;
class MessageBox;

// The start-up before the main window: reads the spirit-number table of spiritTableFolder (folder
// when empty) and the kanji dictionary of folder into tables. When a reference table is missing
// or malformed, a message names the file and the problem and the result is false: the program
// must end without a window.
bool PrepareStartUp(ReferenceTables& tables, MessageBox& messages,
                    const std::filesystem::path& folder,
                    const std::filesystem::path& spiritTableFolder = {});

// Places a window in the middle of the screen it is on.
void CentreOnScreen(QWidget& window);

class MainWindow;

// The whole start-up: the data folder (requestedFolder when given, else as ResolveDataFolder
// finds it), the fonts and the reference tables, then the main window,
// centred and shown, with its lists loaded. Then run takes over (the event loop, or a
// measurement). Returns 1, without a window, when the data folder cannot be had or a reference
// table cannot be read (the message is also written to standard error), else what run returns.
int StartUp(const std::function<int(MainWindow&)>& run,
            std::optional<std::filesystem::path> requestedFolder = std::nullopt);

}  // namespace namori
