// The text dialog driven through the text input, and the areas, floor overlay, room texts and
// centres rendered offscreen at a few pixels, where the pen modes act on the image.
#include "TestApp.h"

#include "calc/FloorCheck.h"
#include "calc/MethodTables.h"
#include "calc/RequiredStrength.h"
#include "document/Foundations.h"
#include "document/RoofFloor.h"
#include "mainwin/dialogs/moji.h"
#include "model/Cp932.h"
#include "model/Grid.h"
#include "plan/SheetPlan.h"
#include "ports/RecordingCanvas.h"
#include "support/HouseBuilder.h"
#include "support/RigidityFixture.h"
#include "ui/Forms.h"
#include "ui/QtCanvas.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <functional>
#include <limits>

#include <gtest/gtest.h>

namespace {

QImage Render(const std::function<void(Canvas&)>& draw) {
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    draw(canvas);
    painter.end();
    return image;
}

// The box around the dark pixels of a region; empty when there are none.
QRect DarkBox(const QImage& image, QRect region) {
    QRect box;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    return box;
}

TEST(NameDialog, OkPlacesTheChosenTextCutToWhatTheFileKeeps) {
    TestApp();
    rigfix::ResetAll();
    TNameDlg dialog(nullptr);
    App.CurRoomText = cp932::fromUtf8("和室").value();
    QString opened;
    SetModalRunner([&](QDialog& d) {
        auto& names = static_cast<TNameDlg&>(d);
        names.show();
        for (const QLabel* hint : {names.Label2, names.Label3}) // not cut off
            EXPECT_GE(hint->width(), hint->sizeHint().width());
        opened = names.name->currentText();
        // Twenty double-byte characters: 40 bytes, of which 30 fit in 31.
        names.name->setEditText(QString::fromUtf8("あいうえおかきくけこさしすせそたちつてと"));
        names.OKBtn->click();
        return d.result();
    });
    EXPECT_EQ(InputRoomName(2, 2, 3, 3), 1);
    SetModalRunner({});
    EXPECT_EQ(opened, QString::fromUtf8("和室"));
    ASSERT_EQ(Doc.RoomTextCount[0][0], 1);
    EXPECT_EQ(cp932::toUtf8(Doc.RoomTexts[0][0][0].text.view()), "あいうえおかきくけこさしすせそ");
    EXPECT_EQ(App.CurRoomText.size(), 30u);

    SetModalRunner([](QDialog& d) {
        static_cast<TNameDlg&>(d).CancelBtn->click();
        return d.result();
    });
    EXPECT_EQ(InputRoomName(4, 4, 5, 5), 0); // cancelled: nothing placed, nothing to save
    SetModalRunner({});
    EXPECT_EQ(Doc.RoomTextCount[0][0], 1);
}

TEST(PlanElementsDrawing, AreasQuarterStripsAndFloorOverlay) {
    TestApp();
    rigfix::ResetAll(); // 1 m grid, 53 pixels a metre
    Doc.DiagnosisMethod = 2;
    App.InputMode = 4;
    HouseBuilder(0, 0).roofFloorRect(1, 1, 3, 3, 3).roofFloorRect(4, 4, 2, 2, 1);
    double* q = ReqResult.QuarterLines[0][0];
    q[LineXMin] = 1, q[LineXMax] = 4, q[LineYMin] = 1, q[LineYMax] = 4;
    q[LineYMinQuarter] = 1.5, q[LineYMaxQuarter] = 3.5, q[LineXMinQuarter] = 1.5,
    q[LineXMaxQuarter] = 3.5;
    Grid.DataMinX = Grid.DataMinY = Grid.PlanMinX[0][0] = Grid.PlanMinY[0][0] = 1;
    Grid.DataMaxX = Grid.DataMaxY = Grid.PlanMaxX[0][0] = Grid.PlanMaxY[0][0] = 4;
    App.Options.ShowBeamStress = 0;
    for (auto& row : FloorCheck.FloorCheckFlags)
        for (int& flag : row[0][0]) flag = 1;
    FloorCheck.FloorCheckFlags[4][0][0][1] = 0; // span X1-X2, low half, near band: ratio 0.35
    FloorCheck.FloorCheckRatios[4][0][0][1] = 0.35;
    FloorCheck.FloorCheckFlags[5][0][0][1] = 0; // a ratio past 1.0 stays on the scale
    FloorCheck.FloorCheckRatios[5][0][0][1] = 1.5;

    const QImage image = Render([](Canvas& c) {
        DrawRoofFloorAreas(c);
        DrawFloorSpecs(c);
    });
    EXPECT_EQ(image.pixel(120, 60), qRgb(255, 240, 240));  // light roof alone
    EXPECT_EQ(image.pixel(132, 140), qRgb(240, 240, 240)); // and with the void over it
    EXPECT_EQ(image.pixel(60, 79), qRgb(0, 240, 240));     // red xor over the roof
    EXPECT_EQ(image.pixel(170, 185), qRgb(15, 255, 255));  // red xor over the void
    EXPECT_EQ(image.pixel(230, 79), qRgb(255, 255, 255));  // the strip ends at the extent
    const ColorRef ng = JudgementScale[7];
    EXPECT_EQ(image.pixel(60, 270), qRgb(ng & 0xFF, (ng >> 8) & 0xFF, ng >> 16));
    EXPECT_EQ(image.pixel(95, 270), qRgb(255, 255, 255)); // 1.5: the top of the scale
}

TEST(PlanElementsDrawing, VerticalTextOrientationMarkAndEccentricHouseCentres) {
    TestApp();
    // The eccentric one-storey house worked by hand: origin at axes X1 and Y5, centre of gravity
    // (3, 2), centre of rigidity (2, 4/3), elastic radii sqrt(80/9) and sqrt(80/6).
    rigfix::ResetAll();
    rigfix::SetOrigin(1, 5);
    rigfix::SetStorey(0, 3.0, 2.0, 10.0);
    rigfix::SetExtent(0, 1, 1, 7, 5);
    rigfix::AddWall(0, 1, 1, 1, 5, 0, 4.0);
    rigfix::AddWall(0, 7, 3, 7, 5, 0, 2.0);
    rigfix::AddWall(0, 1, 5, 7, 5, 6.0, 0);
    rigfix::AddWall(0, 1, 1, 4, 1, 3.0, 0);
    rigfix::RunRigidity();
    HouseBuilder(0, 0)
        .roomText(2, 2, 2, 2, cp932::fromUtf8("@便所").value())
        .roomText(5, 2, 5, 2, "*90");

    const QImage image = Render([](Canvas& c) {
        DrawGravityCentres(c);
        DrawRoomNames(c);
    });
    // "便所" written downward from (106 + 7, 106 - 12), its characters' tops to the right: the
    // column stands on the node, taller than wide.
    const QRect text = DarkBox(image, QRect(90, 80, 50, 40));
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GE(text.left(), 100);
    EXPECT_LE(text.right(), 113);
    EXPECT_GE(text.top(), 94);
    EXPECT_GT(text.height(), text.width());
    // "*90": the arrow at (265, 106) points left (west up is north to the left).
    EXPECT_EQ(image.pixel(245, 106), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(283, 106), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(270, 90), qRgb(255, 255, 255));
    EXPECT_FALSE(DarkBox(image, QRect(215, 98, 20, 16)).isEmpty()); // 北 beyond the tip

    // G at (4 x 53, 3 x 53) = (212, 159); R at (3 x 53, 3.667 x 53) = (159, 194); the box
    // reaches 0.15 x 53 x 3.651 = 29 pixels left and right of G and 0.15 x 53 x 2.981 = 23.7
    // above and below.
    EXPECT_EQ(image.pixel(212, 159), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(150, 194), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(182, 170), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(241, 150), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(200, 135), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(200, 182), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(190, 170), qRgb(255, 255, 255));

    // No stiffness along one direction leaves an infinite radius: no box. A zero-length
    // foundation from a file has no band.
    RigidityRes.ElasticRadiusY[0][0][0] = std::numeric_limits<double>::infinity();
    HouseBuilder(0, 0).foundation(3, 3, 3, 3);
    RecordingCanvas recorded;
    DrawGravityCentres(recorded);
    DrawFoundations(recorded);
    for (const auto& op : recorded.ops) {
        EXPECT_NE(op.kind, RecordingCanvas::Kind::Rectangle);
        EXPECT_NE(op.kind, RecordingCanvas::Kind::Polygon);
    }
}

} // namespace
