#pragma once
// The printer set-up and the colour dialog over Qt's own dialogs, which speak the language of
// Qt's loaded translations.
#include "ports/PrintServices.h"

class QPrinter;
class QWidget;

class QtPrinterSetupService final : public PrinterSetupService {
public:
    // The printer must outlive the service; the print runs print on it.
    QtPrinterSetupService(QPrinter& printer, QWidget* parent)
        : printer_(printer), parent_(parent) {}
    bool runSetup() override;

private:
    QPrinter& printer_;
    QWidget* parent_;
};

class QtColourDialogService final : public ColourDialogService {
public:
    explicit QtColourDialogService(QWidget* parent) : parent_(parent) {}
    bool pickColour(ColorRef& colour) override;

private:
    QWidget* parent_;
};
