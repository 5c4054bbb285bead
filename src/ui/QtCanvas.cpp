#include "ui/QtCanvas.h"

#include "model/Cp932.h"
#include "ui/Colors.h"
#include "ui/Controls.h"
#include "ui/Fonts.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <utility>

namespace {

// Dash patterns of one-pixel pens in pixels (on, off, ...), as the Windows screen draws them.
const QList<qreal> DashPattern = {18, 6};
const QList<qreal> DotPattern = {3, 3};
const QList<qreal> DashDotPattern = {9, 6, 3, 6};
const QList<qreal> DashDotDotPattern = {9, 3, 3, 3, 3, 3};

QPainter::CompositionMode ModeFor(PenMode m) {
    switch (m) {
    case PenMode::Copy:
        return QPainter::CompositionMode_SourceOver;
    case PenMode::Xor:
        return QPainter::RasterOp_SourceXorDestination;
    case PenMode::NotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    case PenMode::Mask:
        return QPainter::RasterOp_SourceAndDestination;
    }
    return QPainter::CompositionMode_SourceOver;
}

// Corners in the order the figure functions expect (Windows swaps reversed corners itself).
void Normalise(int& x1, int& y1, int& x2, int& y2) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
}

// A created font's cell is as high as asked (the gothic faces' ascent and descent round up to
// one pixel more at some sizes).
int CellHeight(const CanvasFont& font, const QFontMetrics& fm) {
    return font.height != 0 ? std::min(std::abs(font.height), 100000) : fm.ascent() + fm.descent();
}

// Hatch lines on paper: 2 mm apart (about the 8 pixels of a screen hatch at 96 dpi), 0.1 mm wide.
constexpr double HatchSpacingMm = 2.0;
constexpr double HatchLineMm = 0.1;

} // namespace

QString DrawnText(std::string_view cp932) {
    QString text = QStringFromCp932(cp932);
    for (QChar& ch : text)
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7F) ch = QLatin1Char(' ');
    return text;
}

QtCanvas::QtCanvas(QPainter& painter) : p_(painter) {
    if (p_.isActive()) p_.setRenderHint(QPainter::Antialiasing, false);
}

// Decided from the engine's kind, not from its feature flags: the PDF engine claims raster
// operations and still paints the figures opaque.
bool QtCanvas::supportsRasterOps() const {
    const QPaintEngine* engine = p_.isActive() ? p_.paintEngine() : nullptr;
    return engine && engine->type() == QPaintEngine::Raster;
}

QColor QtCanvas::paperColour(ColorRef c) const {
    if (!supportsRasterOps() && pen().mode == PenMode::Xor) c ^= 0xFFFFFF;
    return ColorFromRef(c & 0xFFFFFF);
}

bool QtCanvas::hatchedOnPaper() const {
    return !supportsRasterOps() &&
           (brush().style == BrushStyle::Cross || brush().style == BrushStyle::DiagCross);
}

void QtCanvas::drawHatch(const QPainterPath& area) {
    const QPaintDevice* device = p_.device();
    if (!device || area.isEmpty()) return;
    const double dotsPerMm = std::max(device->logicalDpiX(), 1) / 25.4;
    const double step = std::max(HatchSpacingMm * dotsPerMm, 2.0);
    const QRectF box = area.boundingRect();
    // Beyond any page: a damaged figure gets no hatch rather than a flood of lines.
    if (box.width() > 1e6 || box.height() > 1e6) return;
    p_.save();
    p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p_.setClipPath(area, Qt::IntersectClip);
    QPen line(paperColour(brush().colour));
    line.setWidthF(std::max(HatchLineMm * dotsPerMm, 1.0));
    line.setCapStyle(Qt::FlatCap);
    p_.setPen(line);
    p_.setBrush(Qt::NoBrush);
    // Lines on multiples of the step from the origin, so that neighbouring figures line up.
    const auto first = [step](double v) { return std::floor(v / step) * step; };
    if (brush().style == BrushStyle::Cross) {
        for (double x = first(box.left()); x <= box.right(); x += step)
            p_.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
        for (double y = first(box.top()); y <= box.bottom(); y += step)
            p_.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
    } else {
        // Diagonals x + y = k and x - y = k through the box.
        const double h = box.height();
        for (double k = first(box.left() + box.top()); k <= box.right() + box.bottom(); k += step)
            p_.drawLine(QPointF(k - box.top(), box.top()),
                        QPointF(k - box.top() - h, box.bottom()));
        for (double k = first(box.left() - box.bottom()); k <= box.right() - box.top(); k += step)
            p_.drawLine(QPointF(k + box.top(), box.top()),
                        QPointF(k + box.top() + h, box.bottom()));
    }
    p_.restore();
}

QPen QtCanvas::makePen() const {
    const CanvasPen& cp = pen();
    if (cp.style == PenStyle::Clear) return QPen(Qt::NoPen);
    QPen qp(paperColour(cp.colour));
    if (cp.width <= 1) {
        qp.setWidth(1);
        qp.setCosmetic(true);
        // A flat cap leaves out the last pixel of a line, as lineTo must.
        qp.setCapStyle(Qt::FlatCap);
        const QList<qreal>* pattern = nullptr;
        switch (cp.style) {
        case PenStyle::Dot:
            pattern = &DotPattern;
            break;
        case PenStyle::Dash:
            pattern = &DashPattern;
            break;
        case PenStyle::DashDot:
            pattern = &DashDotPattern;
            break;
        case PenStyle::DashDotDot:
            pattern = &DashDotDotPattern;
            break;
        default:
            break;
        }
        if (pattern) {
            QList<qreal> scaled = *pattern;
            for (auto& v : scaled) v *= dashUnit_;
            qp.setDashPattern(scaled);
        }
    } else {
        // Wide pens draw solid whatever their style, as on Windows.
        qp.setWidth(std::min(cp.width, 100000));
        qp.setCapStyle(Qt::RoundCap);
        qp.setJoinStyle(Qt::RoundJoin);
    }
    return qp;
}

QBrush QtCanvas::makeBrush() const {
    const CanvasBrush& b = brush();
    switch (b.style) {
    case BrushStyle::Clear:
        return QBrush(Qt::NoBrush);
    case BrushStyle::Solid:
        return QBrush(paperColour(b.colour));
    case BrushStyle::Cross:
        if (hatchedOnPaper()) return QBrush(Qt::NoBrush); // drawn as lines (drawHatch)
        return QBrush(ColorFromRef(b.colour), Qt::CrossPattern);
    case BrushStyle::DiagCross:
        if (hatchedOnPaper()) return QBrush(Qt::NoBrush);
        return QBrush(ColorFromRef(b.colour), Qt::DiagCrossPattern);
    }
    return QBrush(Qt::NoBrush);
}

void QtCanvas::applyPen(bool withBrush) {
    p_.setCompositionMode(supportsRasterOps() ? ModeFor(pen().mode)
                                              : QPainter::CompositionMode_SourceOver);
    p_.setPen(makePen());
    p_.setBrush(withBrush ? makeBrush() : QBrush(Qt::NoBrush));
}

void QtCanvas::drawLine(CanvasPoint from, CanvasPoint to) {
    if (!p_.isActive() || (from.x == to.x && from.y == to.y)) return; // no end pixel
    applyPen(false);
    p_.drawLine(from.x, from.y, to.x, to.y);
}

void QtCanvas::drawFigure(const QRect& bounds, const std::function<void(QPainter&)>& draw,
                          const QPainterPath& hatchArea) {
    const PenMode mode = pen().mode;
    QPaintDevice* device = p_.device();
    if (!supportsRasterOps()) {
        // Paper: the colours are the paper colours already (makePen, makeBrush).
        p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
        draw(p_);
        if (hatchedOnPaper()) drawHatch(hatchArea);
        return;
    }
    if (mode == PenMode::Copy || !device || device->devType() != QInternal::Image) {
        // Copy mode, or a raster widget: Qt's own raster operations.
        p_.setCompositionMode(ModeFor(mode));
        draw(p_);
        return;
    }
    // Qt fills a figure and then strokes its outline, so an xor outline pixel that the fill
    // also covers would be inverted twice and vanish. The figure is drawn once onto a layer and
    // every pixel it covers is combined with the paper exactly once.
    auto* target = static_cast<QImage*>(device);
    const int margin = std::max(pen().width, 1) + 2;
    const QRect area = p_.worldTransform()
                           .mapRect(bounds)
                           .adjusted(-margin, -margin, margin, margin)
                           .intersected(target->rect());
    if (area.isEmpty()) return;
    QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
    // Cleared here rather than by QImage::fill, which hands a large image to worker threads and
    // costs more in waking them than the clearing itself.
    std::memset(layer.bits(), 0, static_cast<std::size_t>(layer.sizeInBytes()));
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing, false);
        lp.setWorldTransform(p_.worldTransform() *
                             QTransform::fromTranslate(-area.left(), -area.top()));
        lp.setPen(p_.pen());
        lp.setBrush(p_.brush());
        draw(lp);
    }
    if (target->format() != QImage::Format_RGB32 && target->format() != QImage::Format_ARGB32 &&
        target->format() != QImage::Format_ARGB32_Premultiplied) {
        // Other formats: Qt's own raster operation, with its double outline pixels.
        p_.setCompositionMode(ModeFor(mode));
        draw(p_);
        return;
    }
    // Each covered pixel (opaque in the layer: no antialiasing) is combined with the paper once;
    // a loop per mode without branches, as large fills are the common case.
    const auto combine = [&](auto op) {
        for (int y = 0; y < area.height(); ++y) {
            const QRgb* src = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
            QRgb* dst = reinterpret_cast<QRgb*>(target->scanLine(area.top() + y)) + area.left();
            for (int x = 0; x < area.width(); ++x) {
                const QRgb covered = src[x] >> 24 ? 0xFFFFFFFFu : 0u;
                const QRgb r = 0xFF000000u | (op(src[x], dst[x]) & 0xFFFFFFu);
                dst[x] = (r & covered) | (dst[x] & ~covered);
            }
        }
    };
    switch (mode) {
    case PenMode::Xor:
        combine([](QRgb s, QRgb d) { return s ^ d; });
        break;
    case PenMode::NotXor:
        combine([](QRgb s, QRgb d) { return ~(s ^ d); });
        break;
    case PenMode::Mask:
        combine([](QRgb s, QRgb d) { return s & d; });
        break;
    case PenMode::Copy:
        combine([](QRgb s, QRgb) { return s; });
        break;
    }
}

void QtCanvas::rectangle(int x1, int y1, int x2, int y2) {
    Normalise(x1, y1, x2, y2);
    if (!p_.isActive() || x2 - x1 < 1 || y2 - y1 < 1) return;
    const bool noPen = pen().style == PenStyle::Clear;
    const bool thin = pen().width <= 1;
    const QBrush fill = brush().style == BrushStyle::Clear ? QBrush(Qt::NoBrush) : makeBrush();
    QPen outline = makePen();
    outline.setJoinStyle(Qt::MiterJoin);
    if (thin) outline.setCapStyle(Qt::SquareCap);
    // A one-pixel outline lies on columns x1 and x2-1 and rows y1 and y2-1, the fill inside
    // it; without a pen the fill is one pixel smaller, as on Windows.
    const QRect inner = noPen  ? QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1)
                        : thin ? QRect(x1 + 1, y1 + 1, x2 - x1 - 2, y2 - y1 - 2)
                               : QRect(x1, y1, x2 - x1, y2 - y1);
    QPainterPath hatchArea;
    if (inner.width() > 0 && inner.height() > 0) hatchArea.addRect(inner);
    drawFigure(
        QRect(x1, y1, x2 - x1, y2 - y1),
        [&](QPainter& p) {
            if (fill.style() != Qt::NoBrush && inner.width() > 0 && inner.height() > 0)
                p.fillRect(inner, fill);
            if (noPen) return;
            if (thin && (x2 - x1 == 1 || y2 - y1 == 1)) {
                p.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), outline.color());
                return;
            }
            p.setPen(outline);
            p.setBrush(Qt::NoBrush);
            if (thin) {
                p.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
            } else {
                p.drawRect(QRectF(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
            }
        },
        hatchArea);
}

void QtCanvas::ellipse(int x1, int y1, int x2, int y2) {
    Normalise(x1, y1, x2, y2);
    if (!p_.isActive() || x2 - x1 < 1 || y2 - y1 < 1) return;
    applyPen(true);
    const QRect box(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
    QPainterPath hatchArea;
    if (hatchedOnPaper()) hatchArea.addEllipse(box);
    drawFigure(
        QRect(x1, y1, x2 - x1, y2 - y1), [&](QPainter& p) { p.drawEllipse(box); }, hatchArea);
}

void QtCanvas::polygon(const CanvasPoint* points, int count) {
    if (!p_.isActive() || !points || count < 2) return;
    QPolygon poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i) poly << QPoint(points[i].x, points[i].y);
    applyPen(true);
    QPainterPath hatchArea;
    if (hatchedOnPaper()) {
        hatchArea.setFillRule(Qt::OddEvenFill);
        hatchArea.addPolygon(QPolygonF(poly));
    }
    drawFigure(
        poly.boundingRect(), [&](QPainter& p) { p.drawPolygon(poly, Qt::OddEvenFill); }, hatchArea);
}

void QtCanvas::fillRect(int x1, int y1, int x2, int y2) {
    Normalise(x1, y1, x2, y2);
    if (!p_.isActive() || brush().style == BrushStyle::Clear) return;
    p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QRect area(x1, y1, x2 - x1, y2 - y1);
    // A fill is always in copy mode: the brush's own colour, on screen and paper.
    const PenMode mode = pen().mode;
    setPenMode(PenMode::Copy);
    if (hatchedOnPaper()) {
        QPainterPath path;
        path.addRect(area);
        drawHatch(path);
    } else {
        p_.fillRect(area, makeBrush());
    }
    setPenMode(mode);
}

void QtCanvas::textOut(int x, int y, std::string_view cp932) {
    if (!p_.isActive() || cp932.empty()) return;
    const QString text = DrawnText(cp932);
    const QFont qf = MakeQFont(font());
    const QFontMetrics fm(qf, p_.device());
    const int cellHeight = CellHeight(font(), fm);
    const int width = fm.horizontalAdvance(text);

    p_.save();
    p_.setCompositionMode(QPainter::CompositionMode_SourceOver); // text ignores the pen mode
    p_.translate(x, y);
    if (font().escapement != 0) p_.rotate(-font().escapement / 10.0);
    if (brush().style != BrushStyle::Clear) {
        p_.fillRect(QRect(0, 0, width, cellHeight), ColorFromRef(brush().colour));
    }
    p_.setFont(qf);
    p_.setPen(ColorFromRef(font().colour));
    p_.setBrush(Qt::NoBrush);
    if (!font().vertical()) {
        p_.drawText(QPoint(0, fm.ascent()), text);
    } else {
        // Vertical writing: along the baseline direction each full-width character stands
        // turned a quarter to the left, so that with an escapement of -900 it reads upright and
        // the text runs downward; half-width characters lie on their side, as on Windows.
        int advance = 0;
        const int fullWidthFrom = (fm.height() * 3) / 4;
        for (const QChar ch : text) {
            const QString s(ch);
            const int a = fm.horizontalAdvance(s);
            if (a >= fullWidthFrom) {
                p_.save();
                p_.translate(advance + a / 2.0, cellHeight / 2.0);
                p_.rotate(-90);
                p_.drawText(QPointF(-a / 2.0, -cellHeight / 2.0 + fm.ascent()), s);
                p_.restore();
            } else {
                p_.drawText(QPoint(advance, fm.ascent()), s);
            }
            advance += a;
        }
    }
    p_.restore();
}

int QtCanvas::textWidth(std::string_view cp932) {
    const QFontMetrics fm(MakeQFont(font()), p_.device());
    return fm.horizontalAdvance(DrawnText(cp932));
}

int QtCanvas::textHeight(std::string_view) {
    const QFontMetrics fm(MakeQFont(font()), p_.device());
    return CellHeight(font(), fm);
}
