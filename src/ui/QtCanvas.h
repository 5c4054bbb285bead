#pragma once
// The canvas over a QPainter: on a QImage for the plan and the report pages on screen, on a
// QPrinter for paper. The xor, not-xor and mask pen modes need a raster target (a QImage of
// Format_RGB32 or a raster widget). The PDF and printer engines would draw those figures opaque
// in the pen's own colour, so on paper the canvas draws each figure as it would come out on
// white paper: xor in its colour xor white (red turns cyan, as on screen over white), not-xor
// and mask in their own colours. Paper also gets hatches as lines 2 mm apart and dash patterns
// in millimetres (see setDashUnit), where the screen's pixel patterns would read as grey or
// solid at printer resolutions.
#include "ports/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRect>

#include <functional>
#include <vector>

class QtCanvas final : public Canvas {
public:
    // The painter must be active and stay so while the canvas is used; its state is changed.
    explicit QtCanvas(QPainter& painter);

    // Length of one unit of the dash patterns, in device pixels (1 on screen; a printer at
    // 600 dpi wants several dots per unit, or dotted lines look solid).
    void setDashUnit(double pixels) { dashUnit_ = pixels > 0 ? pixels : 1.0; }
    // True on a raster target, where the pen modes combine with what is drawn already; false
    // on paper (and before the painter is active).
    bool supportsRasterOps() const;

    void rectangle(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void polygon(const CanvasPoint* points, int count) override;
    void fillRect(int x1, int y1, int x2, int y2) override;
    void textOut(int x, int y, std::string_view cp932) override;
    int textWidth(std::string_view cp932) override;
    int textHeight(std::string_view cp932) override;
    bool mayShow(int top, int bottom) const override;

protected:
    void drawLine(CanvasPoint from, CanvasPoint to) override;

private:
    void applyPen(bool withBrush);
    // The part of the target the painter can draw on, in canvas pixels.
    QRect visibleRect() const;
    // Pixels a figure's fill covers for certain (logical coordinates): a rectangle filled
    // whole, or a filled triangle; neither when not known.
    struct FigureFill {
        QRect rect;
        QPolygon triangle;
    };
    // Draws a figure with its pen and brush into a painter.
    using FigureDraw = std::function<void(QPainter&, const QPen&, const QBrush&)>;
    // Draws a closed figure with the pen mode in force; `bounds` holds it (logical pixels).
    // `draw` is given `pen` and `brush`, or stand-ins of theirs in other colours when the figure
    // is first drawn on a layer. On paper a hatched brush is drawn as lines over `hatchArea`
    // after the figure.
    void drawFigure(const QRect& bounds, const QPen& pen, const QBrush& brush,
                    const FigureFill& fill, const FigureDraw& draw, const QPainterPath& hatchArea);
    QPen makePen() const;
    QBrush makeBrush() const;
    // The colour a figure in the current pen mode takes on white paper.
    QColor paperColour(ColorRef c) const;
    bool hatchedOnPaper() const;
    // Hatch lines of the brush over `area` (logical coordinates), for paper.
    void drawHatch(const QPainterPath& area);

    // A created font as Qt draws it, made once per font for the life of the canvas: building
    // the font and its metrics for every string cost more than drawing it.
    struct TextFont {
        CanvasFont key; // colour and escapement left out: the painter applies them
        const QPaintDevice* device;
        QFont font;
        QFontMetrics metrics;
        int cellHeight;
    };
    const TextFont& textFont();

    QPainter& p_;
    double dashUnit_ = 1.0;
    std::vector<TextFont> fonts_;
    std::size_t lastFont_ = 0;
};

// The text as the canvas draws and measures it: CP932 decoded, every control character (tab,
// line break) one blank, as Windows draws them in one line of text.
QString DrawnText(std::string_view cp932);
