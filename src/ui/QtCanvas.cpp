#include "ui/QtCanvas.h"

#include "model/Cp932.h"
#include "ui/Colors.h"
#include "ui/Fonts.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPolygon>

#include <algorithm>
#include <cstdlib>
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

} // namespace

QString QStringFromCp932(std::string_view cp932) {
    return QString::fromStdString(cp932::toUtf8(cp932));
}

QtCanvas::QtCanvas(QPainter& painter) : p_(painter) {
    p_.setRenderHint(QPainter::Antialiasing, false);
}

bool QtCanvas::supportsRasterOps() const {
    const QPaintEngine* engine = p_.paintEngine();
    return engine && engine->hasFeature(QPaintEngine::RasterOpModes);
}

QPen QtCanvas::makePen() const {
    const CanvasPen& cp = pen();
    if (cp.style == PenStyle::Clear) return QPen(Qt::NoPen);
    QPen qp(ColorFromRef(cp.colour));
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
        return QBrush(ColorFromRef(b.colour));
    case BrushStyle::Cross:
        return QBrush(ColorFromRef(b.colour), Qt::CrossPattern);
    case BrushStyle::DiagCross:
        return QBrush(ColorFromRef(b.colour), Qt::DiagCrossPattern);
    }
    return QBrush(Qt::NoBrush);
}

void QtCanvas::applyPen(bool withBrush) {
    p_.setCompositionMode(ModeFor(pen().mode));
    p_.setPen(makePen());
    p_.setBrush(withBrush ? makeBrush() : QBrush(Qt::NoBrush));
}

void QtCanvas::drawLine(CanvasPoint from, CanvasPoint to) {
    if (from.x == to.x && from.y == to.y) return; // the end pixel is never drawn
    applyPen(false);
    p_.drawLine(from.x, from.y, to.x, to.y);
}

void QtCanvas::drawFigure(const QRect& bounds, const std::function<void(QPainter&)>& draw) {
    const PenMode mode = pen().mode;
    QPaintDevice* device = p_.device();
    if (mode == PenMode::Copy || !device || device->devType() != QInternal::Image) {
        // Copy mode, or paper, whose engines know no raster operations and draw opaque.
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
    QImage layer(area.size(), QImage::Format_ARGB32);
    layer.fill(Qt::transparent);
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
    for (int y = 0; y < area.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(target->scanLine(area.top() + y)) + area.left();
        for (int x = 0; x < area.width(); ++x) {
            if (qAlpha(src[x]) == 0) continue;
            const QRgb s = src[x] & 0xFFFFFF, d = dst[x] & 0xFFFFFF;
            QRgb r = 0;
            switch (mode) {
            case PenMode::Xor:
                r = s ^ d;
                break;
            case PenMode::NotXor:
                r = ~(s ^ d);
                break;
            case PenMode::Mask:
                r = s & d;
                break;
            case PenMode::Copy:
                r = s;
                break;
            }
            dst[x] = 0xFF000000u | (r & 0xFFFFFF);
        }
    }
}

void QtCanvas::rectangle(int x1, int y1, int x2, int y2) {
    Normalise(x1, y1, x2, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1) return;
    const bool noPen = pen().style == PenStyle::Clear;
    const bool thin = pen().width <= 1;
    const QBrush fill = brush().style == BrushStyle::Clear ? QBrush(Qt::NoBrush) : makeBrush();
    QPen outline = makePen();
    outline.setJoinStyle(Qt::MiterJoin);
    if (thin) outline.setCapStyle(Qt::SquareCap);
    drawFigure(QRect(x1, y1, x2 - x1, y2 - y1), [&](QPainter& p) {
        // A one-pixel outline lies on columns x1 and x2-1 and rows y1 and y2-1, the fill
        // inside it; without a pen the fill is one pixel smaller, as on Windows.
        if (fill.style() != Qt::NoBrush) {
            const QRect inner = noPen  ? QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1)
                                : thin ? QRect(x1 + 1, y1 + 1, x2 - x1 - 2, y2 - y1 - 2)
                                       : QRect(x1, y1, x2 - x1, y2 - y1);
            if (inner.width() > 0 && inner.height() > 0) p.fillRect(inner, fill);
        }
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
    });
}

void QtCanvas::ellipse(int x1, int y1, int x2, int y2) {
    Normalise(x1, y1, x2, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1) return;
    applyPen(true);
    drawFigure(QRect(x1, y1, x2 - x1, y2 - y1),
               [&](QPainter& p) { p.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1)); });
}

void QtCanvas::polygon(const CanvasPoint* points, int count) {
    if (!points || count < 2) return;
    QPolygon poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i) poly << QPoint(points[i].x, points[i].y);
    applyPen(true);
    drawFigure(poly.boundingRect(), [&](QPainter& p) { p.drawPolygon(poly, Qt::OddEvenFill); });
}

void QtCanvas::fillRect(int x1, int y1, int x2, int y2) {
    Normalise(x1, y1, x2, y2);
    if (brush().style == BrushStyle::Clear) return;
    p_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p_.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), makeBrush());
}

void QtCanvas::textOut(int x, int y, std::string_view cp932) {
    if (cp932.empty()) return;
    const QString text = QStringFromCp932(cp932);
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
    return fm.horizontalAdvance(QStringFromCp932(cp932));
}

int QtCanvas::textHeight(std::string_view) {
    const QFontMetrics fm(MakeQFont(font()), p_.device());
    return CellHeight(font(), fm);
}
