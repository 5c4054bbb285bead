// The walls on the plan sheet, rendered offscreen and checked at a few pixels: fills by state
// and caution, window, door, mud-wall, bracing and panel marks, labels, other storeys' walls;
// and walls a damaged file leaves, recorded.
#include "TestApp.h"

#include "calc/WallEvaluation.h"
#include "document/Recompute.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "plan/SheetPlan.h"
#include "plan/WallSymbol.h"
#include "ports/RecordingCanvas.h"
#include "support/HouseBuilder.h"
#include "ui/QtCanvas.h"

#include <QImage>
#include <QPainter>

#include <memory>

#include <gtest/gtest.h>

namespace {

QRgb Colour(ColorRef c) {
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
bool Is(const QImage& image, int x, int y, ColorRef c) {
    return (image.pixel(x, y) & 0xFFFFFF) == (Colour(c) & 0xFFFFFF);
}
bool AnyDark(const QImage& image, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100) return true;
    return false;
}

class WallDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        static const std::unique_ptr<const Document> blank = std::make_unique<Document>();
        Doc = *blank;
        App = AppState{};
        Grid = GridState{};
        for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = Doc.AxisY[i] = i * 1.0;
        for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 1;
        Doc.DiagnosisMethod = 0;
        App.CurrentScenario = 1;
        App.InputMode = 2; // walls: labels and the other storeys' strengths
        MarkDocumentReplaced();
    }
};

// Retrofit plan 1 at 1/75 (53 px/m, band half width 5.9 px): walls from x = 2 to 5 m, one
// kind per row of 2 m.
TEST_F(WallDrawingTest, WallKindsAndMarksRenderAtTheirPixels) {
    HouseBuilder(0, 0).wall(2, 2, 5, 2);
    HouseBuilder(1, 0)
        .wall(2, 2, 5, 2)                   // y 106: as in the current state
        .wall(2, 4, 5, 4, 0, 0, 0, 1, 0)    // y 212: window, deteriorated, new
        .wall(2, 6, 5, 6, 0, 0, 0, 4)       // y 318: door, new
        .wall(2, 8, 5, 8, 3 * 128)          // y 424: mud wall class 3
        .wall(2, 10, 5, 10, 5 * 12 + 8 + 2) // y 530: 45x90 告示 one way, 3 m: caution 4
        .wall(2, 12, 5, 12, 0, 6);          // y 636: left panel row 6
    HouseBuilder(1, 1).column(2, 14).column(5, 14).wall(2, 14, 5, 14, 27); // y 742: 2F
    App.Options.ShowWallElementNo = 0; // retrofit numbers above the walls
    App.Options.ShowWallReduction = 0; // strengths from the tables, columns or not
    EnsureRecomputed();

    QImage image(400, 800, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        DrawOtherStoreyWalls(canvas);
        DrawWalls(canvas);
    }
    const WallRecord* walls = Doc.Walls[1][0];
    EXPECT_TRUE(Is(image, 130, 110, WallFillColours[2])); // unchanged, not deteriorated
    EXPECT_TRUE(Is(image, 130, 216, WallFillColours[3])); // changed and deteriorated
    // The window's cross line at the middle, the door's line along the wall.
    EXPECT_TRUE(Is(image, 186, 209, WallKindColours[walls[1].type]));
    EXPECT_TRUE(Is(image, 150, 319, WallKindColours[walls[2].type]));
    EXPECT_TRUE(Is(image, 150, 424, MudWallColour));
    // The one-way wedge is wide towards the second end and narrows to the first; the band
    // shows caution 4 of the changed wall.
    EXPECT_EQ(walls[4].cautionFlags & 4, 4);
    EXPECT_TRUE(Is(image, 225, 533, BraceColours[3 * 3 + 2]));
    EXPECT_TRUE(Is(image, 150, 533, WallFillColours[2 + 3 + 3]));
    EXPECT_TRUE(Is(image, 150, 629, PanelColours[6]));
    // Retrofit number above, strength below.
    EXPECT_NE(walls[4].retrofitNo, 0);
    EXPECT_TRUE(AnyDark(image, QRect(170, 505, 30, 17)));
    EXPECT_TRUE(AnyDark(image, QRect(170, 538, 45, 18)));
    EXPECT_FALSE(AnyDark(image, QRect(170, 85, 30, 13))); // an unnumbered wall: no number
    // The second storey: its light line over a band coloured by its strength.
    EXPECT_TRUE(Is(image, 150, 742, Rgb(224, 224, 224)));
    EXPECT_FALSE(Is(image, 150, 750, 0xFFFFFF));
    EXPECT_FALSE(Is(image, 150, 750, Rgb(224, 224, 224)));
}

TEST_F(WallDrawingTest, WallsADamagedFileLeavesDrawNothingOrClampTheirClass) {
    HouseBuilder(1, 0).wall(3, 3, 3, 3, 27).wall(3, 3, 100, 3).wall(-1, 2, 3, 2);
    HouseBuilder(1, 1).wall(2, 2, 5, 2);
    App.CurrentScenario = 1;
    EnsureRecomputed();
    RecordingCanvas canvas;
    DrawWalls(canvas);
    EXPECT_TRUE(canvas.ops.empty());

    WallEval.WallResult[1][1][0][0].strengthX = -5; // a class below the table
    DrawOtherStoreyWalls(canvas);
    ASSERT_FALSE(canvas.ops.empty());
    EXPECT_EQ(canvas.ops[0].pen.colour, Rgb(224, 224, 224));
    EXPECT_EQ(canvas.ops[0].pen.width, 3);
}

} // namespace
