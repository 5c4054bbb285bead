#include "print/PrintFrame.h"

#include "calc/ResultSummary.h"
#include "model/Model.h"
#include "model/Version.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

HeaderClock headerClock;

HeaderTime LocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

void PrintHeader(PrintDevice& device, double dotsPerMm, bool applicationForm) {
    Canvas& canvas = device.canvas();
    canvas.setFont(MmFont(dotsPerMm, 3.0, 1.5, 400, MinchoFace, true));
    canvas.setBrushColour(0xFFFFFF);
    canvas.setBrushStyle(BrushStyle::Clear);
    const std::string text = PageHeaderText(applicationForm, device.pageNumber(),
                                            headerClock ? headerClock() : LocalTime());
    // 5 printer dots, whatever the resolution.
    canvas.textOut(device.pageWidth() - canvas.textWidth(text) - 5, 0, text);
}

} // namespace

CanvasFont MmFont(double dotsPerMm, double heightMm, double widthMm, int weight, const char* face,
                  bool italic) {
    CanvasFont font;
    font.height = TruncPixel(heightMm * dotsPerMm);
    font.width = TruncPixel(widthMm * dotsPerMm);
    font.weight = weight;
    font.italic = italic;
    font.face = face;
    font.colour = 0x000000;
    return font;
}

void TextOutMm(PrintDevice& device, double dotsPerMm, double x, double y, std::string_view cp932) {
    device.canvas().textOut(TruncPixel(x * dotsPerMm), TruncPixel(y * dotsPerMm), cp932);
}

void TextOutMmWithin(PrintDevice& device, double dotsPerMm, double x, double y, double rightMm,
                     std::string_view cp932) {
    Canvas& canvas = device.canvas();
    const CanvasFont font = canvas.font();
    const int room = TruncPixel(rightMm * dotsPerMm) - TruncPixel(x * dotsPerMm);
    const int width = canvas.textWidth(cp932);
    if (room > 0 && width > room) {
        // Widths scale with the character width, up to rounding: start from the proportion
        // and narrow on until the text fits.
        CanvasFont narrow = font;
        const int half = font.width > 0 ? font.width : std::abs(font.height) / 2;
        narrow.width = std::max(1, int(int64_t(half) * room / width));
        canvas.setFont(narrow);
        while (narrow.width > 1 && canvas.textWidth(cp932) > room) {
            --narrow.width;
            canvas.setFont(narrow);
        }
    }
    TextOutMm(device, dotsPerMm, x, y, cp932);
    canvas.setFont(font);
}

void RectMm(PrintDevice& device, double dotsPerMm, double x1, double y1, double x2, double y2) {
    device.canvas().rectangle(TruncPixel(x1 * dotsPerMm), TruncPixel(y1 * dotsPerMm),
                              TruncPixel(x2 * dotsPerMm), TruncPixel(y2 * dotsPerMm));
}

void LineMm(PrintDevice& device, double dotsPerMm, double x1, double y1, double x2, double y2) {
    Canvas& canvas = device.canvas();
    canvas.moveTo(TruncPixel(x1 * dotsPerMm), TruncPixel(y1 * dotsPerMm));
    canvas.lineTo(TruncPixel(x2 * dotsPerMm), TruncPixel(y2 * dotsPerMm));
}

void SetHeaderClock(HeaderClock clock) {
    headerClock = std::move(clock);
}

std::string PageHeaderText(bool applicationForm, int page, const HeaderTime& t) {
    static const std::string program = std::string("Velquor Ver") + VelquorVersion;
    static const std::string reportFormat =
        Sj(program + " [ %s 邸 P.%2i ] %4d/%2d/%2d %2d:%2d:%2d");
    static const std::string formFormat =
        Sj(program + " [ %s 邸 S-P.%2i ] %4d/%2d/%2d %2d:%2d:%2d");
    char text[256];
    std::snprintf(text, sizeof text, (applicationForm ? formFormat : reportFormat).c_str(),
                  std::string(Doc.BuildingData.ownerName.view()).c_str(), page, t.year, t.month,
                  t.day, t.hour, t.minute, t.second);
    return text;
}

void PrintPageHeader(PrintDevice& device, double dotsPerMm) {
    PrintHeader(device, dotsPerMm, false);
}

void PrintSheetHeader(PrintDevice& device, double dotsPerMm) {
    PrintHeader(device, dotsPerMm, true);
}

bool NewReportPage(PrintDevice& device, double dotsPerMm) {
    if (!device.newPage()) return false;
    PrintPageHeader(device, dotsPerMm);
    device.canvas().setFont(MmFont(dotsPerMm, 2.5, 1.25));
    return true;
}

int ScoreClass(double score) {
    return ScoreRank(score);
}

const char* const JudgementNames[4] = {
    "\x93\x7C\x89\xF3\x82\xB5\x82\xC8\x82\xA2",                 // 倒壊しない
    "\x88\xEA\x89\x9E\x93\x7C\x89\xF3\x82\xB5\x82\xC8\x82\xA2", // 一応倒壊しない
    "\x93\x7C\x89\xF3\x82\xB7\x82\xE9\x89\xC2\x94\x5C\x90\xAB\x82\xAA\x82\xA0\x82\xE9", // 倒壊する可能性がある
    "\x93\x7C\x89\xF3\x82\xB7\x82\xE9\x89\xC2\x94\x5C\x90\xAB\x82\xAA\x8D\x82\x82\xA2", // 倒壊する可能性が高い
};

int LineCursor::advance(double mm) {
    y_ = TruncPixel(y_ + mm * dotsPerMm_);
    return y_;
}

bool LineCursor::fitsPage(double lineMm) const {
    return y_ + lineMm * dotsPerMm_ <= DesignPageHeightMm * dotsPerMm_;
}

bool LineCursor::ensureRoom(double lineMm, const std::function<bool(int y)>& tableBreak,
                            const std::function<bool(LineCursor&)>& continuation) {
    if ((tableBreak && tableBreak(y_)) || !fitsPage(lineMm)) return continuation(*this);
    return true;
}

void BlackTextOnClearBrush(Canvas& canvas) {
    canvas.setFontColour(0x000000);
    canvas.setBrushColour(0xFFFFFF);
    canvas.setBrushStyle(BrushStyle::Clear);
}
