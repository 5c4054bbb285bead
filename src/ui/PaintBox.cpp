#include "ui/PaintBox.h"

#include "ui/Colors.h"
#include "ui/QtCanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

// Boxes up to this many pixels (32 MB of cache) keep their whole content: a report scrolls
// without drawing again. Larger ones (the plan at a large scale spans thousands of pixels
// each way) keep what is visible and a margin around it.
constexpr qint64 WholeBoxPixels = 8 * 1024 * 1024;
constexpr int VisibleMargin = 256;
// A report taller than any screen could scroll through is held here, with its content cut.
constexpr int MaxGrownSide = 60000;

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

void PaintBox::fitToContent() {
    if (!grow_ || !painter_) return;
    // Measured on a one-pixel image: the figures are clipped away, the extent is what counts.
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter p(&scratch);
    QtCanvas canvas(p);
    const CanvasSize reported = painter_(canvas);
    p.end();
    takeGrownSize(reported);
}

void PaintBox::drawContent(const QRect& needed) {
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
    drawnSize_ = size();
    valid_ = true;
    ++contentPaints_;
    if (!painter_) return;
    QPainter p(&content_);
    p.translate(-area.topLeft());
    QtCanvas canvas(p);
    reported_ = painter_(canvas);
    p.end();
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
    const QRect exposed = event->rect() & rect();
    bool drawn = false;
    if (!exposed.isEmpty()) {
        // What a painter draws may follow the box's size (the plan's grid lines span it).
        if (!valid_ || drawnSize_ != size() || !cached_.contains(exposed)) {
            drawContent(exposed);
            drawn = true;
        }
        const QRect source = exposed.translated(-cached_.topLeft());
        QPainter screen(this);
        if (overlay_) {
            QImage frame = content_.copy(source);
            QPainter fp(&frame);
            fp.translate(-exposed.topLeft());
            QtCanvas canvas(fp);
            overlay_(canvas);
            fp.end();
            screen.drawImage(exposed.topLeft(), frame);
        } else {
            screen.drawImage(exposed.topLeft(), content_, source);
        }
    }
    if (afterPaint_) afterPaint_(drawn);
}

void PaintBox::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fitToContent();
}

void PaintBox::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A hidden box keeps no picture: the next showing draws what is current then.
    content_ = QImage();
    cached_ = QRect();
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
