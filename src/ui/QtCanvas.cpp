#include "ui/QtCanvas.h"

#include "model/Cp932.h"
#include "ui/Colors.h"
#include "ui/Fonts.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPolygon>

#include <algorithm>
#include <cstdlib>
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

void QtCanvas::rectangle(int x1, int y1, int x2, int y2) {
    Normalise(x1, y1, x2, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1) return;
    const bool noPen = pen().style == PenStyle::Clear;
    const bool thin = pen().width <= 1;
    // Fill and outline never share a pixel, so an xor rectangle inverts each pixel once.
    if (brush().style != BrushStyle::Clear) {
        p_.setCompositionMode(ModeFor(pen().mode));
        QRect inner = noPen  ? QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1) // one smaller, as Windows
                      : thin ? QRect(x1 + 1, y1 + 1, x2 - x1 - 2, y2 - y1 - 2)
                             : QRect(x1, y1, x2 - x1, y2 - y1);
        if (inner.width() > 0 && inner.height() > 0) p_.fillRect(inner, makeBrush());
    }
    if (!noPen) {
        applyPen(false);
        if (thin) {
            // A one-pixel outline on columns x1 and x2-1 and rows y1 and y2-1.
            if (x2 - x1 == 1 || y2 - y1 == 1) {
                p_.setPen(Qt::NoPen);
                p_.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), ColorFromRef(pen().colour));
            } else {
                QPen qp = makePen();
                qp.setCapStyle(Qt::SquareCap);
                qp.setJoinStyle(Qt::MiterJoin);
                p_.setPen(qp);
                p_.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
            }
        } else {
            QPen qp = makePen();
            qp.setJoinStyle(Qt::MiterJoin);
            p_.setPen(qp);
            p_.drawRect(QRectF(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
        }
    }
}

void QtCanvas::ellipse(int x1, int y1, int x2, int y2) {
    Normalise(x1, y1, x2, y2);
    if (x2 - x1 < 1 || y2 - y1 < 1) return;
    applyPen(true);
    p_.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void QtCanvas::polygon(const CanvasPoint* points, int count) {
    if (!points || count < 2) return;
    QPolygon poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i) poly << QPoint(points[i].x, points[i].y);
    applyPen(true);
    p_.drawPolygon(poly, Qt::OddEvenFill);
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
