// The bulk edit dialog (presets, copy and swap per storey mask, the clears behind their
// questions, undo, the main window's storey controls after a copy), the free-line offset
// dialog driven through the input, and the free-line drawing recorded.
#include "TestApp.h"

#include "app/FormSet.h"
#include "document/FreeLines.h"
#include "mainwin/dialogs/Dcopy.h"
#include "mainwin/dialogs/SenDlg.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/InitModel.h"
#include "model/Slots.h"
#include "plan/SheetPlan.h"
#include "ports/RecordingCanvas.h"
#include "support/HouseBuilder.h"
#include "support/ScriptedMessages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Storey f of scenario s holds one element of each kind tagged 10 * s + f + 1; 現況 has two
// storeys, the retrofit plans three.
void ThreeScenarios() {
    for (int s = 0; s < Scenarios; ++s) {
        for (int f = 0; f < Storeys; ++f) HouseBuilder(s, f).oneOfEach(10 * s + f + 1);
        Doc.StoreyData.topStorey[s] = s == 0 ? 1 : 2;
        Doc.StoreyData.storeyHeight[s][0] = 2.7 + s;
    }
}

// The tags of a scenario's storeys, "-" for an empty one.
std::string Tags(int s) {
    std::string out;
    for (int f = 0; f < Storeys; ++f)
        out += (f ? " " : "") +
               (Doc.ColumnCount[s][f] ? std::to_string(Doc.Columns[s][f][0].x) : std::string("-"));
    return out;
}

// A blank document on a 1 m grid (axis i at i metres) at 1/75: 53 pixels a metre.
struct BulkEditTest : ::testing::Test {
    void SetUp() override {
        TestApp();
        ResetModelState();
        InitModel(InitStartup);
        for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = Doc.AxisY[i] = i * 1.0;
    }
};
using DcopyTest = BulkEditTest;
using FreeLinesWindowTest = BulkEditTest;

TEST_F(DcopyTest, PresetsOnShowingCopiesOrSwapsTheCheckedStoreysAndClearsOnYes) {
    ThreeScenarios();
    TDcopyDlg d(nullptr);
    App.CurrentScenario = 2;
    d.show(); // presets: only 改修案２ as destination, 現況 as source, copy
    EXPECT_TRUE(d.Rd2->isChecked() && d.Rs0->isChecked() && d.Rmc->isChecked());
    EXPECT_FALSE(d.Rd0->isEnabled() || d.Rd1->isEnabled() || d.Rs2->isEnabled());
    d.Rmp->click();
    d.repaint(); // keeps the user's swap
    EXPECT_TRUE(d.Rmp->isChecked());
    d.hide();

    // 現況 into 改修案１, 2F only, with the storey data; a step back restores the elements.
    App.CurrentScenario = 1;
    d.FormShow();
    d.Ck1->setChecked(false), d.Ck3->setChecked(false);
    d.OKBtn->click();
    EXPECT_EQ(Tags(1), "11 2 13");
    EXPECT_EQ(Doc.StoreyData.storeyHeight[1][0], 2.7);
    EXPECT_EQ(App.Modified, 1);
    UndoStep();
    EXPECT_EQ(Tags(1), "11 12 13");

    // 1F and 2F swapped with 改修案２ without the storey data: a step back restores both.
    App.Modified = 0;
    d.FormShow(); // the storey boxes kept their state
    d.Ck1->setChecked(true);
    d.Rmp->click(), d.Rs2->click();
    d.CheckBox1->setChecked(false);
    const std::string before = AllScenarios();
    d.OKBtn->click();
    EXPECT_EQ(Tags(1) + " | " + Tags(2), "21 22 13 | 11 12 23");
    EXPECT_EQ(Doc.StoreyData.storeyHeight[2][0], 4.7);
    EXPECT_EQ(App.Modified, 1);
    UndoStep();
    EXPECT_EQ(AllScenarios(), before);

    // The clears work on the storey on screen, each only on Yes.
    App.CurrentStorey = 1, App.UndoPosition = 0, App.Modified = 0;
    ScriptedMessages messages;
    messages.expect("この階の全てのデータを消去します。", MsgAnswer::No)
        .expect("この階の全てのデータを消去します。", MsgAnswer::Cancel)
        .expect("この階の壁耐力要素を全て消去します。", MsgAnswer::Yes)
        .expect("この階の全てのデータを消去します。", MsgAnswer::Yes);
    d.Button1->click(), d.Button1->click();
    EXPECT_EQ(Tags(1), "11 12 13");
    EXPECT_EQ(App.UndoPosition + App.Modified, 0);
    d.Button2->click();
    EXPECT_EQ(Doc.Walls[1][1][0].bracing + Doc.Walls[1][0][0].bracing, 14); // 2F only
    d.Button1->click();
    EXPECT_EQ(Tags(1), "11 - 13");
    EXPECT_EQ(App.UndoPosition + App.Modified, 3);
}

TEST_F(DcopyTest, MainWindowStoreyControlsFollowACopyThatLowersTheStoreys) {
    QTemporaryDir locks;
    ASSERT_TRUE(CreateForms({QStringLiteral("velquor")}, locks.path()));
    ThreeScenarios(); // after the start-up initialisation
    Tvelquor2Form& form = *MainForm;
    form.Rkaishu1->click();
    form.R3kai->click();
    SetModalRunner([](QDialog& dialog) {
        dialog.show();
        static_cast<TDcopyDlg&>(dialog).OKBtn->click(); // 現況 into 改修案１, all storeys
        return dialog.result();
    });
    form.Bgennkyou->click();
    SetModalRunner({});
    EXPECT_FALSE(form.R3kai->isEnabled());
    EXPECT_EQ(App.CurrentStorey, 1);
    EXPECT_TRUE(form.R2kai->isChecked());
    DestroyForms();
}

void Type(QComboBox* c, const QString& text) {
    c->lineEdit()->setText(text);
    emit c->lineEdit()->textEdited(text);
}

TEST_F(FreeLinesWindowTest, OffsetDialogStoresWhatIsTypedShowsItOnShowingAndFeedsTheInput) {
    TSenoffDlg d(nullptr);
    Type(d.Coy1, QStringLiteral("0.5")); // upwards: held negated
    Type(d.Cox2, QStringLiteral("abc")); // no number: 0
    Type(d.Coy2, QStringLiteral("－０．７５"));
    EXPECT_EQ(App.CurLineOffset[1], -0.5);
    EXPECT_EQ(App.CurLineOffset[2], 0.0);
    EXPECT_EQ(App.CurLineOffset[3], 0.75);
    d.FormShow();
    EXPECT_EQ(d.Coy1->currentText(), QStringLiteral("  0.500"));
    EXPECT_EQ(d.Cox2->currentText(), QStringLiteral("  0.000"));

    // An item picked and OK places the line with it.
    SetModalRunner([](QDialog& dialog) {
        auto& form = static_cast<TSenoffDlg&>(dialog);
        form.Cox1->setCurrentIndex(0);
        emit form.Cox1->activated(0); // "0.754"
        form.OKBtn->click();
        return dialog.result();
    });
    EXPECT_EQ(InputFreeLine(1, 1, 3, 1), 1);
    SetModalRunner({});
    ASSERT_EQ(Doc.FreeLineCount[0][0], 1);
    EXPECT_EQ(Doc.FreeLines[0][0][0].dx1, 0.754);
    EXPECT_EQ(Doc.FreeLines[0][0][0].dy2, 0.75);
}

TEST_F(FreeLinesWindowTest, SixStylesWithOffsetsAndTheReferenceLinesOfFreeLineMode) {
    // Node (1, 1) at (53, 53). Only the first line has offsets.
    HouseBuilder b(0, 0);
    b.freeLine(1, 1, 3, 1, 0.5, -0.5, 0, 0, LineThin, 0x0000FF);
    for (int style = LineThick; style <= LineDashDotDot; ++style)
        b.freeLine(1, 1, 3, 1, 0, 0, 0, 0, style);
    b.freeLine(1, 1, 100, 1).at(0, 1).freeLine(2, 2, 4, 4); // off the grid; another storey
    RecordingCanvas c;
    DrawFreeLines(c);
    const PenStyle pens[] = {PenStyle::Solid, PenStyle::Solid,   PenStyle::Dot,
                             PenStyle::Dash,  PenStyle::DashDot, PenStyle::DashDotDot};
    ASSERT_EQ(c.ops.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(c.ops[i].pen.style, pens[i]) << i;
        EXPECT_EQ(c.ops[i].pen.width, i == LineThick ? 3 : 1) << i;
    }
    const auto& p = c.ops[0].points; // 53 + 26.5, 53 - 26.5 truncated
    EXPECT_EQ(std::tuple(p[0].x, p[0].y, p[1].x, c.ops[0].pen.colour),
              std::tuple(79, 26, 159, 255u));

    App.InputMode = 7;
    c.ops.clear();
    DrawFreeLines(c);
    ASSERT_EQ(c.ops.size(), 12u);
    EXPECT_EQ(c.ops[0].pen.colour, Rgb(255, 0, 192));
    EXPECT_EQ(c.ops[0].pen.style, PenStyle::Dot);
    EXPECT_EQ(c.ops[0].points[0].y, 53); // between the nodes, whatever the offsets
}

} // namespace
