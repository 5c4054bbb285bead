// The wall palette and the wall-change dialog driven through their controls: the wall word
// each control composes, the strength preview against the tables, and the change dialog's
// buttons with what the wall input does after each.
#include "TestApp.h"

#include "calc/WallElementTables.h"
#include "mainwin/WallInput.h"
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

#include <algorithm>
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
    dlg.BhyoujiClick();
    EXPECT_TRUE(e.G2->isVisibleTo(&dlg));
    App.Options.ShowBeamStress = 0;
    dlg.ShowBeamLegend();
    EXPECT_FALSE(dlg.GroupBox1->isVisibleTo(&dlg));
}

// One click on an existing wall with the dialog shown and the user's actions in it.
struct ChangeCase {
    const char* name;
    int x1, y1, x2, y2; // the click
    std::vector<std::pair<const char*, MsgAnswer>> answers;
    std::function<void(TWallChangeDlg&)> user;
    int result;    // WallChangeDlgResult after the dialog
    bool snapshot; // one undo snapshot
    std::function<void()> check;
};

TEST(WallFormsTest, ChangeDialogButtonsAndWhatTheWallInputDoesAfter) {
    TestApp();
    TWallDlg palette(nullptr);
    WallDlg = &palette;
    TWallChangeDlg dialog(nullptr);
    bool openAfterUser = false;
    std::function<void(TWallChangeDlg&)> user;
    SetModalRunner([&](QDialog& d) {
        d.show();
        user(dialog);
        openAfterUser = d.isVisible();
        d.hide();
        return d.result();
    });
    const auto wall = [] { return Doc.Walls[0][0][0]; };
    const auto escape = [](TWallChangeDlg& d) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&d, &key);
    };

    const std::vector<ChangeCase> cases = {
        {"OK writes the controls, the retrofit mark off, and turns the wall round",
         4,
         1,
         1,
         1,
         {},
         [](TWallChangeDlg& d) {
             d.Elements().Rt5->click();
             d.Ckaishuu->click();
             d.OKBtn->click();
         },
         0,
         true,
         [&] {
             EXPECT_EQ(wall().bracing, 2 * 128 + 67);
             EXPECT_EQ(wall().x1, 4);
         }},
        {"cancel",
         4,
         1,
         1,
         1,
         {},
         [](TWallChangeDlg& d) {
             d.Elements().Rt5->click();
             d.CancelBtn->click();
         },
         1,
         false,
         [&] { EXPECT_EQ(wall().x1, 1); }},
        {"close box", 1, 1, 4, 1, {}, [](TWallChangeDlg& d) { d.close(); }, 1, false, [] {}},
        {"escape", 1, 1, 4, 1, {}, escape, 1, false, [] {}},
        {"no-strength kind with bracing: refused, the dialog stays open",
         4,
         1,
         1,
         1,
         {{"耐力無壁には", MsgAnswer::Ok}},
         [](TWallChangeDlg& d) {
             d.Elements().Rzenkaikou->click();
             d.OKBtn->click();
             EXPECT_TRUE(d.isVisible());
             d.CancelBtn->click();
         },
         1,
         false,
         [&] { EXPECT_EQ(wall().x1, 1); }},
        {"window with bracing, No keeps it open; then the close box",
         1,
         1,
         4,
         1,
         {{"有開口壁に心材", MsgAnswer::No}},
         [&](TWallChangeDlg& d) {
             d.Elements().Rmado->click();
             d.OKBtn->click();
             EXPECT_TRUE(d.isVisible());
             d.close();
         },
         1,
         false,
         [&] { EXPECT_EQ(wall().type, 0); }},
        {"window with bracing, Yes",
         1,
         1,
         4,
         1,
         {{"有開口壁に心材", MsgAnswer::Yes}},
         [](TWallChangeDlg& d) {
             d.Elements().Rmado->click();
             d.OKBtn->click();
         },
         0,
         true,
         [&] { EXPECT_EQ(wall().type, 1); }},
        {"要素の取得 then OK: palette takes the wall, record written, not turned",
         4,
         1,
         1,
         1,
         {},
         [](TWallChangeDlg& d) {
             d.Bget->click();
             EXPECT_TRUE(WallDlg->Elements().Rk15bai->isChecked());
             d.Elements().Rt5->click();
             d.OKBtn->click();
         },
         1,
         true,
         [&] {
             EXPECT_EQ(App.CurWallBrace, 62 + 4 + 1); // 90x45, 1.5x, crossed; no retrofit bit
             EXPECT_EQ(wall().bracing, 2 * 128 + 67 + 1024);
             EXPECT_EQ(wall().x1, 1);
         }},
        {"要素の貼付 then OK",
         1,
         1,
         4,
         1,
         {},
         [](TWallChangeDlg& d) {
             App.CurWallBrace = 6 * 12 + 2 * 4 + 3;
             App.CurWallPanelR = 7;
             d.Bput->click();
             EXPECT_EQ(d.Elements().Csujikai->currentIndex(), 6);
             d.OKBtn->click();
         },
         0,
         true,
         [&] {
             EXPECT_EQ(wall().bracing, 83 + 1024);
             EXPECT_EQ(wall().panelR, 7);
         }},
        {"delete",
         1,
         1,
         4,
         1,
         {},
         [](TWallChangeDlg& d) { d.Bdel->click(); },
         100,
         true,
         [] { EXPECT_EQ(Doc.WallCount[0][0], 0); }},
    };

    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDocument();
        App.CurWallBrace = 0;
        HouseBuilder().wall(1, 1, 4, 1, 67 + 1024); // 90x45 crossed 1.5x, retrofit wall
        Doc.Walls[0][0][0].cautionFlags = 5;
        const std::string before = AllScenarios();
        user = c.user;
        {
            ScriptedMessages messages;
            for (auto [text, answer] : c.answers) messages.expect(text, answer);
            EXPECT_EQ(InputWall(c.x1, c.y1, c.x2, c.y2), 1);
        }
        EXPECT_FALSE(openAfterUser);
        EXPECT_EQ(WallChangeDlgResult, c.result);
        c.check();
        int steps = 0;
        while (UndoStep()) ++steps;
        EXPECT_EQ(steps, c.snapshot ? 1 : 0);
        EXPECT_EQ(AllScenarios(), before);
    }
    // The show: cautions by bit, the end-column box only in a retrofit plan.
    EXPECT_TRUE(dialog.Lchuui1->isVisibleTo(&dialog) && dialog.Lchuui3->isVisibleTo(&dialog));
    EXPECT_FALSE(dialog.Lchuui2->isVisibleTo(&dialog) || dialog.Lchuui4->isVisibleTo(&dialog));
    EXPECT_FALSE(dialog.Cckokuji->isEnabled());

    SetModalRunner({});
    WallDlg = nullptr;
}

} // namespace
