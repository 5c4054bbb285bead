#pragma once
// The drawing surface of the plan, the result pages and the printed sheets. Painters talk to
// this interface only, so that they can be tested with a recording canvas and drawn on screen
// or paper by the QPainter canvas (src/ui/QtCanvas.h). Deliberately free of Qt.
//
// The conventions are those of the Windows canvas the drawings were designed for:
//   - colours are COLORREF values 0x00BBGGRR (0x0000FF is red);
//   - lineTo draws from the current position up to, but not including, its end point;
//   - rectangle and ellipse cover x1..x2-1 and y1..y2-1 (the right and bottom edge are outside);
//   - the pen mode (copy, xor, not-xor, mask) applies to the pen and to the brush fill;
//   - text is placed by the top-left corner of its cell, with the current brush as its background
//     (a clear brush draws it transparent), and is not affected by the pen mode;
//   - setting a brush colour while the brush is clear makes it solid;
//   - font height and width are in pixels, escapement in tenths of a degree counter-clockwise;
//     a face starting with '@' writes vertically (characters one under another when the
//     escapement is -900).
#include "model/ColorRef.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

// The one conversion of a real coordinate or size to whole pixels (or printer dots): truncation
// toward zero. NaN becomes 0 and values beyond any drawable range are held at +-1e9, which keeps
// the conversion defined and the figure off the page.
inline int TruncPixel(double v) {
    if (std::isnan(v)) return 0;
    if (v > 1e9) return 1000000000;
    if (v < -1e9) return -1000000000;
    return static_cast<int>(v);
}

enum class PenStyle { Solid, Dot, Dash, DashDot, DashDotDot, Clear };
enum class PenMode { Copy, Xor, NotXor, Mask };
enum class BrushStyle { Clear, Solid, Cross, DiagCross };

struct CanvasPen {
    ColorRef colour = 0x000000;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    PenMode mode = PenMode::Copy;
};

struct CanvasBrush {
    ColorRef colour = 0xFFFFFF;
    BrushStyle style = BrushStyle::Solid;
};

// A created font. Faces are the Windows names: "ＭＳ ゴシック", "ＭＳ 明朝", "@ＭＳ ゴシック".
struct CanvasFont {
    int height = 12;    // pixels; a negative height is taken by its size
    int width = 0;      // pixels per half-width character; 0 keeps the face's own (height / 2)
    int escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 400;   // 400 normal, 700 and above bold
    bool italic = false;
    std::string face = "ＭＳ ゴシック"; // UTF-8
    ColorRef colour = 0x000000;

    bool vertical() const { return !face.empty() && face[0] == '@'; }
};

struct CanvasPoint {
    int x = 0, y = 0;
};

// The extent of a drawing (a report's page, say), in pixels.
struct CanvasSize {
    int width = 0, height = 0;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // Pen.
    void setPen(ColorRef colour, int width = 1, PenStyle style = PenStyle::Solid,
                PenMode mode = PenMode::Copy) {
        pen_ = {colour, width, style, mode};
    }
    void setPenColour(ColorRef c) { pen_.colour = c; }
    void setPenWidth(int w) { pen_.width = w; }
    void setPenStyle(PenStyle s) { pen_.style = s; }
    void setPenMode(PenMode m) { pen_.mode = m; }
    const CanvasPen& pen() const { return pen_; }

    // Brush. A colour given to a clear brush makes it solid, as the painters expect.
    void setBrushColour(ColorRef c) {
        brush_.colour = c;
        if (brush_.style == BrushStyle::Clear) brush_.style = BrushStyle::Solid;
    }
    void setBrushStyle(BrushStyle s) { brush_.style = s; }
    const CanvasBrush& brush() const { return brush_; }

    // Font: the whole description at once, or its colour alone.
    void setFont(const CanvasFont& f) { font_ = f; }
    void setFontColour(ColorRef c) { font_.colour = c; }
    const CanvasFont& font() const { return font_; }

    // Figures.
    void moveTo(int x, int y) { pos_ = {x, y}; }
    void lineTo(int x, int y) {
        drawLine(pos_, {x, y});
        pos_ = {x, y};
    }
    CanvasPoint penPos() const { return pos_; }
    virtual void rectangle(int x1, int y1, int x2, int y2) = 0;
    virtual void ellipse(int x1, int y1, int x2, int y2) = 0;
    // A closed polygon, outlined with the pen and filled with the brush.
    virtual void polygon(const CanvasPoint* points, int count) = 0;
    // Fills x1..x2-1, y1..y2-1 with the brush, without outline (copy mode).
    virtual void fillRect(int x1, int y1, int x2, int y2) = 0;

    // Text in CP932 bytes, placed by the top-left corner of its cell.
    virtual void textOut(int x, int y, std::string_view cp932) = 0;
    // Advance of the text in the current font, in pixels.
    virtual int textWidth(std::string_view cp932) = 0;
    virtual int textHeight(std::string_view cp932) = 0;

    // Whether anything drawn between rows `top` and `bottom` (exclusive) can show: a window
    // draws only its exposed part, so a long report may leave out the lines wholly above or
    // below it. Every row by default.
    virtual bool mayShow(int /*top*/, int /*bottom*/) const { return true; }

protected:
    // Draws from `from` up to, but not including, `to`.
    virtual void drawLine(CanvasPoint from, CanvasPoint to) = 0;

private:
    CanvasPen pen_;
    CanvasBrush brush_;
    CanvasFont font_;
    CanvasPoint pos_;
};
