// The paint box: content drawn once into its cache with raster operations acting, an overlay
// that follows the pointer without sticking to the content, mouse events handed to the form,
// and a report box that grows inside its scroll box instead of cutting its content off.
#include "TestApp.h"

#include "ports/Canvas.h"
#include "support/WidgetPixels.h"
#include "ui/PaintBox.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <string>

namespace {

void SendMouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent e(type, at, w.mapToGlobal(at), button,
                  type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton,
                  modifiers);
    QCoreApplication::sendEvent(&w, &e);
}

const QColor Blue(0, 0, 255), Yellow(255, 255, 0), Black(0, 0, 0);

TEST(PaintBoxTest, OverlayFollowsThePointerAndLeavesTheContentAsDrawn) {
    TestApp();
    PaintBox box;
    box.resize(100, 80);
    box.setPainter([](Canvas& c) {
        c.setPen(0x000000);
        c.setBrushColour(0xFF0000); // blue
        c.rectangle(10, 10, 50, 50);
        // Raster operations act on the content: white xor blue is yellow.
        c.setPen(0xFFFFFF, 1, PenStyle::Solid, PenMode::Xor);
        c.moveTo(20, 30);
        c.lineTo(40, 30);
        return CanvasSize{};
    });
    QPoint mark(-1, -1);
    std::string events;
    const auto record = [&events](const BoxMouse& m) {
        events += std::to_string(m.button) + "@" + std::to_string(m.x) + "," + std::to_string(m.y) +
                  (m.modifiers & Qt::ShiftModifier ? "s " : " ");
    };
    box.setMouseDown(record);
    box.setMouseUp(record);
    box.setMouseMove([&](const BoxMouse& m) {
        mark = {m.x, m.y};
        box.invalidateOverlay();
    });
    box.setMouseLeave([&] {
        mark = {-1, -1};
        box.invalidateOverlay();
    });
    box.setOverlayPainter([&](Canvas& c) {
        if (mark.x() < 0) return;
        c.setPen(0xFFFFFF, 1, PenStyle::Solid, PenMode::Xor);
        c.setBrushColour(0xFFFFFF);
        c.rectangle(mark.x(), mark.y(), mark.x() + 20, mark.y() + 20);
    });

    EXPECT_EQ(VisibleColour(box, {30, 30}), Yellow);
    EXPECT_EQ(VisibleColour(box, {45, 45}), Blue);
    ASSERT_EQ(box.contentPaints(), 1);
    const QImage drawn = box.contentImage().copy();

    SendMouse(box, QEvent::MouseMove, {40, 40}, Qt::NoButton);
    EXPECT_EQ(VisibleColour(box, {45, 45}), Yellow); // the mark over the content
    EXPECT_EQ(VisibleColour(box, {55, 55}), Black);  // the mark over the white paper
    EXPECT_EQ(box.contentImage(), drawn);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&box, &leave);
    EXPECT_EQ(VisibleColour(box, {45, 45}), Blue); // no trace of the mark once it is gone
    EXPECT_EQ(box.contentImage(), drawn);
    EXPECT_EQ(box.contentPaints(), 1);

    SendMouse(box, QEvent::MouseButtonPress, {5, 6}, Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(box, QEvent::MouseButtonRelease, {5, 6}, Qt::RightButton);
    EXPECT_EQ(events, "1@5,6s 2@5,6 "); // left pressed with shift, right released
}

TEST(PaintBoxTest, ReportBoxGrowsInsideItsScrollBoxAndNothingIsCut) {
    TestApp();
    QScrollArea scroll;
    scroll.resize(200, 150);
    auto* box = new PaintBox;
    box->setGrowToContent(QSize(120, 100));
    CanvasSize needed{300, 900};
    box->setPainter([&needed](Canvas& c) {
        // The report's last figure fills its bottom-right corner.
        c.setPen(0xFF0000);
        c.setBrushColour(0xFF0000);
        c.rectangle(needed.width - 10, needed.height - 10, needed.width, needed.height);
        return needed;
    });
    scroll.setWidget(box);
    scroll.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(box->size(), QSize(300, 900));

    // Scrolled to the end, the last figure shows in the corner of the view.
    scroll.horizontalScrollBar()->setValue(scroll.horizontalScrollBar()->maximum());
    scroll.verticalScrollBar()->setValue(scroll.verticalScrollBar()->maximum());
    QWidget& view = *scroll.viewport();
    EXPECT_EQ(VisibleColour(view, {view.width() - 3, view.height() - 3}), Blue);

    // A report that becomes longer while shown: the box follows after the paint that found
    // it; a short one takes the box back to its own size.
    needed = {300, 1500};
    box->invalidate();
    (void)box->grab(QRect(0, 0, 10, 10));
    QCoreApplication::processEvents();
    EXPECT_EQ(box->size(), QSize(300, 1500));
    needed = {50, 50};
    box->fitToContent();
    EXPECT_EQ(box->size(), QSize(120, 100));
}

// A box too large to keep whole (the plan at a large scale) keeps what is in view and a
// margin: scrolling a little copies, scrolling far draws the part come into view.
TEST(PaintBoxTest, LargeBoxDrawsWhatComesIntoView) {
    TestApp();
    QScrollArea scroll;
    scroll.resize(300, 200);
    auto* box = new PaintBox;
    box->resize(5000, 5000);
    box->setPainter([](Canvas& c) {
        c.setPen(0x000000);
        for (int x = 0; x < 5000; x += 100) c.rectangle(x, 0, x + 1, 5000); // every 100 px
        return CanvasSize{};
    });
    scroll.setWidget(box);
    scroll.show();
    QWidget& view = *scroll.viewport();
    const auto lineAt = [&](int viewX) {
        return VisibleColour(view, {viewX, 50}) == Black &&
               VisibleColour(view, {viewX + 1, 50}) == QColor(Qt::white);
    };
    scroll.horizontalScrollBar()->setValue(2030);
    EXPECT_TRUE(lineAt(70));
    const int paints = box->contentPaints();
    scroll.horizontalScrollBar()->setValue(2080);
    EXPECT_TRUE(lineAt(20));
    EXPECT_EQ(box->contentPaints(), paints);
    scroll.horizontalScrollBar()->setValue(4150);
    EXPECT_TRUE(lineAt(50));
    EXPECT_LT(box->contentImage().width(), 1000);
}

} // namespace
