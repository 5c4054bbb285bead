#include "reports/ReportView.h"

int ReportLinesHeight(const std::vector<ReportLine>& lines) {
    int h = 0;
    for (const ReportLine& line : lines) h += line.advance;
    return h;
}
