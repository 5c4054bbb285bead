// Free-line input driven by node pairs, the offset dialog answered by a script: placing in the
// current style and colour, removing by the nodes alone, refusals, the offset questions.
#include "document/FreeLines.h"
#include "model/InitModel.h"
#include "model/Slots.h"
#include "support/HouseBuilder.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// OK with the typed offsets, or cancel.
struct ScriptedOffsetView final : FreeLineInputView {
    ScriptedOffsetView() { SetFreeLineInputView(this); }
    ~ScriptedOffsetView() override { SetFreeLineInputView(nullptr); }
    bool showOffsetDialog() override {
        ++shown;
        for (int f = 0; f < 4; ++f) SetTypedOffset(f, typed[f]);
        return ok;
    }
    bool ok = true;
    double typed[4] = {};
    int shown = 0;
};

struct FreeLinesTest : ::testing::Test {
    void SetUp() override {
        ResetModelState();
        InitModel(InitStartup);
        App.CurrentScenario = 1, App.CurrentStorey = 1;
    }
    const int32_t& count = Doc.FreeLineCount[1][1];
    const FreeLineRecord (&lines)[MaxFreeLines] = Doc.FreeLines[1][1];
    ScriptedOffsetView view;
    ScriptedMessages messages;
};

TEST_F(FreeLinesTest, PlacedInTheCurrentStyleAndRemovedByItsNodesAlone) {
    App.CurLineStyle = LineDashDot, App.CurLineColour = 0x00C08000;
    // Y typed upwards, held negated; the ±1 m bounds are asked nothing.
    view.typed[0] = 0.303, view.typed[1] = 0.5, view.typed[2] = -1.0, view.typed[3] = 1.0;
    EXPECT_EQ(InputFreeLine(1, 1, 5, 1), 1);
    EXPECT_EQ(lines[0], (FreeLineRecord{1, 1, 5, 1, 0.303, -0.5, -1.0, -1.0, 4, 0x00C08000}));

    HouseBuilder(1, 1).freeLine(2, 2, 3, 3);
    EXPECT_EQ(InputFreeLine(5, 1, 1, 1), 1); // the other order; offsets play no part
    EXPECT_EQ(count, 1);
    EXPECT_EQ(lines[0].x1, 2); // the lines after it moved down

    EXPECT_EQ(InputFreeLine(3, 3, 3, 3), 0);   // one node twice
    EXPECT_EQ(InputFreeLine(3, 3, 100, 3), 0); // off the grid
    view.ok = false;
    EXPECT_EQ(InputFreeLine(1, 1, 2, 1), 0); // cancelled: nothing added, nothing to save
    Doc.FreeLineCount[1][1] = MaxFreeLines;
    EXPECT_EQ(InputFreeLine(1, 1, 2, 1), 0); // full: no dialog
    EXPECT_EQ(view.shown, 2);
    EXPECT_EQ(App.UndoPosition, 2);
}

TEST_F(FreeLinesTest, WideOffsetsAreAskedAboutAndUnstorableOnesRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double typed[4];
        const char* message;
        MsgAnswer answer;
        int returns;
    };
    const char* ask = "元の位置と離れますが。";
    const char* refuse = "-99.999 から 99.999"; // the file's field holds no more
    const Case cases[] = {
        {{0, 1.001, 0, 0}, ask, MsgAnswer::No, 0},
        {{0, 0, -1.001, 0}, ask, MsgAnswer::Cancel, 0},
        {{0, 0, 0, 99.999}, ask, MsgAnswer::Yes, 1},
        {{0, 0, 100.0, 0}, refuse, MsgAnswer::Ok, 0},
        {{-99.9995, 0, 0, 0}, refuse, MsgAnswer::Ok, 0},
        {{0, nan, 0, 0}, refuse, MsgAnswer::Ok, 0},
    };
    for (const Case& c : cases) {
        std::copy(std::begin(c.typed), std::end(c.typed), view.typed);
        messages.expect(c.message, c.answer);
        EXPECT_EQ(InputFreeLine(1, 1, 2, 2), c.returns) << c.typed[0] << c.typed[2];
        EXPECT_EQ(count + App.UndoPosition, 2 * c.returns);
        Doc.FreeLineCount[1][1] = 0;
        App.UndoPosition = 0;
    }
    EXPECT_EQ(messages.shown[0].caption, "オフセット入力問い合わせ");
}

} // namespace
