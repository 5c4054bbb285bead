// The wall palette and the wall-change dialog driven through their controls: the wall word
// each control composes, the strength preview against the tables, and the change dialog's
// buttons with what the wall input does after each.
#include "TestApp.h"

#include "calc/WallElementTables.h"
#include "document/WallInput.h"
#include "mainwin/dialogs/Dkabe.h"
#include "mainwin/dialogs/WallChange.h"
#include "model/InitModel.h"
#include "model/Slots.h"
#include "support/HouseBuilder.h"
#include "support/ScriptedMessages.h"
#include "ui/Forms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>
#include <array>
#include <functional>

#include <gtest/gtest.h>

namespace {

void ResetDocument() {
    ResetModelState();
    InitModel(InitStartup);
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = Doc.AxisY[i] = i;
    SelectWallElementTables();
    RetrofitEndColumnsNotice = 0;
}

// The user picks an item.
void Choose(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

double Sum(int row, int mud, int left, int right) {
    return BraceSpecs[row].strength + MudWallSpecs[mud].strength + PanelSpecs[left].strength +
           PanelSpecs[right].strength;
}

TEST(WallFormsTest, PaletteComposesTheWallWordAndPreviewsItsStrength) {
    TestApp();
    ResetDocument();
    Doc.DiagnosisMethod = 1;
    TWallDlg dlg(nullptr);
    WallElementControls& e = dlg.Elements();
    dlg.FormShow();
    // The first showing checks one radio of every group: the empty word takes one way.
    EXPECT_EQ(App.CurWallBrace, 2);
    EXPECT_TRUE(e.Rsingle->isChecked() && e.Rknashi->isChecked() && e.Rtnashi->isChecked() &&
                e.Rnashi->isChecked() && e.Rmukaikou->isChecked());

    Choose(e.Csujikai, 5); // 90x45
    EXPECT_EQ(App.CurWallBrace, 62);
    e.Rdouble->click();
    e.Rk15bai->click();
    EXPECT_EQ(App.CurWallBrace, 67);
    e.Rt7->click();
    EXPECT_EQ(App.CurWallBrace, 451);
    Choose(e.Clumem, 3); // P1
    e.Cludoubuchi->click();
    Choose(e.Crdmem, 15); // G1
    EXPECT_EQ(App.CurWallPanelL, 7);
    EXPECT_EQ(App.CurWallPanelR, 30);
    EXPECT_DOUBLE_EQ(e.Lbairitsu->strength(), std::min(Sum(67, 3, 7, 30), 9.8));
    Choose(e.Csujikai, 0); // no bracing keeps direction and hardware
    EXPECT_EQ(App.CurWallBrace, 3 * 128 + 7);
    Choose(e.Crdmem, 0);
    e.Cludoubuchi->click();
    EXPECT_DOUBLE_EQ(e.Lbairitsu->strength(), std::min(Sum(7, 3, 6, 0), 9.8));

    for (auto [radio, kind] : {std::pair{e.Rmado, 1}, {e.Rto, 4}, {e.Rzenkaikou, 14}}) {
        radio->click();
        EXPECT_EQ(App.CurWallKind, kind);
    }
    e.Rbubun->click();
    EXPECT_EQ(App.CurWallDeterioration, 1);
    e.Rzentai->click();
    EXPECT_EQ(App.CurWallDeterioration, 0);

    // All unknown: 1.96 under the general method, the plain sum under method 0.
    Choose(e.Csujikai, 1);
    e.Rtfumei->click();
    Choose(e.Clumem, 1);
    e.Cludoubuchi->click();
    Choose(e.Crdmem, 1);
    EXPECT_DOUBLE_EQ(e.Lbairitsu->strength(), 1.96);
    EXPECT_EQ(e.Lbairitsu->text(), QStringLiteral(" 1.96"));
    Doc.DiagnosisMethod = 0;
    e.ShowPreview();
    const int row = App.CurWallBrace % 128;
    EXPECT_DOUBLE_EQ(e.Lbairitsu->strength(), Sum(row, 1, 3, 2));

    // Values changed from outside show at the next showing, never at a repaint.
    App.CurWallKind = 9;
    dlg.repaint();
    EXPECT_EQ(App.CurWallKind, 9);
    dlg.FormShow();
    EXPECT_TRUE(e.Rmado->isChecked());

    // Codes out of the lists (a damaged file) show the catch-all items and stay in the tables.
    App.CurWallBrace = 7 * 128 + 127;
    App.CurWallPanelL = 200;
    dlg.FormShow();
    EXPECT_TRUE(e.Rt9o->isChecked() && e.Rdouble->isChecked() && e.Rk15bai->isChecked());
    EXPECT_EQ(App.CurWallBrace / 128, 5);
    EXPECT_EQ(e.Clumem->currentIndex(), 34);
    EXPECT_EQ(e.Csujikai->currentIndex(), 6);

    // Narrow and wide form; the beam legend follows the option.
    EXPECT_FALSE(e.G2->isVisibleTo(&dlg));
    dlg.show(); // at the screen's left edge: the wide form grows no further left
    dlg.move(dlg.screen()->availableGeometry().topLeft());
    dlg.BhyoujiClick();
    EXPECT_TRUE(e.G2->isVisibleTo(&dlg));
    EXPECT_EQ(dlg.frameGeometry().left(), dlg.screen()->availableGeometry().left());
    App.Options.ShowBeamStress = 0;
    dlg.ShowBeamLegend();
    EXPECT_FALSE(dlg.GroupBox1->isVisibleTo(&dlg));
}

// What the user does in the wall-change dialog.
enum Act {
    Mud5,
    RetrofitOff,
    NoStrength,
    Window,
    Ok,
    StillOpen,
    Cancel,
    Close,
    Escape,
    Get,
    Put,
    Del
};

void Do(TWallChangeDlg& d, Act act) {
    WallElementControls& e = d.Elements();
    switch (act) {
    case Mud5:
        return e.Rt5->click();
    case RetrofitOff:
        return d.Ckaishuu->click();
    case NoStrength:
        return e.Rzenkaikou->click();
    case Window:
        return e.Rmado->click();
    case Ok:
        return d.OKBtn->click();
    case StillOpen:
        EXPECT_TRUE(d.isVisible());
        return;
    case Cancel:
        return d.CancelBtn->click();
    case Close:
        d.close();
        return;
    case Escape: {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&d, &key);
        return;
    }
    case Get:
        d.Bget->click();
        EXPECT_TRUE(WallDlg->Elements().Rk15bai->isChecked()); // the palette shows the wall
        EXPECT_EQ(App.CurWallBrace, 67) << "never with the retrofit bit";
        return;
    case Put:
        App.CurWallBrace = 83; // 90x90 告示 crossed
        d.Bput->click();
        EXPECT_EQ(e.Csujikai->currentIndex(), 6);
        return;
    case Del:
        return d.Bdel->click();
    }
}

// One click on the wall (1,1)-(4,1) (bracing 67, retrofit) with the user's actions.
struct ChangeCase {
    const char* name;
    bool reversed; // clicked from (4,1)
    std::vector<std::pair<const char*, MsgAnswer>> answers;
    std::vector<Act> acts;
    int result;               // WallChangeDlgResult after the dialog
    std::array<int, 4> after; // wall count, first wall's x1, type and bracing
};

constexpr int Stored = 67 + 1024;
constexpr const char* CoreQuestion = "有開口壁に心材";
// clang-format off
const ChangeCase ChangeCases[] = {
    {"OK writes the controls and turns the wall round", true, {}, {Mud5, RetrofitOff, Ok}, 0, {1, 4, 0, 2 * 128 + 67}},
    {"cancel",    true, {}, {Mud5, Cancel}, 1, {1, 1, 0, Stored}},
    {"close box", true, {}, {Mud5, Close},  1, {1, 1, 0, Stored}},
    {"escape",    true, {}, {Mud5, Escape}, 1, {1, 1, 0, Stored}},
    {"refused no-strength kind keeps it open", true, {{"耐力無壁には", MsgAnswer::Ok}},
     {NoStrength, Ok, StillOpen, Cancel}, 1, {1, 1, 0, Stored}},
    {"No to the core question keeps it open", false, {{CoreQuestion, MsgAnswer::No}},
     {Window, Ok, StillOpen, Close}, 1, {1, 1, 0, Stored}},
    {"Yes to the core question", false, {{CoreQuestion, MsgAnswer::Yes}}, {Window, Ok}, 0, {1, 1, 1, Stored}},
    {"要素の取得 then OK writes, does not turn", true, {}, {Get, Mud5, Ok}, 1, {1, 1, 0, 2 * 128 + Stored}},
    {"要素の貼付 then OK", false, {}, {Put, Ok}, 0, {1, 1, 0, 83 + 1024}},
    {"delete",             false, {}, {Del},     100, {0, 1, 0, Stored}},
};
// clang-format on

TEST(WallFormsTest, ChangeDialogButtonsAndWhatTheWallInputDoesAfter) {
    TestApp();
    TWallDlg palette(nullptr);
    WallDlg = &palette;
    TWallChangeDlg dialog(nullptr);
    bool openAfterUser = false;
    const ChangeCase* current = nullptr;
    SetModalRunner([&](QDialog& d) {
        d.show();
        for (Act act : current->acts) Do(dialog, act);
        openAfterUser = d.isVisible();
        d.hide();
        return d.result();
    });

    for (const ChangeCase& c : ChangeCases) {
        SCOPED_TRACE(c.name);
        ResetDocument();
        HouseBuilder().wall(1, 1, 4, 1, Stored);
        Doc.Walls[0][0][0].cautionFlags = 5;
        const std::string before = AllScenarios();
        current = &c;
        int taken;
        {
            ScriptedMessages messages;
            for (auto [text, answer] : c.answers) messages.expect(text, answer);
            taken = c.reversed ? InputWall(4, 1, 1, 1) : InputWall(1, 1, 4, 1);
        }
        EXPECT_FALSE(openAfterUser);
        EXPECT_EQ(WallChangeDlgResult, c.result);
        const WallRecord& w = Doc.Walls[0][0][0];
        EXPECT_EQ((std::array{Doc.WallCount[0][0], w.x1, w.type, w.bracing}), c.after);
        const bool changed = AllScenarios() != before;
        EXPECT_EQ(taken, changed ? 1 : 0) << "only a change marks the document modified";
        EXPECT_EQ(UndoStep(), changed) << "one snapshot for a change, none without";
        EXPECT_FALSE(UndoStep());
        EXPECT_EQ(AllScenarios(), before);
    }
    // The show: cautions by bit, the end-column box only in a retrofit plan.
    EXPECT_TRUE(dialog.Lchuui1->isVisibleTo(&dialog) && dialog.Lchuui3->isVisibleTo(&dialog));
    EXPECT_FALSE(dialog.Lchuui2->isVisibleTo(&dialog) || dialog.Lchuui4->isVisibleTo(&dialog));
    EXPECT_FALSE(dialog.Cckokuji->isEnabled());

    SetModalRunner({});
    WallDlg = nullptr;
}

// The palette floats over the plan being drawn: its wide form stays near its designed client
// size of 697 x 144 and its narrow form near 129 x 97; neither form squeezes a control below
// what it needs to show whole.
TEST(WallFormsTest, PaletteIsCompactAndBothFormsShowEveryControlWhole) {
    TestApp();
    ResetDocument();
    App.Options.ShowBeamStress = 1;
    HouseBuilder().wall(1, 1, 4, 1, 67);
    Doc.Walls[0][0][0].cautionFlags = 15;
    WallChangeIndex = 0;
    TWallDlg palette(nullptr);
    TWallChangeDlg dialog(nullptr);
    palette.show();
    const auto expectWhole = [](QWidget* form) {
        for (QWidget* w : form->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(form)) continue;
            const QString text = w->property("text").toString() + w->property("title").toString();
            EXPECT_GE(w->width(), w->minimumSizeHint().width()) << text.toStdString();
            EXPECT_GE(w->height(), w->minimumSizeHint().height()) << text.toStdString();
        }
    };
    EXPECT_LE(palette.width(), 129 * 14 / 10);
    EXPECT_LE(palette.height(), 97 * 14 / 10);
    expectWhole(&palette);
    palette.BhyoujiClick();
    EXPECT_LE(palette.width(), 697 * 115 / 100);
    EXPECT_LE(palette.height(), 144 * 110 / 100);
    expectWhole(&palette);
    dialog.show(); // a modal dialog: the palette steps aside
    expectWhole(&dialog);
    dialog.hide();
}

} // namespace
