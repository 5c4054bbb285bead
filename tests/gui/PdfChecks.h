#pragma once
// Printing into a PDF file and reading it back with poppler-utils.
#include "ui/QtPrintDevice.h"

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// The report printer of a print run, writing into the PDF file `file`.
inline void PreparePdfPrinter(QPrinter& printer, const QString& file) {
    PrepareReportPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageMargins(QMarginsF(2.98, 2.98, 2.98, 2.98), QPageLayout::Millimeter);
}

// Runs a poppler tool; empty when poppler-utils is missing.
inline QString Poppler(const QString& tool, const QStringList& arguments) {
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty()) return {};
    QProcess process;
    process.start(path, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Every word box of `word` in `pdftotext -bbox` output: xMin, yMin, xMax in points.
inline std::vector<std::array<double, 3>> WordBoxes(const QString& html, const QString& word) {
    const QRegularExpression box(
        QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\"[^>]*>%1<")
            .arg(QRegularExpression::escape(word)));
    std::vector<std::array<double, 3>> boxes;
    for (auto it = box.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        boxes.push_back(
            {m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble()});
    }
    return boxes;
}
