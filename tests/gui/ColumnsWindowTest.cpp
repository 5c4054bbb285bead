// The column change dialog driven through the column input, and the column drawing rendered
// offscreen and recorded.
#include "TestApp.h"

#include "calc/MethodTables.h"
#include "calc/NValues.h"
#include "document/Columns.h"
#include "mainwin/dialogs/ColumnChange.h"
#include "model/InitModel.h"
#include "plan/SheetPlan.h"
#include "ports/RecordingCanvas.h"
#include "support/HouseBuilder.h"
#include "ui/Forms.h"
#include "ui/QtCanvas.h"

#include <QButtonGroup>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace {

// A blank document on a 1 m grid (axis i at i metres) at 1/75: 53 pixels a metre, h = 5.
void ResetDocument() {
    TestApp();
    ResetModelState();
    InitModel(InitStartup);
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = Doc.AxisY[i] = i * 1.0;
}

TEST(ColumnChangeDialog, ShowsTheClickedColumnAndKeepsCodesNoRadioStandsFor) {
    ResetDocument();
    TColumnchangeDlg d(nullptr);
    const auto shown = [&] {
        d.FormShow();
        return std::tuple{d.Rkugi->group()->checkedId(), d.Rdesumi0->group()->checkedId(),
                          !d.Lchuui->isHidden()};
    };
    const auto exchange = [] {
        return std::tuple{ColumnDlgResult, ColumnHardware, ColumnCornerMode, App.UndoPosition};
    };
    ColumnDlgResult = 1, ColumnHardware = 1, ColumnCornerMode = 2; // ＶＰ, 一般柱, warning
    EXPECT_EQ(shown(), (std::tuple{1, 2, true}));
    d.OKBtnClick(); // untouched: one snapshot, the same codes
    EXPECT_EQ(exchange(), (std::tuple{5, 1, 2, 1}));

    // Codes no radio stands for: the previous showing's radios do not stay checked, and 変更
    // keeps the codes.
    ColumnDlgResult = 0, ColumnHardware = 3, ColumnCornerMode = 3;
    EXPECT_EQ(shown(), (std::tuple{-1, -1, false}));
    d.OKBtnClick();
    EXPECT_EQ(exchange(), (std::tuple{5, 3, 3, 2}));
    d.CancelBtnClick(); // no snapshot
    EXPECT_EQ(exchange(), (std::tuple{9, 3, 3, 2}));

    // The column input reaches the dialog: 消去 takes one snapshot and the column goes.
    HouseBuilder(0, 0).column(1, 1);
    SetModalRunner([](QDialog& dialog) {
        static_cast<TColumnchangeDlg&>(dialog).shoukyo->click();
        return dialog.result();
    });
    EXPECT_EQ(InputColumn(1, 1), 1);
    SetModalRunner({});
    EXPECT_EQ(exchange(), (std::tuple{2, 0, 0, 3}));
    EXPECT_EQ(Doc.ColumnCount[0][0], 0);
}

TEST(ColumnDrawing, JointClassesCornersNumbersAndStoreysWithoutResults) {
    ResetDocument();
    // Nodes at pixels (106, 106), (265, 106), (424, 106); boxes 5 pixels either side.
    HouseBuilder(0, 0).column(2, 2).column(5, 2).column(8, 2, 1, 4).at(0, 1).column(2, 2);
    for (auto& r : NValueRes.ColumnJointResult[0]) r[0] = r[1] = r[2] = ColumnJointRecord{};
    NValueRes.ColumnJointResult[0][0][0].nValueX = 1.2; // above 0, 0.65 and 1.0: class 3
    NValueRes.ColumnJointResult[0][1][0].nValueX = 1.2;
    auto& codes = WallEval.GridNodeMap[0];
    codes[0][2][2] = 1;
    codes[0][5][2] = codes[1][2][2] = -(16 + 1); // corner columns carrying a storey above
    codes[0][8][2] = 4 + 1;
    QImage image(500, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        DrawColumns(canvas);
    }
    const auto pixel = [&](int x, int y) { return image.pixel(x, y); };
    EXPECT_EQ(pixel(106, 106), qRgb(206, 255, 153)); // class 3
    EXPECT_EQ(pixel(101, 106), qRgb(128, 64, 0));    // brown outline: code 1
    EXPECT_EQ(pixel(265, 106), qRgb(0, 0, 0));       // the carried storey's cross
    EXPECT_EQ(pixel(260, 106), qRgb(0, 0, 0));       // black outline: code -17
    EXPECT_EQ(pixel(414, 106), qRgb(255, 128, 255)); // corner rule set by hand
    EXPECT_EQ(pixel(417, 106), qRgb(246, 180, 180)); // 釘打ち

    // Column mode numbers the columns in report order; an entry naming no live column (an
    // order of an earlier plan) is passed over.
    App.InputMode = 1;
    App.Options.NValueMethod = 2; // no marks: the numbers are the only texts
    int32_t* order = NValueRes.ColumnOrder[0][0];
    order[0] = 1, order[1] = 150, order[2] = 0;
    NValueRes.ColumnOrderCount[0][0] = 3;
    const auto texts = [](const RecordingCanvas& c) {
        std::vector<std::string> out;
        for (const auto& op : c.ops)
            if (op.kind == RecordingCanvas::Kind::Text) out.push_back(op.text);
        return out;
    };
    RecordingCanvas numbers;
    DrawColumns(numbers);
    EXPECT_EQ(texts(numbers), (std::vector<std::string>{"  1", "  3"}));

    // The second storey of a one-storey scenario: drawn without results, numbers or marks.
    Doc.StoreyData.topStorey[0] = 0;
    App.CurrentStorey = 1;
    App.Options.NValueMethod = 0;
    RecordingCanvas upper;
    DrawColumns(upper);
    EXPECT_TRUE(texts(upper).empty());
    const auto resultDrawn = [](const RecordingCanvas::Op& op) {
        return op.kind == RecordingCanvas::Kind::Rectangle &&
               (op.brush.colour != JudgementScale[0] || op.pen.colour != Rgb(128, 64, 0));
    };
    EXPECT_EQ(std::count_if(upper.ops.begin(), upper.ops.end(), resultDrawn), 0);
}

} // namespace
