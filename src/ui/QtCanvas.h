#pragma once
// The canvas over a QPainter: on a QImage for the plan and the report pages on screen, on a
// QPrinter for paper. The xor, not-xor and mask pen modes need a raster target (a QImage of
// Format_RGB32 or a raster widget); the PDF and printer engines draw those figures opaque, so
// painters for paper compute their colours instead (see supportsRasterOps()).
#include "ui/Canvas.h"

#include <QPainter>

#include <functional>

class QtCanvas final : public Canvas {
public:
    // The painter must be active and stay so while the canvas is used; its state is changed.
    explicit QtCanvas(QPainter& painter);

    // Length of one unit of the dash patterns, in device pixels (1 on screen; a printer at
    // 600 dpi wants several dots per unit, or dotted lines look solid).
    void setDashUnit(double pixels) { dashUnit_ = pixels > 0 ? pixels : 1.0; }
    bool supportsRasterOps() const;

    void rectangle(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void polygon(const CanvasPoint* points, int count) override;
    void fillRect(int x1, int y1, int x2, int y2) override;
    void textOut(int x, int y, std::string_view cp932) override;
    int textWidth(std::string_view cp932) override;
    int textHeight(std::string_view cp932) override;

protected:
    void drawLine(CanvasPoint from, CanvasPoint to) override;

private:
    void applyPen(bool withBrush);
    // Draws a closed figure with the pen mode in force; `bounds` holds it (logical pixels).
    void drawFigure(const QRect& bounds, const std::function<void(QPainter&)>& draw);
    QPen makePen() const;
    QBrush makeBrush() const;

    QPainter& p_;
    double dashUnit_ = 1.0;
};

// CP932 bytes as a Qt string (invalid bytes show as U+FFFD).
QString QStringFromCp932(std::string_view cp932);
