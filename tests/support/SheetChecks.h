#pragma once
// Reading the application sheets back from the recording print device: what a page holds
// (rectangles, lines and texts, the sheet header left out), the text at a millimetre position,
// and whether every figure and text lies on the design page.
#include "model/Cp932.h"
#include "ports/RecordingPrintDevice.h"
#include "print/PrintFrame.h"

#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace sheetcheck {

using Op = RecordingCanvas::Op;
using Kind = RecordingCanvas::Kind;

// Prints the sheet alone in a job on a fresh recording device.
inline void PrintAlone(RecordingPrintDevice& device, void (*printer)(PrintDevice&, double),
                       double d) {
    device = RecordingPrintDevice{};
    device.beginDocument();
    printer(device, d);
    device.endDocument();
}

struct Page {
    int rects = 0, lines = 0;
    std::vector<const Op*> texts; // the header's text left out
};

// The page's operations; the first text of a page is its sheet header.
inline Page Read(const std::vector<Op>& ops) {
    Page page;
    bool header = true;
    for (const Op& op : ops) {
        if (op.kind == Kind::Rectangle) ++page.rects;
        if (op.kind == Kind::Line) ++page.lines;
        if (op.kind != Kind::Text) continue;
        if (!header) page.texts.push_back(&op);
        header = false;
    }
    return page;
}

inline bool At(const Op& op, double d, double x, double y) {
    return op.points[0].x == TruncPixel(x * d) && op.points[0].y == TruncPixel(y * d);
}

// "text" at (x, y) mm, or what stands there instead.
inline std::string Describe(const Op& op, double d) {
    std::ostringstream out;
    out << cp932::toUtf8(op.text) << " at (" << op.points[0].x / d << ", " << op.points[0].y / d
        << ")";
    return out.str();
}

// The text drawn last with its cell starting at (x, y) mm, UTF-8 (a field can follow its
// caption at the same place, behind blanks).
inline std::optional<std::string> TextAt(const std::vector<Op>& ops, double d, double x, double y) {
    std::optional<std::string> text;
    for (const Op& op : ops)
        if (op.kind == Kind::Text && At(op, d, x, y)) text = cp932::toUtf8(op.text);
    return text;
}

// The first operation that leaves the design page, described; empty when all stay on it.
// A horizontal text must end on the page too (half-width cells of the font's width).
inline std::string OffThePage(const std::vector<Op>& ops, double d) {
    const int width = TruncPixel(DesignPageWidthMm * d),
              height = TruncPixel(DesignPageHeightMm * d);
    const auto inside = [&](CanvasPoint p) {
        return p.x >= 0 && p.y >= 0 && p.x <= width && p.y <= height;
    };
    bool header = true;
    for (const Op& op : ops) {
        if (op.kind == Kind::Text && std::exchange(header, false)) continue;
        for (CanvasPoint p : op.points)
            if (!inside(p)) return "off the page: " + Describe(op, d);
        if (op.kind != Kind::Text || op.font.escapement != 0) continue;
        int cells = 0;
        for (std::size_t i = 0; i < op.text.size(); ++i, ++cells)
            if (cp932::isLeadByte(static_cast<unsigned char>(op.text[i]))) ++i, ++cells;
        if (op.points[0].x + cells * op.font.width > width) return "runs off: " + Describe(op, d);
        if (op.text.find('?') != std::string::npos) return "not CP932: " + Describe(op, d);
    }
    return {};
}

} // namespace sheetcheck
