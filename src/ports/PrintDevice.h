#pragma once
// The printer as the page printers see it: documents (print jobs) of pages, the printable area in
// dots and the canvas to draw on. Deliberately free of Qt, so that a print run can be tested with
// a recording device (src/ports/RecordingPrintDevice.h) and shown in a print preview by the same
// code that prints (src/ui/QtPrintDevice.h).
//
// Page numbers count within a document: 1 after beginDocument, one more at every newPage. The
// canvas keeps its pen, brush and font across pages and documents; it draws on the current page
// and only while a document is open. Coordinates are dots from the top-left corner of the
// printable area.
#include "ports/Canvas.h"

#include <string>

class PrintDevice {
public:
    virtual ~PrintDevice() = default;

    // Each returns false when the printer refused (no output file, printer gone); the caller
    // stops the run and tells the user. Beginning while a document is open fails, as do newPage
    // and endDocument while none is.
    virtual bool beginDocument(const std::string& title = {}) = 0;
    virtual bool newPage() = 0;
    virtual bool endDocument() = 0;

    virtual bool printing() const = 0;
    virtual int pageNumber() const = 0;
    // The printable area in dots and the resolution in dots per inch (the same both ways).
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    virtual int resolution() const = 0;

    virtual Canvas& canvas() = 0;

    // Length of one unit of the canvas's dash patterns, in dots, from the next figure on. A
    // device that draws no dashes of its own ignores it.
    virtual void setDashUnit(double /*dots*/) {}
};
