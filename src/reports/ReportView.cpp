#include "reports/ReportView.h"

#include <algorithm>
#include <cstdlib>

int ReportLinesHeight(const std::vector<ReportLine>& lines) {
    int h = 0;
    for (const ReportLine& line : lines) h += line.advance;
    return h;
}

int ReportLinesWidth(const std::vector<ReportLine>& lines, int x) {
    long long right = x;
    for (const ReportLine& line : lines) {
        // A font without a width takes half its height, as the faces do.
        const int cell = line.font.width > 0 ? line.font.width : std::abs(line.font.height) / 2;
        right = std::max(right, x + static_cast<long long>(line.text.size()) * cell);
    }
    return static_cast<int>(std::min<long long>(right, 1000000000));
}
