#pragma once
// The hints of controls (their status tips) in every form of the program, palettes and dialogs
// included, go to the main window's status bar. Qt stops a status tip at its own top-level
// window; an application-wide filter forwards the ones of other windows.
#include <QString>

class QStatusBar;

// The bar every hint goes to from now on (nullptr: none; hints then go nowhere). Installs the
// forwarding filter on the application once.
void InstallStatusHints(QStatusBar* bar);

// Sets the status text and repaints the bar at once, so that a hint shown while the mouse
// moves over the plan appears before the next paint of the window.
void SetStatusText(const QString& text);
// What the status bar shows now.
QString StatusText();
