#pragma once
// What the program sets up right after the application object exists and before any form:
// the C numeric locale, Qt's Japanese translations, the Japanese font faces, the message
// boxes and the style that keeps scroll bars as pictures.
class QApplication;

void PrepareApplication(QApplication& app);

// Loads Qt's Japanese catalogues (Debian's qt6-translations-l10n) and makes Japanese the
// default locale of Qt's dialogs. Returns how many catalogues were installed (0 when the
// package is missing: the dialogs then stay in English).
int InstallQtTranslations(QApplication& app);
