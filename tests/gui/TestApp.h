#pragma once
// One application object for the Qt tests of a process, made as the program makes its own.
#include "ui/Controls.h"
#include "ui/Fonts.h"
#include "ui/ScrollBarStyle.h"

#include <QApplication>
#include <QElapsedTimer>

#include <clocale>

inline QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* a = new QApplication(argc, argv);
        std::setlocale(LC_NUMERIC, "C");
        InstallFontSubstitutions();
        InstallScrollBarStyle();
        InstallGreyedTextColours();
        return a;
    }();
    return *app;
}

// Runs the event loop until `done` holds or `ms` milliseconds have passed.
template <typename F>
bool ProcessEventsUntil(F done, int ms = 2000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}
