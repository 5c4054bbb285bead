#include "ui/QtPrintDevice.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>

void PrepareReportPrinter(QPrinter& printer) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setResolution(ReportPrinterDpi);
}

QString JobOutputFile(const QString& file, int job) {
    if (job <= 1 || file.isEmpty()) return file;
    const QFileInfo info(file);
    const QString suffix = info.suffix();
    const QString stem = suffix.isEmpty() ? file : file.left(file.size() - suffix.size() - 1);
    return QStringLiteral("%1-%2%3").arg(stem).arg(job).arg(
        suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
}

QtPrintDevice::QtPrintDevice(QPrinter& printer, Target target)
    : printer_(printer), target_(target), canvas_(painter_), outputFile_(printer.outputFileName()) {
    printer_.setResolution(ReportPrinterDpi);
}

QtPrintDevice::~QtPrintDevice() {
    if (open_) endDocument();
    if (painter_.isActive()) painter_.end();
    if (printer_.outputFileName() != outputFile_) printer_.setOutputFileName(outputFile_);
}

bool QtPrintDevice::beginDocument(const std::string& title) {
    if (open_) return false;
    if (target_ == Target::Preview && painter_.isActive()) {
        // The preview shows the run's documents one after another.
        if (!printer_.newPage()) return false;
    } else {
        // The set-up may have left another resolution; every document prints at the same.
        printer_.setResolution(ReportPrinterDpi);
        printer_.setDocName(QString::fromStdString(title));
        const QString file = JobOutputFile(outputFile_, jobs_ + 1);
        if (target_ == Target::Printer && printer_.outputFileName() != file)
            printer_.setOutputFileName(file);
        if (!painter_.begin(&printer_)) return false; // an unwritable file, a vanished printer
        painter_.setRenderHint(QPainter::Antialiasing, false);
        if (target_ == Target::Printer && !file.isEmpty()) files_ << file;
    }
    // Until the run sets its own, dash patterns as long as on a screen of 96 dpi: a dot stays
    // 0.8 mm, not one dot.
    canvas_.setDashUnit(dashUnit_ > 0 ? dashUnit_ : resolution() / 96.0);
    ++jobs_;
    page_ = 1;
    open_ = true;
    return true;
}

void QtPrintDevice::setDashUnit(double dots) {
    dashUnit_ = dots;
    canvas_.setDashUnit(dots);
}

bool QtPrintDevice::newPage() {
    if (!open_ || !printer_.newPage()) return false;
    ++page_;
    return true;
}

bool QtPrintDevice::endDocument() {
    if (!open_) return false;
    open_ = false;
    lastPage_ = page_;
    page_ = 0;
    if (target_ == Target::Preview) return true; // the preview's painter ends with the device
    const bool ended = painter_.end();
    return ended && printer_.printerState() != QPrinter::Error;
}

int QtPrintDevice::pageWidth() const {
    return printer_.width();
}

int QtPrintDevice::pageHeight() const {
    return printer_.height();
}

int QtPrintDevice::resolution() const {
    return printer_.resolution();
}

void RunPrintPreview(QPrinter& printer, const std::function<void(PrintDevice&)>& run,
                     QWidget* parent) {
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&run](QPrinter* target) {
                         QtPrintDevice device(*target, QtPrintDevice::Target::Preview);
                         run(device);
                     });
    dialog.exec();
}
