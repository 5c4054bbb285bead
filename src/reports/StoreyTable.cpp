#include "reports/StoreyTable.h"

#include "reports/ReportLines.h"

std::string StoreyColumnsRow(int top, const char* labelFormat, const StoreyPair& v,
                             const StoreyPieceFormats& fm) {
    top = ClampIndex(top, Storeys);
    std::string row = ReportFormat(labelFormat, v.x[0]);
    for (int f = 1; f <= top; ++f) row += ReportFormat(fm.xMore, v.x[f]);
    row += ReportFormat(fm.yFirst, v.y[0]);
    for (int f = 1; f <= top; ++f) row += ReportFormat(fm.yMore, v.y[f]);
    return row;
}

std::string StoreyColumnsRow(int top, const char* labelFormat, const double (&value)[Storeys],
                             const StoreyPieceFormats& fm) {
    StoreyPair p;
    for (int f = 0; f < Storeys; ++f) p.x[f] = p.y[f] = value[f];
    return StoreyColumnsRow(top, labelFormat, p, fm);
}

std::string DirectionRow(int top) {
    std::string row = ReportText("方向                     Ｘ");
    for (int f = 1; f <= ClampIndex(top, Storeys); ++f) row += "           ";
    return row + ReportText("          Ｙ");
}

std::string StoreyHeaderRow(int top) {
    top = ClampIndex(top, Storeys);
    static const char* const more[Storeys] = {"", "       ２階", "       ３階"};
    std::string row = ReportText("階                      １階");
    for (int f = 1; f <= top; ++f) row += ReportText(more[f]);
    row += ReportText("        １階");
    for (int f = 1; f <= top; ++f) row += ReportText(more[f]);
    return row;
}
