#pragma once
// A print run: which page printers the page selection calls, in which print jobs, and the run
// itself on a print device. The plan is plain data from the flags; the run begins and ends the
// jobs, fits the design page to the printable area once and calls every printer with the same
// dotsPerMm on a fresh page. Free of Qt.
#include "ports/PrintDevice.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int PrintFlagCount = 25;
// Flags 0..10 are the application forms, 11..22 the calculation report, 23..24 the cost
// estimate sheets (no page printer).
inline constexpr int FirstReportFlag = 11;
inline constexpr int FirstEstimateFlag = 23;

// A page printer: called with a print job open and a fresh page current; prints its own
// headers, starts its further pages itself and never begins or ends a job.
using PagePrinter = void (*)(PrintDevice& device, double dotsPerMm);
using PagePrinterTable = PagePrinter[PrintFlagCount];

// The program's page printers by flag; nullptr where a page has no printer (yet): its flag is
// kept and prints nothing.
extern const PagePrinterTable PagePrinters;

// The factor that fits the design page to the printable area; written by every run before its
// first page.
extern double PrintScale;

// PrintScale and dotsPerMm of a printable area of `width` x `height` dots at `dpi`: the smaller
// of the two fits, so that the design page keeps its proportions. False (and zeros) for an
// area or resolution of 0.
bool FitDesignPage(int width, int height, int dpi, double& scale, double& dotsPerMm);

// The jobs of a run, each the flags of its pages in printing order. Application forms make the
// first job; the report pages follow in the same job, or in a job of their own when forms were
// printed. A job without a page is left out; no job at all when nothing prints.
struct PrintPlan {
    std::vector<std::vector<int>> jobs;
    bool empty() const { return jobs.empty(); }
};
PrintPlan PlanPrintRun(const int32_t (&flags)[PrintFlagCount],
                       const PagePrinterTable& printers = PagePrinters);

// Runs the plan on the device. Stops at the first refusal of the printer (a job that cannot
// begin, a failed new page or end, an area or resolution of 0), tells the user (caption
// "印刷") and calls no further printer. False when the run stopped.
bool RunPrintPlan(PrintDevice& device, const PrintPlan& plan,
                  const PagePrinterTable& printers = PagePrinters);
