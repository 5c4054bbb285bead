#include "ui/Application.h"

#include "ui/Fonts.h"
#include "ui/MessageBoxes.h"

#include <QApplication>

#include <clocale>

void PrepareApplication(QApplication& app) {
    // Qt takes the C library locale from the environment; the model files, "%5.2f" and every
    // number parsed with strtod need the C numeric locale whatever the user's language.
    std::setlocale(LC_NUMERIC, "C");
    app.setApplicationName(QStringLiteral("Velquor"));
    InstallFontSubstitutions();
    InstallQtMessageService();
}
