#pragma once

namespace namori {

// Makes the texts that Qt itself shows (file dialogs, the entry boxes' context menu, standard
// buttons) Japanese, whatever the user's locale: the program speaks only Japanese. Loads Qt's
// own Japanese translation (Debian qt6-translations-l10n); false when it is not installed, and
// those texts then stay in English. Called once, after the application object is made.
bool InstallQtTranslations();

}  // namespace namori
