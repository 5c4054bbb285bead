#include "print/PrintReportPages.h"

#include "model/Bounded.h"
#include "print/PrintFrame.h"

namespace {

constexpr const char* ScenarioTitles[3] = {"現況 ", "補強計画 ", "補強計画案２ "};

} // namespace

const char* PrintedScenarioTitle(int s) {
    return BoundedAt(ScenarioTitles, s);
}

void PrintReportTitle(PrintDevice& device, double dotsPerMm, double xMm, double yMm,
                      const std::string& cp932) {
    device.canvas().setFont(MmFont(dotsPerMm, 5.0, 2.5, 800));
    TextOutMm(device, dotsPerMm, xMm, yMm, cp932);
}

void PrintLineAt(PrintDevice& device, double dotsPerMm, double xMm, int y,
                 const std::string& cp932) {
    if (!cp932.empty()) device.canvas().textOut(TruncPixel(xMm * dotsPerMm), y, cp932);
}
