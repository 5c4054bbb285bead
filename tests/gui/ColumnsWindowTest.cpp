// The column change dialog driven through the column input, and the column drawing rendered
// offscreen and recorded.
#include "TestApp.h"

#include "calc/MethodTables.h"
#include "calc/NValues.h"
#include "mainwin/Columns.h"
#include "mainwin/dialogs/ColumnChange.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/InitModel.h"
#include "model/Model.h"
#include "model/Slots.h"
#include "support/HouseBuilder.h"
#include "ui/Forms.h"
#include "ui/QtCanvas.h"
#include "ui/RecordingCanvas.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace {

// A blank document on a 1 m grid (axis i at i metres) at 1/75: 53 pixels a metre, h = 5.
void ResetDocument() {
    static const std::unique_ptr<const Document> blank = std::make_unique<Document>();
    Doc = *blank;
    App = AppState{};
    Grid = GridState{};
    InitModel(InitStartup);
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = Doc.AxisY[i] = i * 1.0;
}

TEST(ColumnChangeDialog, ShowsTheClickedColumnAndKeepsCodesNoRadioStandsFor) {
    TestApp();
    ResetDocument();
    TColumnchangeDlg dialog(nullptr);
    // The user's part of one showing: what the dialog showed, then a click.
    struct Seen {
        int hardware, corner;
        bool warning;
    } seen{};
    std::function<void(TColumnchangeDlg&)> user;
    SetModalRunner([&](QDialog& d) {
        auto& dlg = dynamic_cast<TColumnchangeDlg&>(d);
        dlg.show();
        seen = {dlg.Rkugi->isChecked()     ? 0
                : dlg.RVP->isChecked()     ? 1
                : dlg.Rkokuji->isChecked() ? 2
                                           : -1,
                dlg.Rdesumi0->isChecked()   ? 0
                : dlg.Rdesumi1->isChecked() ? 1
                : dlg.Rdesumi2->isChecked() ? 2
                                            : -1,
                !dlg.Lchuui->isHidden()};
        user(dlg);
        return dlg.result();
    });
    // ＶＰ / 一般柱 with an exterior wall ending at it; a column with codes no radio has.
    HouseBuilder(0, 0).column(1, 1, 1, 2 * 4 + 1).column(2, 1, 1, 3 * 4 + 3).wall(1, 1, 1, 4);
    const auto undoSteps = [] { return App.UndoPosition; };

    user = [](TColumnchangeDlg& d) { d.OKBtn->click(); }; // 変更 untouched
    EXPECT_EQ(InputColumn(1, 1), 1);
    EXPECT_EQ(seen.hardware, 1);
    EXPECT_EQ(seen.corner, 2);
    EXPECT_TRUE(seen.warning);
    EXPECT_EQ(Doc.Columns[0][0][0].joint, 9);
    EXPECT_EQ(undoSteps(), 1);

    // The previous showing's radios do not stay checked, and 変更 keeps the stored codes.
    EXPECT_EQ(InputColumn(2, 1), 1);
    EXPECT_EQ(seen.hardware, -1);
    EXPECT_EQ(seen.corner, -1);
    EXPECT_FALSE(seen.warning);
    EXPECT_EQ(Doc.Columns[0][0][1].joint, 15);
    EXPECT_EQ(undoSteps(), 2);

    // A radio the user picks is taken.
    user = [](TColumnchangeDlg& d) {
        d.Rkokuji->click();
        d.OKBtn->click();
    };
    InputColumn(2, 1);
    EXPECT_EQ(Doc.Columns[0][0][1].joint, 3 * 4 + 2);

    // キャンセル pushes nothing; 消去 one snapshot.
    user = [](TColumnchangeDlg& d) { d.CancelBtn->click(); };
    InputColumn(1, 1);
    EXPECT_EQ(undoSteps(), 3);
    EXPECT_EQ(Doc.ColumnCount[0][0], 2);
    user = [](TColumnchangeDlg& d) { d.shoukyo->click(); };
    InputColumn(1, 1);
    EXPECT_EQ(undoSteps(), 4);
    EXPECT_EQ(Doc.ColumnCount[0][0], 1);
    SetModalRunner({});
}

QRgb Colour(ColorRef c) {
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF) & 0xFFFFFF;
}
QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

// Three columns on row 2 with results set by hand: node pixels (106, 106), (265, 106),
// (424, 106); each box reaches 5 pixels either side of its node.
void ThreeColumns() {
    ResetDocument();
    HouseBuilder(0, 0).column(2, 2).column(5, 2).column(8, 2, 1, 4);
    auto& r = NValueRes.ColumnJointResult[0][0];
    r[0] = r[1] = r[2] = ColumnJointRecord{};
    r[0].nValueX = 1.2; // above 0, 0.65 and 1.0: class 3
    int32_t(&codes)[AxisCountX][AxisCountY] = WallEval.GridNodeMap[0][0];
    codes[2][2] = 1;
    codes[5][2] = -(16 + 1); // a corner column carrying the storey above
    codes[8][2] = 4 + 1;
    for (int i = 0; i < MaxColumns; ++i) NValueRes.ColumnOrder[0][0][i] = -1;
    NValueRes.ColumnOrderCount[0][0] = 0;
}

TEST(ColumnDrawing, JointClassesCornersAndCarriedStoreys) {
    TestApp();
    ThreeColumns();
    QImage image(500, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        DrawColumns(canvas);
    }
    EXPECT_EQ(Pixel(image, 106, 106), Colour(JudgementScale[3]));
    EXPECT_EQ(Pixel(image, 101, 106), Colour(Rgb(128, 64, 0)));    // brown outline: code 1
    EXPECT_EQ(Pixel(image, 265, 106), Colour(0));                  // the carried storey's cross
    EXPECT_EQ(Pixel(image, 263, 106), Colour(JudgementScale[0]));  // no N-value: white
    EXPECT_EQ(Pixel(image, 260, 106), Colour(0));                  // black outline: code -17
    EXPECT_EQ(Pixel(image, 414, 106), Colour(Rgb(255, 128, 255))); // corner rule set by hand
    EXPECT_EQ(Pixel(image, 417, 106), Colour(Rgb(246, 180, 180))); // 釘打ち
}

std::vector<std::string> Texts(const RecordingCanvas& c) {
    std::vector<std::string> out;
    for (const auto& op : c.ops)
        if (op.kind == RecordingCanvas::Kind::Text) out.push_back(op.text);
    return out;
}

TEST(ColumnDrawing, NumbersOnlyForLiveColumnsAndNoResultsAboveTheTopStorey) {
    TestApp();
    ThreeColumns();
    App.InputMode = 1;
    App.Options.NValueMethod = 2; // no marks: only the numbers are texts
    // An order left by a plan that had more columns: numbers go as far as the live count.
    const int32_t order[] = {1, 150, 0, 2};
    for (int i = 0; i < 4; ++i) NValueRes.ColumnOrder[0][0][i] = order[i];
    NValueRes.ColumnOrderCount[0][0] = 4;
    RecordingCanvas numbers;
    DrawColumns(numbers);
    EXPECT_EQ(Texts(numbers), (std::vector<std::string>{"  1", "  3"}));

    // A second storey in a one-storey scenario: its columns are drawn without results.
    Doc.StoreyData.topStorey[0] = 0;
    App.CurrentStorey = 1;
    App.Options.NValueMethod = 0;
    HouseBuilder(0, 1).column(2, 2);
    WallEval.GridNodeMap[0][1][2][2] = -(16 + 1);
    NValueRes.ColumnJointResult[0][1][0] = ColumnJointRecord{};
    NValueRes.ColumnJointResult[0][1][0].nValueX = 3.0;
    RecordingCanvas upper;
    DrawColumns(upper);
    EXPECT_TRUE(Texts(upper).empty());
    for (const auto& op : upper.ops)
        if (op.kind == RecordingCanvas::Kind::Rectangle) {
            EXPECT_EQ(op.brush.colour, JudgementScale[0]);
            EXPECT_EQ(op.pen.colour, Rgb(128, 64, 0));
        }
}

} // namespace
