#include "ui/QtCanvas.h"

#include "model/Cp932.h"
#include "ui/Colors.h"
#include "ui/Controls.h"
#include "ui/Fonts.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPolygon>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

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
    QPen pen = p_.pen();
    if (pen.style() == Qt::CustomDashLine && pen.isCosmetic() &&
        p_.worldTransform().type() <= QTransform::TxTranslate &&
        (from.x == to.x || from.y == to.y)) {
        // Qt starts the dashes of a line cut off by the edge of the target at the edge. A
        // window drawn in parts would get other dots in each part: the line starts at the
        // edge here, with the dashes moved on by the part left out.
        const QRect seen = visibleRect();
        const int skip = from.x == to.x
                             ? (from.y < to.y ? seen.top() - from.y : from.y - seen.bottom())
                             : (from.x < to.x ? seen.left() - from.x : from.x - seen.right());
        const int length = std::abs(to.x - from.x) + std::abs(to.y - from.y);
        if (skip > 0 && skip < length) {
            const int dx = (to.x > from.x) - (to.x < from.x),
                      dy = (to.y > from.y) - (to.y < from.y);
            from = {from.x + dx * skip, from.y + dy * skip};
            pen.setDashOffset(skip);
            p_.setPen(pen);
        }
    }
    p_.drawLine(from.x, from.y, to.x, to.y);
}

namespace {

// What the figure layer holds per pixel: nothing, the brush or the pen (painted in these
// colours, so that a pixel tells which colour it takes). A layer of 32-bit pixels, as Qt fills
// those itself where it hands fills of other formats to worker threads.
constexpr QRgb LayerEmpty = 0;
constexpr QRgb LayerBrush = 0xFF000001u;
constexpr QRgb LayerPen = 0xFF000002u;

// The layer the and-mode and xor figures are drawn on, kept between figures and frames so that
// it is neither allocated nor cleared for each: it is empty outside a figure being drawn, and
// the combination empties again each pixel it takes. Grown to the largest figure yet drawn.
thread_local QImage figureLayer;
// The largest layer kept between figures: a screen's worth.
constexpr qsizetype KeptLayerBytes = qsizetype(4096) * 2160 * 4;

QImage& FigureLayer(QSize size) {
    QImage& layer = figureLayer;
    if (layer.width() < size.width() || layer.height() < size.height()) {
        layer =
            QImage(std::max(layer.width(), size.width()), std::max(layer.height(), size.height()),
                   QImage::Format_ARGB32_Premultiplied);
        std::memset(layer.bits(), 0, static_cast<std::size_t>(layer.sizeInBytes()));
    }
    return layer;
}

// The first pixel from `x` on that the layer row covers, or `end`: two at a time over the empty
// stretches (a figure covers one run of a row, or two where only its outline passes).
int FirstCovered(const QRgb* row, int x, int end) {
    while (x + 2 <= end) {
        std::uint64_t pair;
        std::memcpy(&pair, row + x, sizeof pair);
        if (pair != 0) break;
        x += 2;
    }
    while (x < end && row[x] == LayerEmpty) ++x;
    return x;
}

// The end of the run of covered pixels from `x` on.
int RunEnd(const QRgb* row, int x, int end) {
    while (x < end && row[x] != LayerEmpty) ++x;
    return x;
}

// The pixels of a figure on the layer that its fill alone covers, per row of the layer: the
// combination takes them straight in the brush's colour and the layer is not drawn there. Rows
// without such pixels have left > right.
struct FigureCore {
    std::vector<int> left, right; // per layer row, inclusive
    std::vector<QRect> rects;     // the same as bands of rows, in order from the top
    void reset(int rows) {
        left.assign(static_cast<std::size_t>(rows), 0);
        right.assign(static_cast<std::size_t>(rows), -1);
        rects.clear();
    }
    void add(const QRect& r) {
        if (r.isEmpty()) return;
        for (int y = r.top(); y <= r.bottom(); ++y) left[y] = r.left(), right[y] = r.right();
        rects.push_back(r);
    }
};

// Rows of a triangle's core are taken in bands of this many, each as one rectangle.
constexpr int CoreBand = 8;

// The core of a triangle given in layer pixels: the pixels whose centres lie at least `inset`
// inside every edge. Nothing for a triangle without area.
void TriangleCore(const QPointF (&t)[3], double inset, const QSize& size, FigureCore& core) {
    const double turn = (t[1].x() - t[0].x()) * (t[2].y() - t[0].y()) -
                        (t[1].y() - t[0].y()) * (t[2].x() - t[0].x());
    if (turn == 0.0) return;
    const double sign = turn > 0 ? 1.0 : -1.0;
    // Each edge: a x + b y + c, the distance inside it.
    double a[3], b[3], c[3];
    for (int i = 0; i < 3; ++i) {
        const QPointF p = t[i], q = t[(i + 1) % 3];
        const double length = std::hypot(q.x() - p.x(), q.y() - p.y());
        a[i] = -sign * (q.y() - p.y()) / length;
        b[i] = sign * (q.x() - p.x()) / length;
        c[i] = -(a[i] * p.x() + b[i] * p.y());
    }
    const double top = std::min({t[0].y(), t[1].y(), t[2].y()});
    const double bottom = std::max({t[0].y(), t[1].y(), t[2].y()});
    // Clamped as doubles: a damaged figure's corners lie far beyond any int.
    const int first =
        static_cast<int>(std::clamp(std::ceil(top + inset), 0.0, 1.0 * size.height()));
    const int last =
        static_cast<int>(std::clamp(std::floor(bottom - inset), -1.0, size.height() - 1.0));
    for (int y0 = first; y0 <= last; y0 += CoreBand) {
        const int y1 = std::min(y0 + CoreBand - 1, last);
        double lo = 0.5, hi = size.width() - 0.5; // pixel centres
        for (int i = 0; i < 3 && lo <= hi; ++i) {
            for (const double yc : {y0 + 0.5, y1 + 0.5}) {
                const double rest = inset - b[i] * yc - c[i]; // a x >= rest
                if (a[i] > 1e-12) {
                    lo = std::max(lo, rest / a[i]);
                } else if (a[i] < -1e-12) {
                    hi = std::min(hi, rest / a[i]);
                } else if (rest > 0) {
                    hi = lo - 1; // a level edge too near
                }
            }
        }
        if (lo > hi) continue;
        const int x0 = static_cast<int>(std::ceil(lo - 0.5));
        const int x1 = static_cast<int>(std::floor(hi - 0.5));
        if (x0 <= x1) core.add(QRect(QPoint(x0, y0), QPoint(x1, y1)));
    }
}

// Combines the pixels the layer covers in `area` (from the layer's origin) with the target at
// `area`'s place, each once, in the colour of the pen or the brush that covered it, and empties
// the layer there again; only within the rectangles `scan` (of the layer), outside which the
// layer holds nothing. The core's pixels are taken in the brush's colour without the layer.
template <typename Op>
void CombineLayer(QImage& layer, QImage& target, const QRect& area, const FigureCore& core,
                  const std::vector<QRect>& scan, QRgb pen, QRgb brush, Op op) {
    const auto combineRun = [&](QRgb* src, QRgb* dst, int from, int to) {
        for (int x = FirstCovered(src, from, to); x < to;) {
            const int end = RunEnd(src, x, to);
            for (int i = x; i < end; ++i) {
                const QRgb s = src[i] == LayerPen ? pen : brush;
                dst[i] = 0xFF000000u | (op(s, dst[i]) & 0xFFFFFFu);
            }
            std::memset(src + x, 0, static_cast<std::size_t>(end - x) * sizeof(QRgb));
            x = FirstCovered(src, end, to);
        }
    };
    for (const QRect& r : scan) {
        const int from = r.left(), to = r.right() + 1, bottom = r.bottom();
        for (int y = r.top(); y <= bottom; ++y) {
            QRgb* src = reinterpret_cast<QRgb*>(layer.scanLine(y));
            QRgb* dst = reinterpret_cast<QRgb*>(target.scanLine(area.top() + y)) + area.left();
            // The core's part of the row within the rectangle: [left, right).
            const int left = std::max(core.left[y], from), right = std::min(core.right[y] + 1, to);
            if (left >= right) {
                combineRun(src, dst, from, to);
                continue;
            }
            combineRun(src, dst, from, left);
            for (int i = left; i < right; ++i)
                dst[i] = 0xFF000000u | (op(brush, dst[i]) & 0xFFFFFFu);
            combineRun(src, dst, right, to);
        }
    }
}

} // namespace

void QtCanvas::drawFigure(const QRect& bounds, const QPen& figurePen, const QBrush& figureBrush,
                          const FigureFill& fill, const FigureDraw& draw,
                          const QPainterPath& hatchArea) {
    const PenMode mode = pen().mode;
    QPaintDevice* device = p_.device();
    if (!supportsRasterOps()) {
        // Paper: the colours are the paper colours already (makePen, makeBrush).
        p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
        draw(p_, figurePen, figureBrush);
        if (hatchedOnPaper()) drawHatch(hatchArea);
        return;
    }
    auto* target =
        device && device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr;
    if (mode == PenMode::Copy || !target ||
        (target->format() != QImage::Format_RGB32 && target->format() != QImage::Format_ARGB32 &&
         target->format() != QImage::Format_ARGB32_Premultiplied)) {
        // Copy mode, a raster widget, or an image of another format: Qt's own raster
        // operations (with their double outline pixels in xor).
        p_.setCompositionMode(ModeFor(mode));
        draw(p_, figurePen, figureBrush);
        return;
    }
    // Qt fills a figure and then strokes its outline, so an xor outline pixel that the fill
    // also covers would be inverted twice and vanish. The figure is drawn once onto a layer,
    // each pixel marked with the pen or the brush that covered it last, and every pixel it
    // covers is combined with the paper exactly once.
    const int margin = std::max(pen().width, 1) + 2;
    QRect area = p_.worldTransform()
                     .mapRect(bounds)
                     .adjusted(-margin, -margin, margin, margin)
                     .intersected(target->rect());
    // A clipped painter (an overlay drawn again over a few parts of its image) gets only the
    // pixels of its clip combined.
    const bool clipped = p_.hasClipping();
    QRegion clip;
    if (clipped) {
        clip = p_.worldTransform().map(p_.clipRegion());
        area &= clip.boundingRect();
    }
    if (area.isEmpty()) return;
    // Where only the fill reaches, the figure is combined straight in the brush's colour: the
    // pixels farther inside its fill than the pen reaches and than the rounding of an edge.
    // Known only for a solid fill under a whole-pixel shift.
    thread_local FigureCore core;
    core.reset(area.height());
    const QTransform& shift = p_.worldTransform();
    if (figureBrush.style() == Qt::SolidPattern && shift.type() <= QTransform::TxTranslate &&
        shift.dx() == std::trunc(shift.dx()) && shift.dy() == std::trunc(shift.dy())) {
        const int inset = std::max(pen().width, 1) + 3;
        const QPoint offset(static_cast<int>(shift.dx()) - area.left(),
                            static_cast<int>(shift.dy()) - area.top());
        if (!fill.rect.isEmpty()) {
            const QRect layerRect(QPoint(0, 0), area.size());
            core.add(fill.rect.intersected(layerRect.translated(-offset))
                         .translated(offset)
                         .adjusted(inset, inset, -inset, -inset));
        } else if (fill.triangle.size() == 3) {
            QPointF t[3];
            for (int i = 0; i < 3; ++i) t[i] = QPointF(fill.triangle[i]) + QPointF(offset);
            TriangleCore(t, inset, area.size(), core);
        }
    }
    QImage& layer = FigureLayer(area.size());
    if (layer.isNull()) { // no memory for it: Qt's own raster operation
        p_.setCompositionMode(ModeFor(mode));
        draw(p_, figurePen, figureBrush);
        return;
    }
    // Where the layer may hold the figure's pixels and the core is taken: all of the area, or
    // what the clip leaves of it.
    const QRect layerRect(QPoint(0, 0), area.size());
    thread_local std::vector<QRect> scan;
    QRegion unclipped(layerRect);
    if (clipped) {
        unclipped = clip.translated(-area.topLeft()) & layerRect;
        scan.assign(unclipped.begin(), unclipped.end());
    } else {
        scan.assign(1, layerRect);
    }
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing, false);
        if (!core.rects.empty()) {
            QRegion inside;
            inside.setRects(core.rects.data(), static_cast<int>(core.rects.size()));
            unclipped -= inside;
        }
        lp.setClipRegion(unclipped);
        lp.setWorldTransform(p_.worldTransform() *
                             QTransform::fromTranslate(-area.left(), -area.top()));
        QPen markPen = figurePen;
        markPen.setColor(QColor::fromRgb(LayerPen));
        QBrush markBrush = figureBrush;
        if (markBrush.style() != Qt::NoBrush) markBrush.setColor(QColor::fromRgb(LayerBrush));
        draw(lp, markPen, markBrush);
    }
    const QRgb penRgb = figurePen.color().rgb(), brushRgb = figureBrush.color().rgb();
    switch (mode) {
    case PenMode::Xor:
        CombineLayer(layer, *target, area, core, scan, penRgb, brushRgb,
                     [](QRgb s, QRgb d) { return s ^ d; });
        break;
    case PenMode::NotXor:
        CombineLayer(layer, *target, area, core, scan, penRgb, brushRgb,
                     [](QRgb s, QRgb d) { return ~(s ^ d); });
        break;
    case PenMode::Mask:
        CombineLayer(layer, *target, area, core, scan, penRgb, brushRgb,
                     [](QRgb s, QRgb d) { return s & d; });
        break;
    case PenMode::Copy:
        break;
    }
    // A layer for a page-sized figure (an image of a printed page) is not kept.
    if (layer.sizeInBytes() > KeptLayerBytes) figureLayer = QImage();
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
        QRect(x1, y1, x2 - x1, y2 - y1), outline, fill,
        FigureFill{fill.style() == Qt::NoBrush ? QRect() : inner, {}},
        [&](QPainter& p, const QPen& pen, const QBrush& brush) {
            if (brush.style() != Qt::NoBrush && inner.width() > 0 && inner.height() > 0)
                p.fillRect(inner, brush);
            if (noPen) return;
            if (thin && (x2 - x1 == 1 || y2 - y1 == 1)) {
                p.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), pen.color());
                return;
            }
            p.setPen(pen);
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
        QRect(x1, y1, x2 - x1, y2 - y1), p_.pen(), p_.brush(), FigureFill{},
        [&](QPainter& p, const QPen& pen, const QBrush& brush) {
            p.setPen(pen);
            p.setBrush(brush);
            p.drawEllipse(box);
        },
        hatchArea);
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
        poly.boundingRect(), p_.pen(), p_.brush(),
        FigureFill{QRect(), count == 3 ? poly : QPolygon()},
        [&](QPainter& p, const QPen& pen, const QBrush& brush) {
            p.setPen(pen);
            p.setBrush(brush);
            p.drawPolygon(poly, Qt::OddEvenFill);
        },
        hatchArea);
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

namespace {

bool SameCreatedFont(const CanvasFont& a, const CanvasFont& b) {
    return a.height == b.height && a.width == b.width && a.weight == b.weight &&
           a.italic == b.italic && a.face == b.face;
}

// More fonts than any drawing selects; a canvas that meets more (rotated labels do not count:
// the rotation is the painter's) starts its list again.
constexpr std::size_t MaxCachedFonts = 64;

} // namespace

const QtCanvas::TextFont& QtCanvas::textFont() {
    const CanvasFont& f = font();
    const QPaintDevice* device = p_.device();
    const auto same = [&](const TextFont& t) {
        return t.device == device && SameCreatedFont(t.key, f);
    };
    if (lastFont_ < fonts_.size() && same(fonts_[lastFont_])) return fonts_[lastFont_];
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        if (same(fonts_[i])) {
            lastFont_ = i;
            return fonts_[i];
        }
    }
    if (fonts_.size() >= MaxCachedFonts) fonts_.clear();
    QFont qf = MakeQFont(f);
    QFontMetrics fm(qf, p_.device());
    const int cell = CellHeight(f, fm);
    fonts_.push_back(TextFont{f, device, std::move(qf), std::move(fm), cell});
    lastFont_ = fonts_.size() - 1;
    return fonts_.back();
}

void QtCanvas::textOut(int x, int y, std::string_view cp932) {
    if (!p_.isActive() || cp932.empty()) return;
    const QString text = DrawnText(cp932);
    const TextFont& tf = textFont();
    const QFontMetrics& fm = tf.metrics;
    const int cellHeight = tf.cellHeight;

    p_.setCompositionMode(QPainter::CompositionMode_SourceOver); // text ignores the pen mode
    if (font().escapement == 0 && !font().vertical()) {
        // Most text: placed without a change of the painter's transform (every figure sets the
        // pen, brush and mode it needs itself).
        if (brush().style != BrushStyle::Clear) {
            const int width = fm.horizontalAdvance(text);
            p_.fillRect(QRect(x, y, width, cellHeight), ColorFromRef(brush().colour));
        }
        p_.setFont(tf.font);
        p_.setPen(ColorFromRef(font().colour));
        p_.setBrush(Qt::NoBrush);
        p_.drawText(QPoint(x, y + fm.ascent()), text);
        return;
    }
    p_.save();
    p_.translate(x, y);
    if (font().escapement != 0) p_.rotate(-font().escapement / 10.0);
    if (brush().style != BrushStyle::Clear) {
        // Measured only for the background it fills: the drawing shapes the text again.
        const int width = fm.horizontalAdvance(text);
        p_.fillRect(QRect(0, 0, width, cellHeight), ColorFromRef(brush().colour));
    }
    p_.setFont(tf.font);
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
    return textFont().metrics.horizontalAdvance(DrawnText(cp932));
}

int QtCanvas::textHeight(std::string_view) {
    return textFont().cellHeight;
}

QRect QtCanvas::visibleRect() const {
    if (!p_.isActive() || !p_.device())
        return QRect(-1000000000, -1000000000, 2000000000, 2000000000);
    const QRect device(0, 0, p_.device()->width(), p_.device()->height());
    QRectF seen = p_.worldTransform().inverted().mapRect(QRectF(device));
    if (p_.hasClipping()) seen &= p_.clipBoundingRect();
    return seen.toAlignedRect();
}

bool QtCanvas::mayShow(int top, int bottom) const {
    const QRect seen = visibleRect();
    return bottom > seen.top() - 1 && top < seen.bottom() + 2;
}
