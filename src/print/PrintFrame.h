#pragma once
// The frame every printed page shares: millimetres of the design page scaled by dotsPerMm and
// truncated to whole printer dots, fonts sized in millimetres, the header line at the top right
// (program, building, page number, time of printing) and the judgement of a score.
//
// Free of Qt: the page printers draw on a PrintDevice, so that a print run can be tested on the
// recording device and is built with the core.
#include "model/Cp932.h"
#include "ports/PrintDevice.h"

#include <functional>
#include <string>
#include <string_view>

// The design page: 2892 x 4125 dots at 360 dpi.
inline constexpr double DesignPageWidthMm = 2892 * 25.4 / 360;  // 204.05
inline constexpr double DesignPageHeightMm = 4125 * 25.4 / 360; // 291.04

// Faces of the printed pages (UTF-8, as the canvas takes them).
inline constexpr const char* GothicFace = "ＭＳ ゴシック";
inline constexpr const char* MinchoFace = "ＭＳ 明朝";

// The CP932 bytes of a text of the program (written in UTF-8 in the source).
inline std::string Sj(std::string_view utf8) {
    return cp932::programText(utf8);
}

// Black text on a clear white brush, as every page starts writing.
void BlackTextOnClearBrush(Canvas& canvas);

// A font of `heightMm` x `widthMm`, both scaled by dotsPerMm and truncated; black.
CanvasFont MmFont(double dotsPerMm, double heightMm, double widthMm, int weight = 400,
                  const char* face = GothicFace, bool italic = false);

// Text (CP932) with its top left at (x, y) mm, in the canvas's current font.
void TextOutMm(PrintDevice& device, double dotsPerMm, double x, double y, std::string_view cp932);
// The same for a value that must end left of `rightMm`, the edge of its cell or of the paper: a
// text wider than that is written in a narrower font (the current one is kept afterwards), so
// that a long address or name neither crosses the next cell nor runs off the page.
void TextOutMmWithin(PrintDevice& device, double dotsPerMm, double x, double y, double rightMm,
                     std::string_view cp932);
// The rectangle from (x1, y1) to (x2, y2) mm with the current pen and brush.
void RectMm(PrintDevice& device, double dotsPerMm, double x1, double y1, double x2, double y2);
// A line from (x1, y1) to (x2, y2) mm; the pen ends at (x2, y2).
void LineMm(PrintDevice& device, double dotsPerMm, double x1, double y1, double x2, double y2);

// The moment a header names; read anew for every header.
struct HeaderTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
using HeaderClock = std::function<HeaderTime()>;
// Replaces the clock of the headers (tests print at a fixed moment); empty: the local time.
void SetHeaderClock(HeaderClock clock);

// The header line of a calculation-report page ("P.") and of an application-form page
// ("S-P."), ending 5 dots left of the printable area's right edge. They leave the header font
// selected, black text on a clear brush.
void PrintPageHeader(PrintDevice& device, double dotsPerMm);
void PrintSheetHeader(PrintDevice& device, double dotsPerMm);
// The header text itself, CP932 (for the tests and the two printers above).
std::string PageHeaderText(bool applicationForm, int page, const HeaderTime& time);

// Continues a report on a fresh page: new page, report header, the report body font (2.5 x
// 1.25 mm gothic). False when the printer refused the new page; nothing is drawn then.
bool NewReportPage(PrintDevice& device, double dotsPerMm);

// Judgement class of a score: 0 from 1.5, 1 from 1.0, 2 from 0.7, else 3 (and for NaN); a score
// within the shared tolerance below a boundary counts as on it.
int ScoreClass(double score);
// The judgement texts by ScoreClass, CP932.
extern const char* const JudgementNames[4];

// The line position of a paged table in whole printer dots. Each advance is added and
// truncated, as the tables lay out their lines; before a line is printed, `room` tells whether
// the page takes it: the table's own break test, and as a safety net the end of the design
// page, which no table line may cross.
class LineCursor {
public:
    LineCursor(double dotsPerMm, int y = 0) : dotsPerMm_(dotsPerMm), y_(y) {}

    int y() const { return y_; }
    void moveTo(int y) { y_ = y; }
    // y = trunc(y + mm x dotsPerMm).
    int advance(double mm);
    // True when a line of `lineMm` starting at the cursor ends on the design page.
    bool fitsPage(double lineMm) const;
    // Before a line of `lineMm`: when `tableBreak` (given the cursor) asks for a new page, or
    // the line would end below the design page, runs `continuation`, which starts the next
    // page and places the cursor. False when the continuation failed (the printer refused).
    bool ensureRoom(double lineMm, const std::function<bool(int y)>& tableBreak,
                    const std::function<bool(LineCursor&)>& continuation);

private:
    double dotsPerMm_;
    int y_;
};
