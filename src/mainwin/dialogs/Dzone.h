#pragma once
// The palette of the zoning input mode: zoning is not available yet, and the palette says so.
#include "ui/Forms.h"

class TzoneDlg final : public PaletteForm {
    Q_OBJECT
public:
    explicit TzoneDlg(QWidget* mainWindow);
};

extern TzoneDlg* zoneDlg;
