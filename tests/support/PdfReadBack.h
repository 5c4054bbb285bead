// A print run into a PDF file on an A4 report printer, and what poppler-utils reads back from it:
// the page count, the texts, where words stand in millimetres of the design page, and pages
// rendered to images. The header shows a fixed time; afterwards the program is back at its own
// start-up document for the tests that follow.
#pragma once

#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "print/PrintFrame.h"
#include "print/dialogs/PrintOut.h"
#include "print/PrintRun.h"
#include "ui/QtPrintDevice.h"

#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <array>
#include <initializer_list>
#include <memory>
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

class PdfReadBack {
public:
    static bool Available() {
        return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
               !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
    }

    PdfReadBack() {
        PreparePdfPrinter(printer, file);
        origin = printer.pageLayout().paintRect(QPageLayout::Point).topLeft();
        SetHeaderClock([] { return HeaderTime{2015, 3, 7, 9, 5, 0}; });
    }
    ~PdfReadBack() {
        SetHeaderClock({});
        static const auto blank = std::make_unique<Document>();
        Doc = *blank;
        App = AppState{};
        Grid = GridState{};
    }

    // Prints the pages of the flags in one run.
    void print(std::initializer_list<int> printed) {
        int32_t flags[PrintFlagCount] = {};
        for (int flag : printed) flags[flag] = 1;
        PrintOnPrinter(printer, PlanPrintRun(flags));
    }

    int pages() const {
        const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)\\n"))
                           .match(Poppler(QStringLiteral("pdfinfo"), {file}));
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }
    // The text of one page (1..), or of all of them with form feeds between pages.
    QString text(int page = 0, bool layout = false) const {
        QStringList arguments = pageArguments(page);
        if (layout) arguments << QStringLiteral("-layout");
        return Poppler(QStringLiteral("pdftotext"), arguments << file << QStringLiteral("-"));
    }

    struct Word {
        double left, top, right; // millimetres of the design page
    };
    // Every box of `word` on one page or on all.
    std::vector<Word> words(const QString& word, int page = 0) const {
        const QString html =
            Poppler(QStringLiteral("pdftotext"),
                    pageArguments(page) << QStringLiteral("-bbox") << file << QStringLiteral("-"));
        const auto mm = [](double pt, double o) { return (pt - o) * 25.4 / 72 / PrintScale; };
        std::vector<Word> out;
        for (const auto& [left, top, right] : WordBoxes(html, word))
            out.push_back({mm(left, origin.x()), mm(top, origin.y()), mm(right, origin.x())});
        return out;
    }

    // One page rendered at `dpi`, and the pixel of a point of the design page on it.
    QImage render(int page, int dpi) {
        dpiRendered = dpi;
        const QString prefix = dir.filePath(QStringLiteral("page"));
        Poppler(QStringLiteral("pdftoppm"), pageArguments(page)
                                                << "-r" << QString::number(dpi) << "-png"
                                                << "-singlefile" << file << prefix);
        return QImage(prefix + QStringLiteral(".png"));
    }
    QPoint pixel(double xmm, double ymm) const {
        return QPoint(int((origin.x() / 72 + xmm * PrintScale / 25.4) * dpiRendered),
                      int((origin.y() / 72 + ymm * PrintScale / 25.4) * dpiRendered));
    }

    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("run.pdf"));
    QPrinter printer{QPrinter::HighResolution};
    QPointF origin;

private:
    static QStringList pageArguments(int page) {
        if (page <= 0) return {};
        const QString n = QString::number(page);
        return {QStringLiteral("-f"), n, QStringLiteral("-l"), n};
    }
    int dpiRendered = 72;
};
