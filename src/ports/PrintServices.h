#pragma once
// The common dialogs that the forms run for a choice: the printer set-up and the colour dialog.
// Qt-free interfaces, so that the forms are tested with scripted fakes
// (tests/support/ScriptedPrintServices.h); the Qt dialogs are in src/ui/QtPrintServices.h.
#include "model/ColorRef.h"

class PrinterSetupService {
public:
    virtual ~PrinterSetupService() = default;
    // Lets the user choose the printer (or a PDF file), the paper and its orientation; false
    // when the user cancelled, leaving the printer as it was.
    virtual bool runSetup() = 0;
};

class ColourDialogService {
public:
    virtual ~ColourDialogService() = default;
    // Opens on `colour` (COLORREF); true with the chosen colour in `colour`, false on cancel
    // with `colour` unchanged.
    virtual bool pickColour(ColorRef& colour) = 0;
};
