#include "TestApp.h"

#include "model/Cp932.h"
#include "ports/RecordingPrintDevice.h"
#include "ui/QtCanvas.h"
#include "ui/QtPrintDevice.h"

#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QPrinter& PdfPrinter(QPrinter& printer, const QString& file) {
    PrepareReportPrinter(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return printer;
}

// The first page of a PDF at 72 dpi, or a null image when poppler-utils is missing.
QImage RenderFirstPage(const QString& pdf, const QString& dir) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty()) return {};
    const QString stem = dir + QStringLiteral("/page");
    QProcess::execute(tool, {"-r", "72", "-png", "-f", "1", "-singlefile", pdf, stem});
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

bool Near(QRgb got, QRgb want) {
    return std::abs(qRed(got) - qRed(want)) + std::abs(qGreen(got) - qGreen(want)) +
               std::abs(qBlue(got) - qBlue(want)) <
           90;
}

} // namespace

// The job and page tags and the steps it records are read back by the print run tests; here
// what it allows outside a document and within one.
TEST(RecordingPrintDevice, OneDocumentAtATimeAndNothingOutsideOne) {
    RecordingPrintDevice device;
    EXPECT_FALSE(device.newPage());
    EXPECT_FALSE(device.endDocument());
    ASSERT_TRUE(device.beginDocument());
    EXPECT_FALSE(device.beginDocument()) << "one document at a time";
    ASSERT_TRUE(device.endDocument());
    ASSERT_TRUE(device.beginDocument("report"));
    ASSERT_TRUE(device.endDocument());
    EXPECT_EQ(device.titles, (std::vector<std::string>{"", "report"}));
    device.refuseBegin = true;
    EXPECT_FALSE(device.beginDocument());
    EXPECT_FALSE(device.printing());
}

// xor, mask, hatches, dashes and text as a PDF shows them: each figure as it would come out on
// white paper, since the PDF engine draws raster operations opaque.
TEST(PaperCanvas, FiguresPrintInTheirPaperColours) {
    TestApp();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("paper.pdf"));
    QPrinter printer;
    QtPrintDevice device(PdfPrinter(printer, pdf));
    ASSERT_TRUE(device.beginDocument("paper"));
    auto& c = dynamic_cast<QtCanvas&>(device.canvas());
    EXPECT_FALSE(c.supportsRasterOps());
    EXPECT_EQ(device.resolution(), ReportPrinterDpi);

    // A red quarter line in xor: cyan, as on screen over white.
    c.setPen(0x0000FF, 60, PenStyle::Solid, PenMode::Xor);
    c.moveTo(300, 300);
    c.lineTo(3000, 300);
    // Two overlapping mask fills, yellow and cyan, with a blue outline.
    c.setPen(0xFF0000, 1, PenStyle::Solid, PenMode::Mask);
    c.setBrushColour(0x00FFFF);
    c.rectangle(300, 600, 1500, 1800);
    c.setBrushColour(0xFFFF00);
    c.rectangle(900, 1200, 2100, 2400);
    // A cross hatch: lines a few millimetres apart, not a grey tint.
    c.setPen(0x000000, 1, PenStyle::Clear);
    c.setBrushStyle(BrushStyle::Cross);
    c.setBrushColour(0x000000);
    c.rectangle(2400, 600, 3600, 1800);
    // A dotted hair line stays dotted at 600 dpi.
    c.setPen(0x000000, 1, PenStyle::Dot);
    c.moveTo(300, 3000);
    c.lineTo(3000, 3000);
    // Text by the top-left of its cell, a tab drawn as one blank.
    c.setBrushStyle(BrushStyle::Clear);
    CanvasFont f;
    f.height = 240;
    c.setFont(f);
    EXPECT_EQ(c.textWidth("A\tB"), c.textWidth("A B"));
    c.textOut(300, 3600, *cp932::fromUtf8("■\t■"));
    ASSERT_TRUE(device.endDocument());

    const QImage page = RenderFirstPage(pdf, dir.path());
    if (page.isNull()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    // Points of the printable area in printer dots, on the rendering of the whole paper.
    const QPoint margin = printer.pageRect(QPrinter::DevicePixel).topLeft().toPoint();
    const auto ToPage = [&](int x, int y) { return (QPoint(x, y) + margin) * 72 / 600; };
    const auto At = [&](int x, int y) { return page.pixel(ToPage(x, y)) & 0xFFFFFF; };
    EXPECT_TRUE(Near(At(1500, 300), qRgb(0, 255, 255))) << "xor red on white";
    EXPECT_TRUE(Near(At(600, 900), qRgb(255, 255, 0))) << "the first mask fill";
    EXPECT_TRUE(Near(At(1800, 2100), qRgb(0, 255, 255))) << "the second mask fill";

    // Hatch: within its box some pixels inked, most of them white.
    int inked = 0, all = 0;
    for (int y = 700; y < 1700; y += 8)
        for (int x = 2500; x < 3500; x += 8, ++all)
            if (qGray(At(x, y)) < 200) ++inked;
    EXPECT_GT(inked, all / 20);
    EXPECT_LT(inked, all / 2);

    // Dots: along the line both ink and gaps.
    int dots = 0, gaps = 0;
    for (int x = 300; x < 3000; x += 600 / 72) (qGray(At(x, 3000)) < 200 ? dots : gaps)++;
    EXPECT_GT(dots, 20);
    EXPECT_GT(gaps, 20);

    // Text: ink starts at the cell's top-left corner, within a quarter of the cell, in one line.
    QRect ink;
    const QPoint cell = ToPage(300, 3600);
    for (int y = cell.y() - 20; y < cell.y() + 60; ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.top(), cell.y(), 60 * 72 / 600);
    EXPECT_NEAR(ink.left(), cell.x(), 60 * 72 / 600);
    EXPECT_LT(ink.height(), 240 * 72 / 600 + 2);
    EXPECT_GT(ink.width(), 4 * 120 * 72 / 600) << "two full-width marks with a blank between";
}

TEST(QtPrintDevice, RefusalsAreReportedAndEachJobGetsItsFile) {
    TestApp();
    QTemporaryDir dir;
    QPrinter printer;
    {
        QtPrintDevice device(PdfPrinter(printer, dir.filePath("missing/dir/report.pdf")));
        EXPECT_FALSE(device.beginDocument());
        EXPECT_FALSE(device.printing() || device.newPage() || device.endDocument());
    }
    const QString file = dir.filePath("report.pdf");
    printer.setOutputFileName(file);
    {
        QtPrintDevice device(printer);
        for (int job = 1; job <= 2; ++job) {
            ASSERT_TRUE(device.beginDocument());
            EXPECT_EQ(device.pageNumber(), 1);
            device.canvas().textOut(0, 0, "S-P. 1");
            ASSERT_TRUE(device.newPage());
            EXPECT_EQ(device.pageNumber(), 2);
            ASSERT_TRUE(device.endDocument());
        }
        EXPECT_EQ(device.files(), QStringList({file, dir.filePath("report-2.pdf")}));
        EXPECT_GT(device.pageWidth(), 4700); // A4 less margins at 600 dpi
        EXPECT_GT(device.pageHeight(), device.pageWidth());
    }
    EXPECT_EQ(printer.outputFileName(), file) << "the next run starts from the chosen file";
    EXPECT_GT(QFile(file).size() * QFile(dir.filePath("report-2.pdf")).size(), 0);
    EXPECT_EQ(JobOutputFile("/a/b.c/report", 3), "/a/b.c/report-3");

    // A preview shows the run's documents one after another, each numbered from 1.
    const QString shown = dir.filePath("preview.pdf");
    printer.setOutputFileName(shown);
    {
        QtPrintDevice preview(printer, QtPrintDevice::Target::Preview);
        for (int job = 1; job <= 2; ++job) {
            ASSERT_TRUE(preview.beginDocument());
            EXPECT_EQ(preview.pageNumber(), 1);
            ASSERT_TRUE(preview.endDocument());
        }
    }
    EXPECT_GT(QFile(shown).size(), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("preview-2.pdf")));
}
