#include "ui/QtPrintServices.h"

#include "ui/Colors.h"
#include "ui/QtPrintDevice.h"

#include <QColorDialog>
#include <QPrintDialog>
#include <QPrinter>

bool QtPrinterSetupService::runSetup() {
    // A set-up, not a print: no page range, selection or current page to choose.
    QPrintDialog dialog(&printer_, parent_);
    dialog.setWindowTitle(QStringLiteral("プリンタの設定"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    // A printer's own settings may bring another resolution; the pages are laid out for one.
    printer_.setResolution(ReportPrinterDpi);
    return accepted;
}

bool QtColourDialogService::pickColour(ColorRef& colour) {
    const QColor chosen =
        QColorDialog::getColor(ColorFromRef(colour), parent_, QStringLiteral("色の設定"));
    if (!chosen.isValid()) return false;
    colour = RefFromColor(chosen);
    return true;
}
