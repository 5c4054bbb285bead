// Foundations and room texts entered by clicks on grid nodes: toggling, the first-storey rule,
// the text dialog answered from a script, orientation marks against the other storey, the cut
// of a long text on a whole character, capacity, and one undo step back after every change.
#include "document/Foundations.h"
#include "model/AppState.h"
#include "model/Cp932.h"
#include "model/InitModel.h"
#include "model/Model.h"
#include "model/Slots.h"

#include "support/HouseBuilder.h"
#include "support/PlanInputChecks.h"
#include "support/ScriptedMessages.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Answers the text dialog: OK leaves the palette's text as it is (the user took it).
struct ScriptedTextView final : PlanTextInputView {
    ScriptedTextView() { SetPlanTextInputView(this); }
    ~ScriptedTextView() override { SetPlanTextInputView(nullptr); }
    bool showNameDialog() override {
        ++shown;
        return ok;
    }
    bool ok = true;
    int shown = 0;
};

// Foundations "f..." and texts of scenario 0 per storey, texts in UTF-8.
std::string Plan() {
    std::string out;
    for (int f = 0; f < Storeys; ++f) {
        out += f ? " |" : "";
        for (int i = 0; i < LiveCount(Doc.FoundationCount[0][f], MaxFoundations); ++i) {
            const auto& r = Doc.Foundations[0][f][i];
            out += " f" + std::to_string(r.x1) + "," + std::to_string(r.y1) + "," +
                   std::to_string(r.x2) + "," + std::to_string(r.y2) + ":" + std::to_string(r.type);
        }
        for (int i = 0; i < LiveCount(Doc.RoomTextCount[0][f], MaxRoomTexts); ++i) {
            const auto& r = Doc.RoomTexts[0][f][i];
            out += " " + std::to_string(r.x1) + "," + std::to_string(r.y1) + "," +
                   std::to_string(r.x2) + "," + std::to_string(r.y2) + ":" +
                   cp932::toUtf8(r.text.view());
        }
    }
    return out;
}

struct Case {
    const char* what;
    bool text; // InputRoomName, else InputFoundation
    int storey, x1, y1, x2, y2;
    const char* palette; // the palette's text before the click (UTF-8)
    bool dialogOk;
    const char* message; // the refusal told, or nullptr
    int returns;
    const char* after;        // "" when nothing changes and no snapshot is taken
    const char* paletteAfter; // the palette's text after the click
    int dialogs;              // how often the dialog showed
};

const char* const Base = " f1,1,4,1:2 1,1,3,3:居間 | 2,2,2,2:*90 |";
const char* const LongText = "Aあいうえおかきくけこさしすせそたちつてと"; // 41 bytes

// clang-format off
const Case Cases[] = {
    {"foundation of the palette's type", false, 0, 4, 1, 4, 5, "", true, nullptr, 1,
     " f1,1,4,1:2 f4,1,4,5:1 1,1,3,3:居間 | 2,2,2,2:*90 |", "", 0},
    {"foundation clicked end to start is removed", false, 0, 4, 1, 1, 1, "", true, nullptr, 1,
     " 1,1,3,3:居間 | 2,2,2,2:*90 |", "", 0},
    {"foundation on one node", false, 0, 2, 2, 2, 2, "", true, nullptr, 0, "", "", 0},
    {"foundation on the second storey", false, 1, 1, 1, 4, 1, "", true,
     "基礎は１階のみ入力出来ます", 0, "", "", 0},
    {"text taken back into the palette", true, 0, 3, 3, 1, 1, "和室", true, nullptr, 1,
     " f1,1,4,1:2 | 2,2,2,2:*90 |", "居間", 0},
    {"text on one node", true, 0, 6, 6, 6, 6, "@便所", true, nullptr, 1,
     " f1,1,4,1:2 1,1,3,3:居間 6,6,6,6:@便所 | 2,2,2,2:*90 |", "@便所", 1},
    {"dialog cancelled", true, 0, 6, 6, 7, 7, "和室", false, nullptr, 0, "", "和室", 1},
    {"mark as on the second storey", true, 0, 5, 5, 5, 5, "*90", true, nullptr, 1,
     " f1,1,4,1:2 1,1,3,3:居間 5,5,5,5:*90 | 2,2,2,2:*90 |", "*90", 1},
    {"mark other than the second storey's", true, 0, 5, 5, 5, 5, "*0", true,
     "他階の方位が異なります", 0, "", "*0", 1},
    {"third storey's mark against the second", true, 2, 5, 5, 5, 5, "*180", true,
     "他階の方位が異なります", 0, "", "*180", 1},
    {"second mark on a storey", true, 1, 5, 5, 5, 5, "*90", true, "方位は一つのみ入力出来ます",
     0, "", "*90", 1},
    {"long text cut on a whole character", true, 0, 8, 8, 9, 9, LongText, true, nullptr, 1,
     " f1,1,4,1:2 1,1,3,3:居間 8,8,9,9:Aあいうえおかきくけこさしすせそ | 2,2,2,2:*90 |",
     LongText, 1},
};
// clang-format on

TEST(FoundationsAndTexts, InputByClicksWithTheDialogAndUndo) {
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.what);
        ResetModelState();
        InitModel(InitStartup);
        HouseBuilder(0, 0).foundation(1, 1, 4, 1, 2).roomText(1, 1, 3, 3, Sjis("居間"));
        HouseBuilder(0, 1).roomText(2, 2, 2, 2, "*90");
        App.CurrentStorey = c.storey;
        App.CurFoundationType = 1;
        App.CurRoomText = Sjis(c.palette); // as typed, not yet cut
        ScriptedTextView view;
        view.ok = c.dialogOk;
        ScriptedMessages messages;
        if (c.message) messages.expect(c.message, MsgAnswer::Ok);
        const std::string slot = WholeSlot(0);

        EXPECT_EQ(c.text ? InputRoomName(c.x1, c.y1, c.x2, c.y2)
                         : InputFoundation(c.x1, c.y1, c.x2, c.y2),
                  c.returns);
        EXPECT_EQ(cp932::toUtf8(App.CurRoomText), c.paletteAfter);
        EXPECT_EQ(view.shown, c.dialogs);
        ExpectUndoableClick(Plan, Base, slot, c.after);
    }
}

TEST(FoundationsAndTexts, FullListsRefuseWithoutTheDialogAndMarkAngles) {
    ResetModelState();
    InitModel(InitStartup);
    ScriptedTextView view;
    for (int i = 0; i < MaxRoomTexts; ++i) HouseBuilder(0, 0).roomText(i % 50, i / 50, 1, 1, "x");
    for (int i = 0; i < MaxFoundations; ++i) HouseBuilder(0, 0).foundation(i % 50, i / 50, 1, 1);
    EXPECT_EQ(InputRoomName(60, 60, 61, 61), 0);
    EXPECT_EQ(InputFoundation(60, 60, 61, 61), 0);
    EXPECT_EQ(view.shown, 0);
    EXPECT_FALSE(CanUndo());

    EXPECT_EQ(OrientationDegrees("*270"), 270);
    EXPECT_EQ(OrientationDegrees("*-45deg"), -45);
    EXPECT_EQ(OrientationDegrees("*"), 0);
    EXPECT_EQ(OrientationDegrees("*99999999999"), 1000000);
}

} // namespace
