#pragma once
// The paint box: the one place where a Canvas meets a screen widget. The plan sheet, the result
// reports and every other drawn area of the forms are paint boxes.
//
// The content is drawn by the form's painter into a cached RGB32 image (antialiasing off, so
// that the xor, not-xor and mask pen modes act on what lies beneath) and only when the form
// calls invalidate(); exposing, scrolling and the overlay just copy the cache. The overlay
// (pointer marks, rubber bands) is drawn on a copy of the exposed part of the cache (of the part
// it covers, when the form tells where that is), so that a mark never sticks to the content and
// is gone with the next blit: invalidateOverlay() redraws the overlay alone.
//
// A box either keeps the size the form gives it (the plan sheet, sized from its grid) or grows
// to its content: it is at least its base size and as large as its painter reports, so that a
// report longer than its page shows in the scroll box instead of being cut off. A growing box
// draws its content in bands of rows as they come into view (a long report is mostly out of
// sight), each band on its own image, so that every pixel is drawn once, as in one paint.
#include "model/ColorRef.h"
#include "ports/Canvas.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <QWidget>

#include <functional>

// A mouse event of a paint box, in box pixels.
struct BoxMouse {
    Qt::MouseButton button = Qt::NoButton; // pressed or released (none on a move)
    Qt::MouseButtons buttons;              // held
    Qt::KeyboardModifiers modifiers;
    int x = 0;
    int y = 0;
};

class PaintBox : public QWidget {
    Q_OBJECT
public:
    // Draws the content in box pixels; returns the size the content needs (width and height
    // 0 or less: whatever the box has).
    using ContentPainter = std::function<CanvasSize(Canvas&)>;
    using OverlayPainter = std::function<void(Canvas&)>;
    using MouseHandler = std::function<void(const BoxMouse&)>;

    explicit PaintBox(QWidget* parent = nullptr);

    void setPainter(ContentPainter painter);
    void setOverlayPainter(OverlayPainter painter);
    // Where the overlay draws at present, if the form knows it: the rest of a part exposed is
    // shown straight from the cache. Without it the overlay may draw anywhere.
    void setOverlayArea(std::function<QRegion()> area);
    void setMouseDown(MouseHandler handler);
    // A move handler also switches mouse tracking on: moves arrive without a button held.
    void setMouseMove(MouseHandler handler);
    void setMouseUp(MouseHandler handler);
    void setMouseLeave(std::function<void()> handler);
    // Runs after every paint of the box, once the picture is on screen (never inside the
    // form's painter); `contentDrawn` tells whether the content was drawn anew for it.
    void setAfterPaint(std::function<void(bool contentDrawn)> handler);

    // The colour the content image is cleared to before the painter draws (white).
    void setBackground(ColorRef colour);
    // Grows to the content: the box is at least `base` and as large as its painter reports.
    // Without it the box keeps the size the form gives it.
    void setGrowToContent(QSize base);
    bool growsToContent() const { return grow_; }
    // Where a growing box learns its content's size without drawing (a report knows it from
    // its lines); without it the box runs its painter off screen to learn it.
    void setContentSize(std::function<CanvasSize()> size);
    // Takes the size of the content (growing boxes). A box does this itself whenever it is
    // shown; otherwise a new size found by a paint is taken after that paint, so a grab of a
    // hidden box that may have grown calls this first.
    void fitToContent();

    // The content changed: it is drawn again at the next paint.
    void invalidate();
    // Only the overlay changed: the cached content is copied again with the overlay on top.
    // A handler that runs on every pointer move passes the old and the new place of its marks:
    // a whole view copied again costs about a millisecond, a mark's rectangles microseconds.
    void invalidateOverlay();
    void invalidateOverlay(const QRect& area);
    // Only the pixels of `area` are copied and drawn again: a mark that jumps far or lies
    // slanted changes much less than the rectangle holding its old and new place.
    void invalidateOverlay(const QRegion& area);

    // The cached content (valid or not) and the box rectangle it covers; of a growing box only
    // the rows drawn so far hold the content.
    const QImage& contentImage() const { return content_; }
    QRect contentRect() const { return cached_; }
    bool contentValid() const { return valid_; }
    // How often the content painter ran (tests and benchmarks).
    int contentPaints() const { return contentPaints_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Draws the content into the cache for a part of the box holding `needed`.
    void drawContent(const QRect& needed);
    // The same for a growing box: the rows of `needed` and a margin, those not drawn yet.
    void drawRows(const QRect& needed);
    void drawBand(int top, int bottom);
    // Shows the pixels `area` of the content with the overlay drawn over them; false when
    // there is no memory for that. `single`: the paint is of one rectangle.
    bool showWithOverlay(QPainter& screen, const QRegion& area, bool single);
    // Queues the new size a paint of a growing box found.
    void afterGrowPaint();
    // The box size for the size a painter reported.
    QSize grownSize(CanvasSize reported) const;
    void takeGrownSize(CanvasSize reported);

    ContentPainter painter_;
    std::function<CanvasSize()> contentSize_;
    OverlayPainter overlay_;
    std::function<QRegion()> overlayArea_;
    MouseHandler down_, move_, up_;
    std::function<void()> leave_;
    std::function<void(bool)> afterPaint_;
    ColorRef background_ = 0xFFFFFF;
    bool grow_ = false;
    QSize base_;
    bool growQueued_ = false;
    CanvasSize reported_; // by the last drawing of the content

    QImage content_;
    // Where the overlay is drawn over a copy of the content; kept between paints, as large as
    // the largest part yet drawn with the overlay.
    QImage frame_;
    QRect cached_;    // box pixels the cache holds
    QRect drawn_;     // the part of them drawn (all of them but in a growing box)
    QSize drawnSize_; // the box's size when they were drawn
    bool valid_ = false;
    int contentPaints_ = 0;
};
