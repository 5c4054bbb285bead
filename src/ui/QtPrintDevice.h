#pragma once
// The print device over a QPrinter: a PDF file or a CUPS printer, whatever the printer set-up
// chose, at 600 dots per inch. One device serves one print run: the printer's output file is the
// first document's, and every further document of the run goes to a file of its own ("report.pdf",
// "report-2.pdf", ...), since a second job on the same PDF file would replace the first. In a
// print preview the documents of the run follow one another in the one preview, each numbering
// its pages from 1.
#include "ports/PrintDevice.h"
#include "ui/QtCanvas.h"

#include <QPainter>
#include <QString>

#include <functional>

class QPrinter;
class QWidget;

// Dots per inch of all printed output: the page printers lay out in millimetres, and at 600 dpi
// the rounding of each millimetre position to whole dots stays below 0.05 mm.
constexpr int ReportPrinterDpi = 600;

// The printer of the reports as it starts: A4 portrait at ReportPrinterDpi. The printer set-up
// changes the printer, paper and orientation, never the resolution.
void PrepareReportPrinter(QPrinter& printer);

class QtPrintDevice final : public PrintDevice {
public:
    enum class Target { Printer, Preview };

    // The printer must outlive the device. A preview device draws on the printer that a
    // QPrintPreviewDialog hands out.
    explicit QtPrintDevice(QPrinter& printer, Target target = Target::Printer);
    // Ends a document left open and gives the printer back its own output file.
    ~QtPrintDevice() override;
    QtPrintDevice(const QtPrintDevice&) = delete;
    QtPrintDevice& operator=(const QtPrintDevice&) = delete;

    bool beginDocument(const std::string& title = {}) override;
    bool newPage() override;
    bool endDocument() override;
    bool printing() const override { return open_; }
    int pageNumber() const override { return open_ ? page_ : lastPage_; }
    int pageWidth() const override;
    int pageHeight() const override;
    int resolution() const override;
    Canvas& canvas() override { return canvas_; }
    void setDashUnit(double dots) override;

    // The files written so far, in order (empty for a printer or a preview).
    const QStringList& files() const { return files_; }

private:
    QPrinter& printer_;
    Target target_;
    QPainter painter_;
    QtCanvas canvas_;
    QString outputFile_; // the printer's own output file, restored at the end
    QStringList files_;
    int jobs_ = 0, page_ = 0, lastPage_ = 0;
    bool open_ = false;
    double dashUnit_ = 0.0; // set by the print run; 0: the screen's length
};

// The file of a run's document `job` (1 for the first) when the printer writes to `file`.
QString JobOutputFile(const QString& file, int job);

// Shows the pages of a print run in a print preview window over the printer; its print button
// prints them as they are shown. The run begins and ends its documents as when it prints.
void RunPrintPreview(QPrinter& printer, const std::function<void(PrintDevice&)>& run,
                     QWidget* parent = nullptr);
