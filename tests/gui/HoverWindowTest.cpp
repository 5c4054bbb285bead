// The pointer over the main window's plan: the wall under it is marked over the plan and
// described on the status bar; leaving the sheet or an edit leaves no mark behind, and the plan
// is neither drawn again nor recomputed for any of it, even with a recompute pending.
#include "TestApp.h"

#include "app/FormSet.h"
#include "document/Hover.h"
#include "document/Recompute.h"
#include "mainwin/GridAxes.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/AppState.h"
#include "model/Model.h"
#include "support/HouseBuilder.h"
#include "support/ScriptedMessages.h"
#include "ui/QtCanvas.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(HoverWindowTest, TheWallUnderThePointerIsMarkedAndDescribedWithoutDrawingThePlan) {
    TestApp();
    QTemporaryDir locks;
    ScriptedMessages messages;
    Doc.Module = 0.91;
    ASSERT_TRUE(CreateForms({QStringLiteral("velquor")}, locks.path()));
    HouseBuilder(0, 0).column(2, 2).column(6, 2).wall(2, 2, 6, 2, 26);
    MarkDocumentReplaced();
    App.InputMode = 2;
    App.ClickStep = 0;
    App.HoverState = 0;
    HoverMove(-10000, -10000); // the status text outlives a window: start from none

    PlanSheet& sheet = *MainForm->Sheet;
    const QPoint onWall((NodePixelX(2) + NodePixelX(6)) / 2, NodePixelY(2) + 3);
    const QRect view(0, 0, 400, 200);
    auto pixel = [&] { return sheet.grab(view).toImage().pixel(onWall); };
    const QRgb plan = pixel();
    const int drawn = sheet.contentPaints();
    MarkDocumentChanged(); // the next drawing of the plan would recompute
    auto move = [&](QPoint at) {
        QMouseEvent e(QEvent::MouseMove, QPointF(at), sheet.mapToGlobal(QPointF(at)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&sheet, &e);
    };

    move(onWall);
    EXPECT_TRUE(MainForm->StatusBar->currentMessage().startsWith(
        QStringLiteral("壁　(X 0,Y 0)-(X 4,Y 0)　壁の種類:")))
        << MainForm->StatusBar->currentMessage().toStdString();
    EXPECT_EQ(App.HoverState, 1);
    EXPECT_NE(pixel(), plan); // the xor mark over the plan

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&sheet, &leave);
    EXPECT_EQ(pixel(), plan);
    EXPECT_EQ(sheet.contentPaints(), drawn);

    move(onWall);
    EXPECT_NE(pixel(), plan);
    move(QPoint(onWall.x(), onWall.y() + 40));
    EXPECT_EQ(pixel(), plan);
    EXPECT_TRUE(MainForm->StatusBar->currentMessage().isEmpty());
    EXPECT_EQ(sheet.contentPaints(), drawn);
    EXPECT_TRUE(RecomputeNeeded());

    // An edit draws the plan again; the mark of the wall before it is not drawn over it.
    move(onWall);
    MainForm->DocumentChanged();
    EXPECT_EQ(pixel(), plan);
    EXPECT_EQ(sheet.contentPaints(), drawn + 1);
    EXPECT_FALSE(RecomputeNeeded());

    // Changed through its dialog, the wall under the pointer is described as it is now, before
    // the pointer moves; the mark waits for the move.
    const QString before = MainForm->StatusBar->currentMessage();
    Doc.Walls[0][0][0].bracing = 62; // 90x45, one way
    App.HoverState = 2;
    MainForm->DocumentChanged();
    ASSERT_TRUE(
        ProcessEventsUntil([&] { return MainForm->StatusBar->currentMessage() != before; }));
    EXPECT_TRUE(MainForm->StatusBar->currentMessage().startsWith(before.left(20)));
    EXPECT_FALSE(MainForm->StatusBar->currentMessage().contains(QStringLiteral("筋かい:無し")));
    EXPECT_EQ(App.HoverState, 2);
    EXPECT_EQ(pixel(), plan);

    DestroyForms();
}

// A move repaints only part of the marks' place: every pixel that differs between the old and
// the new mark lies in it (from no mark: every pixel the mark draws, which is where the sheet
// draws its overlay), and what both cover for certain is left out.
TEST(HoverWindowTest, TheRepaintedAreaHoldsEveryPixelTheMarkChanges) {
    TestApp();
    const QSize size(360, 300);
    const auto drawn = [&](const HoverMark& m) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        QtCanvas canvas(p);
        DrawHoverMark(canvas, m);
        return image;
    };
    const ColorRef c = 0x004040;
    const HoverMark marks[] = {
        {HoverShape::Rectangle, c, 15, {{40, 50}, {250, 220}}},
        {HoverShape::Rectangle, c, 15, {{300, 260}, {90, 30}}},
        {HoverShape::Triangle, c, 15, {{30, 30}, {320, 40}, {50, 270}}},
        {HoverShape::Triangle, c, 1, {{300, 280}, {60, 100}, {310, 20}}},
        {HoverShape::Line, c, 15, {{20, 280}, {330, 25}}},
        {HoverShape::Frame, c, 1, {{60, 60}, {200, 240}}},
        {HoverShape::Rectangle, c, 1, {{100, 100}, {120, 120}}},
        {},
    };
    for (const HoverMark& a : marks) {
        const QImage before = drawn(a);
        for (const HoverMark& b : marks) {
            HoverArea area;
            HoverChangedArea(a, b, true, area);
            QImage repainted(size, QImage::Format_RGB32);
            repainted.fill(Qt::black);
            QPainter p(&repainted);
            for (int i = 0; i < area.count; ++i) {
                const HoverBounds& r = area.rects[i];
                p.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), Qt::white);
            }
            p.end();
            const QImage after = drawn(b);
            int missed = 0;
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    missed += before.pixel(x, y) != after.pixel(x, y) &&
                              repainted.pixel(x, y) != QColor(Qt::white).rgb();
            EXPECT_EQ(missed, 0) << int(a.shape) << " to " << int(b.shape) << " at "
                                 << a.points[0].x << "," << b.points[0].x;
            if (&a == &marks[0] && &b == &marks[1]) {
                EXPECT_EQ(repainted.pixel(150, 150), QColor(Qt::black).rgb());
            }
        }
    }
}

} // namespace
