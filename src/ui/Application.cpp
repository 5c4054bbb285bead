#include "ui/Application.h"

#include "ui/Controls.h"
#include "ui/Fonts.h"
#include "ui/MessageBoxes.h"
#include "ui/ScrollBarStyle.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>

int InstallQtTranslations(QApplication& app) {
    // Qt's own dialogs (file, print, printer set-up, colour, print preview) speak the
    // program's language whatever the environment says.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    int loaded = 0;
    const QStringList files = QDir(folder).entryList({QStringLiteral("qt*_ja.qm")}, QDir::Files);
    for (const QString& file : files) {
        // qt_ja.qm only names the module catalogues, which are loaded one by one here.
        if (file == QStringLiteral("qt_ja.qm") || file == QStringLiteral("qt_help_ja.qm")) continue;
        auto* translator = new QTranslator(&app);
        if (translator->load(file, folder) && QApplication::installTranslator(translator)) {
            ++loaded;
        } else {
            delete translator;
        }
    }
    return loaded;
}

void PrepareApplication(QApplication& app) {
    // Qt takes the C library locale from the environment; the model files, "%5.2f" and every
    // number parsed with strtod need the C numeric locale whatever the user's language.
    std::setlocale(LC_NUMERIC, "C");
    app.setApplicationName(QStringLiteral("Velquor"));
    InstallQtTranslations(app);
    InstallFontSubstitutions();
    InstallQtMessageService();
    InstallScrollBarStyle();
    InstallGreyedTextColours();
}
