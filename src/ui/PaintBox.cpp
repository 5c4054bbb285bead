#include "ui/PaintBox.h"

#include "ui/Colors.h"
#include "ui/QtCanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Boxes up to this many pixels (32 MB of cache) keep their whole content: a report scrolls
// without drawing again. Larger ones (the plan at a large scale spans thousands of pixels
// each way) keep what is visible and a margin around it.
constexpr qint64 WholeBoxPixels = 8 * 1024 * 1024;
constexpr int VisibleMargin = 256;
// The largest overlay frame kept between paints: a screen's worth.
constexpr qsizetype KeptFrameBytes = qsizetype(4096) * 2160 * 4;
// A report taller than any screen could scroll through is held here, with its content cut.
constexpr int MaxGrownSide = 60000;

// Clears an image to one colour in this thread: QImage::fill hands a large image to worker
// threads, and waking them costs more than the clearing.
void Clear(QImage& image, QRgb colour) {
    const qsizetype n = image.sizeInBytes() / 4;
    auto* px = reinterpret_cast<quint32*>(image.bits());
    if ((colour & 0xFF) * 0x01010101u == colour)
        std::memset(px, int(colour & 0xFF), std::size_t(n) * 4);
    else
        std::fill(px, px + n, quint32(colour));
}

// Copies the box pixels of `area` from `from` (whose top-left pixel is the box's `fromAt`) to
// `to` (at `toAt`).
void CopyRects(const QImage& from, QPoint fromAt, QImage& to, QPoint toAt, const QRegion& area) {
    const qsizetype fromLine = from.bytesPerLine(), toLine = to.bytesPerLine();
    const uchar* source = from.constBits();
    uchar* target = to.bits();
    for (const QRect& r : area) {
        const std::size_t row = std::size_t(r.width()) * 4;
        const uchar* s = source + (r.top() - fromAt.y()) * fromLine + (r.left() - fromAt.x()) * 4;
        uchar* t = target + (r.top() - toAt.y()) * toLine + (r.left() - toAt.x()) * 4;
        for (int y = 0; y < r.height(); ++y, s += fromLine, t += toLine) std::memcpy(t, s, row);
    }
}

// Shows the pixels `r` of `image` (whose top-left pixel is the box's `at`). Clipped to `r`
// alone when the paint is of several rectangles: Qt copies an image straight only within one
// rectangle of clip, and otherwise goes pixel span by span (over worker threads when large).
void Blit(QPainter& screen, const QRect& r, const QImage& image, QPoint at, bool single) {
    if (!single) screen.setClipRect(r);
    screen.drawImage(r.topLeft(), image, r.translated(-at));
}

BoxMouse MouseOf(const QMouseEvent& e) {
    const QPoint p = e.position().toPoint();
    return BoxMouse{e.button(), e.buttons(), e.modifiers(), p.x(), p.y()};
}

} // namespace

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {
    // Every pixel comes from the cache: Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::setPainter(ContentPainter painter) {
    painter_ = std::move(painter);
    invalidate();
}

void PaintBox::setOverlayPainter(OverlayPainter painter) {
    overlay_ = std::move(painter);
    invalidateOverlay();
}

void PaintBox::setOverlayArea(std::function<QRegion()> area) {
    overlayArea_ = std::move(area);
    invalidateOverlay();
}

void PaintBox::setMouseDown(MouseHandler handler) {
    down_ = std::move(handler);
}

void PaintBox::setMouseMove(MouseHandler handler) {
    move_ = std::move(handler);
    setMouseTracking(static_cast<bool>(move_));
}

void PaintBox::setMouseUp(MouseHandler handler) {
    up_ = std::move(handler);
}

void PaintBox::setMouseLeave(std::function<void()> handler) {
    leave_ = std::move(handler);
}

void PaintBox::setAfterPaint(std::function<void(bool)> handler) {
    afterPaint_ = std::move(handler);
}

void PaintBox::setBackground(ColorRef colour) {
    background_ = colour;
    invalidate();
}

void PaintBox::setGrowToContent(QSize base) {
    grow_ = true;
    base_ = base.expandedTo(QSize(0, 0));
    setMinimumSize(base_);
    if (width() < base_.width() || height() < base_.height()) resize(size().expandedTo(base_));
    invalidate();
}

void PaintBox::invalidate() {
    valid_ = false;
    update();
}

void PaintBox::invalidateOverlay() {
    update();
}

void PaintBox::invalidateOverlay(const QRect& area) {
    update(area);
}

void PaintBox::invalidateOverlay(const QRegion& area) {
    update(area);
}

QSize PaintBox::grownSize(CanvasSize reported) const {
    const QSize content(std::clamp(reported.width, 0, MaxGrownSide),
                        std::clamp(reported.height, 0, MaxGrownSide));
    return base_.expandedTo(content);
}

void PaintBox::takeGrownSize(CanvasSize reported) {
    const QSize target = grownSize(reported);
    if (target == size()) return;
    setMinimumSize(target);
    resize(target);
    invalidate();
}

void PaintBox::setContentSize(std::function<CanvasSize()> size) {
    contentSize_ = std::move(size);
}

void PaintBox::fitToContent() {
    if (!grow_) return;
    if (contentSize_) {
        takeGrownSize(contentSize_());
        return;
    }
    if (!painter_) return;
    // Measured on a one-pixel image: the figures are clipped away, the extent is what counts.
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter p(&scratch);
    QtCanvas canvas(p);
    const CanvasSize reported = painter_(canvas);
    p.end();
    takeGrownSize(reported);
}

void PaintBox::drawContent(const QRect& needed) {
    if (grow_) {
        drawRows(needed);
        return;
    }
    QRect area = rect();
    if (qint64(width()) * height() > WholeBoxPixels) {
        const QMargins margin(VisibleMargin, VisibleMargin, VisibleMargin, VisibleMargin);
        const QRect seen = visibleRegion().boundingRect();
        const QRect visible = seen.isEmpty() ? QRect() : seen.marginsAdded(margin) & rect();
        // A part out of sight (a grab) is drawn alone rather than with everything between.
        area = visible.contains(needed) ? visible : needed.marginsAdded(margin) & rect();
    }
    if (content_.size() != area.size()) content_ = QImage(area.size(), QImage::Format_RGB32);
    content_.fill(ColorFromRef(background_));
    cached_ = area;
    drawn_ = area;
    drawnSize_ = size();
    valid_ = true;
    ++contentPaints_;
    if (!painter_) return;
    QPainter p(&content_);
    p.translate(-area.topLeft());
    QtCanvas canvas(p);
    reported_ = painter_(canvas);
}

void PaintBox::drawRows(const QRect& needed) {
    const QRect want =
        QRect(0, needed.top() - VisibleMargin, width(), needed.height() + 2 * VisibleMargin) &
        rect();
    if (want.isEmpty()) return;
    if (!valid_ || drawnSize_ != size()) drawn_ = QRect();
    if (!valid_ || drawnSize_ != size() || !cached_.contains(want)) {
        // The whole box, or for a box too large to keep whole the wanted rows and a margin;
        // the rows drawn already move along into the new cache.
        const QRect window =
            qint64(width()) * height() <= WholeBoxPixels
                ? rect()
                : want.marginsAdded(QMargins(0, VisibleMargin, 0, VisibleMargin)) & rect();
        // Only the rows drawn are ever shown: the rest is not cleared.
        QImage image(window.size(), QImage::Format_RGB32);
        const QRect kept = drawn_ & window;
        if (!kept.isEmpty()) {
            const qsizetype row = qsizetype(kept.width()) * 4;
            for (int y = kept.top(); y <= kept.bottom(); ++y)
                std::memcpy(image.scanLine(y - window.top()),
                            content_.constScanLine(y - cached_.top()), row);
        }
        content_ = std::move(image);
        cached_ = window;
        drawn_ = kept;
        drawnSize_ = size();
        valid_ = true;
    }
    // The drawn rows stay one band: rows apart from it start it again.
    if (drawn_.isEmpty() || want.top() > drawn_.bottom() + 1 || want.bottom() < drawn_.top() - 1) {
        drawBand(want.top(), want.bottom() + 1);
        drawn_ = want;
    } else {
        // Bands at least a margin long: scrolling by a few lines draws now and then, not at
        // every step.
        if (want.top() < drawn_.top()) {
            const int top =
                std::max(cached_.top(), std::min(want.top(), drawn_.top() - VisibleMargin));
            drawBand(top, drawn_.top());
            drawn_.setTop(top);
        }
        if (want.bottom() > drawn_.bottom()) {
            const int bottom = std::min(cached_.bottom(),
                                        std::max(want.bottom(), drawn_.bottom() + VisibleMargin));
            drawBand(drawn_.bottom() + 1, bottom + 1);
            drawn_.setBottom(bottom);
        }
    }
    ++contentPaints_;
    afterGrowPaint();
}

void PaintBox::drawBand(int top, int bottom) {
    if (!painter_ || bottom <= top) return;
    // On an image of its own: a figure in a raster mode is combined with the pixels of the
    // image it is drawn on, and each pixel belongs to one band only.
    QImage band(width(), bottom - top, QImage::Format_RGB32);
    Clear(band, ColorFromRef(background_).rgb());
    {
        QPainter p(&band);
        p.translate(0, -top);
        QtCanvas canvas(p);
        reported_ = painter_(canvas);
    }
    const qsizetype row = qsizetype(band.width()) * 4;
    for (int y = top; y < bottom; ++y)
        std::memcpy(content_.scanLine(y - cached_.top()), band.constScanLine(y - top), row);
}

void PaintBox::afterGrowPaint() {
    if (grow_ && grownSize(reported_) != size() && !growQueued_) {
        // Not resized inside its own paint: the scroll box follows once the paint is done.
        growQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            growQueued_ = false;
            takeGrownSize(reported_);
        });
    }
}

void PaintBox::paintEvent(QPaintEvent* event) {
    const QRegion region = event->region() & rect();
    const QRect exposed = region.boundingRect();
    bool drawn = false;
    if (!exposed.isEmpty()) {
        // What a painter draws may follow the box's size (the plan's grid lines span it).
        if (!valid_ || drawnSize_ != size() || !drawn_.contains(exposed)) {
            drawContent(exposed);
            drawn = true;
        }
        QPainter screen(this);
        const bool single = region.rectCount() == 1;
        // The parts the overlay draws on are shown with it, the rest straight from the cache.
        QRegion plain = region;
        if (overlay_) {
            const QRegion over = overlayArea_ ? region & overlayArea_() : region;
            if (!over.isEmpty() && showWithOverlay(screen, over, single)) plain -= over;
        }
        for (const QRect& r : plain) Blit(screen, r, content_, cached_.topLeft(), single);
    }
    if (afterPaint_) afterPaint_(drawn);
}

bool PaintBox::showWithOverlay(QPainter& screen, const QRegion& area, bool single) {
    const QRect bounds = area.boundingRect();
    if (frame_.width() < bounds.width() || frame_.height() < bounds.height())
        frame_ = QImage(frame_.size().expandedTo(bounds.size()), QImage::Format_RGB32);
    if (frame_.isNull()) return false; // no memory for it: the content alone
    // The part of the kept frame that `bounds` needs; only the pixels of `area` are copied into
    // it and shown.
    QImage frame(frame_.bits(), bounds.width(), bounds.height(), frame_.bytesPerLine(),
                 QImage::Format_RGB32);
    CopyRects(content_, cached_.topLeft(), frame, bounds.topLeft(), area);
    {
        QPainter fp(&frame);
        if (area.rectCount() > 1) fp.setClipRegion(area.translated(-bounds.topLeft()));
        fp.translate(-bounds.topLeft());
        QtCanvas canvas(fp);
        overlay_(canvas);
    }
    for (const QRect& r : area) Blit(screen, r, frame, bounds.topLeft(), single);
    // A frame for more than a screen (a grab of a whole large box) is not kept.
    if (frame_.sizeInBytes() > KeptFrameBytes) frame_ = QImage();
    return true;
}

void PaintBox::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fitToContent();
}

void PaintBox::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A hidden box keeps no picture: the next showing draws what is current then.
    content_ = QImage();
    frame_ = QImage();
    cached_ = QRect();
    drawn_ = QRect();
    valid_ = false;
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
    if (down_) down_(MouseOf(*event));
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
    if (move_) move_(MouseOf(*event));
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
    if (up_) up_(MouseOf(*event));
}

void PaintBox::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (leave_) leave_();
}
