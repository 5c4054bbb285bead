#pragma once
// The desktop's web browser, for pages that ship with the program (the help).
class QUrl;

// Asks the desktop's opener (xdg-open) to show `url` in the browser, where this desktop has one:
// a display, the opener and a program for web pages (the desktop's choice for HTML, $BROWSER or
// a known browser). Returns false, having started nothing, where it has none. What the opener
// writes goes nowhere: the program's terminal shows no launcher messages.
bool OpenInDesktopBrowser(const QUrl& url);
