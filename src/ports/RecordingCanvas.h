#pragma once
// A canvas that draws nothing and writes down every operation with the pen, brush and font in
// force, so that painters can be tested without Qt. Text widths follow the grid of the Japanese
// gothic faces: a single-byte character advances the font width (half the height when the width
// is 0), a double-byte character twice that.
#include "ports/Canvas.h"

#include <cstdlib>
#include <string>
#include <vector>

class RecordingCanvas final : public Canvas {
public:
    enum class Kind { Line, Rectangle, Ellipse, Polygon, FillRect, Text };

    struct Op {
        Kind kind;
        std::vector<CanvasPoint> points; // line: from, to; rectangle/ellipse: corners
        std::string text;                // CP932 bytes
        CanvasPen pen;
        CanvasBrush brush;
        CanvasFont font;
        int job = 0, page = 0; // where a recording print device was when it was drawn
    };

    std::vector<Op> ops;
    // The print job and page that the next operations belong to (0 outside a print device).
    int job = 0, page = 0;

    void rectangle(int x1, int y1, int x2, int y2) override {
        record(Kind::Rectangle, {{x1, y1}, {x2, y2}});
    }
    void ellipse(int x1, int y1, int x2, int y2) override {
        record(Kind::Ellipse, {{x1, y1}, {x2, y2}});
    }
    void polygon(const CanvasPoint* points, int count) override {
        record(Kind::Polygon, std::vector<CanvasPoint>(points, points + (count > 0 ? count : 0)));
    }
    void fillRect(int x1, int y1, int x2, int y2) override {
        record(Kind::FillRect, {{x1, y1}, {x2, y2}});
    }
    void textOut(int x, int y, std::string_view cp932) override {
        record(Kind::Text, {{x, y}}, std::string(cp932));
    }
    int textWidth(std::string_view cp932) override {
        const int unit = halfWidthAdvance();
        int width = 0;
        for (std::size_t i = 0; i < cp932.size(); ++i) {
            const auto b = static_cast<unsigned char>(cp932[i]);
            const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
            if (lead && i + 1 < cp932.size()) {
                ++i;
                width += 2 * unit;
            } else {
                width += unit;
            }
        }
        return width;
    }
    int textHeight(std::string_view) override { return std::abs(font().height); }

protected:
    void drawLine(CanvasPoint from, CanvasPoint to) override { record(Kind::Line, {from, to}); }

private:
    int halfWidthAdvance() const {
        return font().width > 0 ? font().width : std::abs(font().height) / 2;
    }
    void record(Kind kind, std::vector<CanvasPoint> points, std::string text = {}) {
        ops.push_back(
            {kind, std::move(points), std::move(text), pen(), brush(), font(), job, page});
    }
};
