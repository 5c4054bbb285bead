#include "ui/DesktopBrowser.h"

#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

// The program the desktop chose for HTML files, empty for none.
QString DefaultHtmlProgram() {
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty()) return {};
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(
        query, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// Graphical browsers the opener falls back to when the desktop chose none.
bool KnownBrowserInstalled() {
    for (const char* name :
         {"x-www-browser", "firefox", "firefox-esr", "chromium", "chromium-browser",
          "google-chrome", "epiphany", "konqueror", "falkon"}) {
        if (!QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty()) return true;
    }
    return false;
}

} // namespace

bool OpenInDesktopBrowser(const QUrl& url) {
    // Without a display no browser window could appear.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) return false;
    if (qEnvironmentVariableIsEmpty("BROWSER") && DefaultHtmlProgram().isEmpty() &&
        !KnownBrowserInstalled())
        return false;
    QProcess launcher;
    launcher.setProgram(opener);
    launcher.setArguments({QString::fromUtf8(url.toEncoded())});
    launcher.setStandardOutputFile(QProcess::nullDevice());
    launcher.setStandardErrorFile(QProcess::nullDevice());
    return launcher.startDetached();
}
