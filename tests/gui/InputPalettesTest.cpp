// The input palettes of columns, areas, floor specifications, foundations, texts and free
// lines: what each control writes, what a showing presets, the texts' clear-all, and the
// palettes in the main window (placement, hints).
#include "TestApp.h"

#include "mainwin/dialogs/Dhashira.h"
#include "mainwin/dialogs/Djiyu.h"
#include "mainwin/dialogs/Dkabe.h"
#include "mainwin/dialogs/Dkiso.h"
#include "mainwin/dialogs/Droom.h"
#include "mainwin/dialogs/Dtourishin.h"
#include "mainwin/dialogs/Dyuka.h"
#include "mainwin/dialogs/Dyuka2.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/InitModel.h"
#include "model/Slots.h"
#include "support/HouseBuilder.h"
#include "support/ScriptedMessages.h"
#include "support/ScriptedPrintServices.h"
#include "support/WidgetPixels.h"
#include "app/FormSet.h"
#include "ui/PaintBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

namespace {

void Reset() {
    TestApp();
    ResetModelState();
    InitModel(InitStartup);
}

// The user picks an item.
void Choose(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

struct Step {
    std::function<void()> act;
    const int32_t& variable;
    int32_t expected;
};

void RunSteps(std::initializer_list<Step> steps) {
    int n = 0;
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(step.variable, step.expected) << "step " << n;
        ++n;
    }
}

} // namespace

TEST(InputPalettes, ColumnPaletteWritesKindHardwareCornerAndFollowsTheStorey) {
    Reset();
    TColumnDlg dlg(nullptr);
    App.CurColumnKind = 7; // no radio: the catch-all's value
    dlg.FormShow();
    EXPECT_TRUE(dlg.Rtoushi2->isChecked());
    EXPECT_EQ(App.CurColumnKind, 3);
    EXPECT_TRUE(dlg.Rkugi->isChecked() && dlg.Rdesumi0->isChecked());
    EXPECT_TRUE(dlg.Rtoushi->isEnabled());
    EXPECT_FALSE(dlg.Rtoushi2->isEnabled());
    RunSteps({{[&] { dlg.Rtoushi->click(); }, App.CurColumnKind, 2},
              {[&] { dlg.Rkuda->click(); }, App.CurColumnKind, 1},
              {[&] { dlg.RVP->click(); }, App.CurColumnHardware, 1},
              {[&] { dlg.Rkokuji->click(); }, App.CurColumnHardware, 2},
              {[&] { dlg.Rdesumi1->click(); }, App.CurColumnCorner, 1},
              {[&] { dlg.Rdesumi2->click(); }, App.CurColumnCorner, 2}});

    App.CurrentStorey = 2;
    dlg.FormShow();
    EXPECT_FALSE(dlg.Rtoushi->isEnabled());
    EXPECT_TRUE(dlg.Rtoushi2->isEnabled());
    EXPECT_EQ(dlg.GroupBox2->statusTip(), QStringLiteral("金物仕様を指定します。"));
    EXPECT_EQ(dlg.RVP->statusTip(), dlg.GroupBox2->statusTip());
}

TEST(InputPalettes, AreaPalettesShareTheShapeDropAHalfEnteredFigureAndWriteTheirLists) {
    Reset();
    TYukaDlg area(nullptr);
    TYuka2Dlg spec(nullptr);
    area.FormShow();
    spec.FormShow();
    EXPECT_TRUE(area.Rkukei->isChecked());
    EXPECT_EQ(spec.Cshiyou->currentIndex(), 12);
    auto clicked = [](int step) { return [step] { App.ClickStep = step; }; };
    RunSteps({{clicked(2), App.ClickStep, 2},
              {[&] { area.Rsankaku->click(); }, App.CurAreaShape, 1},
              {[] {}, App.ClickStep, 0},
              {[&] { spec.FormShow(); }, App.CurAreaShape, 1}, // the shape is shared
              {clicked(1), App.ClickStep, 1},
              {[&] { spec.Rkukei->click(); }, App.CurAreaShape, 0},
              {[] {}, App.ClickStep, 0},
              {[&] { Choose(area.Cshiyou, 6); }, App.CurAreaKind, 6},
              {[&] { area.Cgaishu->click(); }, App.CurAreaNotEnclosed, 1},
              {[&] { Choose(spec.Cshiyou, 3); }, App.CurFloorSpec, 3},
              {[&] { Choose(spec.Chiuchi, 1); }, App.CurFloorBrace, 17},
              {[&] { Choose(spec.Chiuchi, 7); }, App.CurFloorBrace, 23},
              {[&] { Choose(spec.Chiuchi, 0); }, App.CurFloorBrace, 0}});

    // The brace list shows 17..23 as items 1..7 and smaller values as their own index.
    const std::pair<int, int> braceItems[] = {{17, 1}, {23, 7}, {5, 5}, {12, -1}};
    for (auto [brace, item] : braceItems) {
        App.CurFloorBrace = brace;
        spec.FormShow();
        EXPECT_EQ(spec.Chiuchi->currentIndex(), item) << brace;
        EXPECT_EQ(App.CurFloorBrace, brace);
    }
    spec.FormShow();
    EXPECT_TRUE(spec.Rkukei->isChecked());

    // A maximum rectangle (kind 6, enclosed or not, as the calculation counts it) of this
    // scenario and storey; the label follows an area input without the palette showing again.
    App.CurrentScenario = 1;
    App.CurrentStorey = 1;
    Doc.RoofFloorRectCount[1][1] = 1;
    Doc.RoofFloorRects[1][1][0].code = 3;
    Doc.RoofFloorRectCount[0][1] = 1;
    Doc.RoofFloorRects[0][1][0].code = 6;
    area.FormShow();
    EXPECT_EQ(area.chuui->text(), QStringLiteral("最大矩形未入力"));
    EXPECT_TRUE(area.Rsankaku->isChecked() == false && area.Cgaishu->isChecked());
    EXPECT_EQ(area.Cshiyou->currentIndex(), 6);
    Doc.RoofFloorRects[1][1][0].code = 14;
    area.ShowLargestRectangle();
    EXPECT_EQ(area.chuui->text(), QStringLiteral("最大矩形入力済"));
    Doc.RoofFloorRects[1][1][0].code = 3;
    Doc.RoofFloorRectCount[1][1] = 1000; // a damaged count stays within the table
    Doc.RoofFloorRects[1][1][MaxRoofFloorRects - 1].code = 6;
    area.FormShow();
    EXPECT_EQ(area.chuui->text(), QStringLiteral("最大矩形入力済"));
}

TEST(InputPalettes, FoundationAndFreeLinePalettesWriteTypeStyleAndColour) {
    Reset();
    TKisoDlg kiso(nullptr);
    TJiyuDlg jiyu(nullptr);
    ScriptedColourDialog colours;
    jiyu.setColourDialog(&colours);
    kiso.FormShow();
    EXPECT_TRUE(kiso.Rkiso3->isChecked());
    App.CurFoundationType = 9; // the catch-all radio already checked still writes its value
    kiso.FormShow();
    EXPECT_EQ(App.CurFoundationType, 2);
    colours.expect(0x0000FF);
    colours.expect(std::nullopt);
    RunSteps({{[&] { kiso.Rkiso1->click(); }, App.CurFoundationType, 0},
              {[&] { kiso.Rkiso2->click(); }, App.CurFoundationType, 1},
              {[&] { Choose(jiyu.Cshurui, 4); }, App.CurLineStyle, 4},
              {[&] { jiyu.BcolorClick(); }, App.CurLineColour, 0x0000FF},
              {[&] { jiyu.BcolorClick(); }, App.CurLineColour, 0x0000FF}});
    // The dialog opens on its own last choice, the swatch shows the line colour.
    EXPECT_EQ(colours.openedOn, (std::vector<ColorRef>{0x000000, 0x0000FF}));
    jiyu.show();
    EXPECT_EQ(VisibleColour(*jiyu.sencolor, QPoint(5, 5)), QColor(255, 0, 0));

    App.CurLineStyle = 2;
    App.CurLineColour = 0x00FF00;
    jiyu.hide();
    jiyu.show();
    EXPECT_EQ(jiyu.Cshurui->currentIndex(), 2);
    EXPECT_EQ(VisibleColour(*jiyu.sencolor, QPoint(5, 5)), QColor(0, 255, 0));
}

TEST(InputPalettes, ClearingTheTextsOfAStoreyAsksAndCanBeUndone) {
    Reset();
    TRoomDlg dlg(nullptr);
    // What is typed is the text the next two clicks place, and no longer than a record keeps.
    const auto type = [&](const QString& text) {
        for (QChar c : text) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(dlg.name, &key);
        }
    };
    type(QStringLiteral("居間"));
    EXPECT_EQ(App.CurRoomText, "\x8b\x8f\x8a\xd4");
    type(QString(40, QChar(u'あ')));
    EXPECT_EQ(App.CurRoomText.size(), 30u); // 15 whole characters of two bytes
    App.CurRoomText = "\x97\x6d";           // 洋, taken back from the plan
    dlg.ShowCurrentText();
    EXPECT_EQ(dlg.name->text(), QStringLiteral("洋"));
    for (int s = 0; s < Scenarios; ++s)
        for (int st = 0; st < Storeys; ++st) Doc.RoomTextCount[s][st] = 2;
    App.CurrentScenario = 1;
    App.CurrentStorey = 1;
    ScriptedMessages messages;
    messages.expect("本当に消去しますか？", MsgAnswer::No);
    dlg.BallclearClick();
    EXPECT_EQ(Doc.RoomTextCount[1][1], 2);
    EXPECT_EQ(App.Modified, 0);

    messages.expect("本当に消去しますか？", MsgAnswer::Yes);
    dlg.BallclearClick();
    EXPECT_EQ(messages.shown.back().caption, "全て消去の確認");
    EXPECT_EQ(messages.shown.back().icon, MsgIcon::Information);
    EXPECT_EQ(Doc.RoomTextCount[1][1], 0);
    EXPECT_EQ(App.Modified, 1);
    int others = 0;
    for (int s = 0; s < Scenarios; ++s)
        for (int st = 0; st < Storeys; ++st) others += Doc.RoomTextCount[s][st];
    EXPECT_EQ(others, 16);
    // The undo brings back exactly the cleared texts.
    ASSERT_TRUE(UndoStep());
    EXPECT_EQ(Doc.RoomTextCount[1][1], 2);
}

// A maximised window on two common screens: each palette goes where it hides the least of the
// plan, over the side panel below its controls, and wholly on the screen.
TEST(InputPalettes, EveryModeShowsItsPaletteBesideThePlanWithItsHints) {
    TestApp();
    ResetModelState();
    QTemporaryDir locks;
    ScriptedMessages messages;
    ASSERT_TRUE(CreateForms({QStringLiteral("velquor")}, locks.path()));
    MainForm->StartupDialogsPending = 0;
    MainForm->SizeSheetToGrid(); // larger than the view: the scroll bars show
    MainForm->show();
    const QRect outer = MainForm->frameGeometry(), inner = MainForm->geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    struct RealScreenAfter {
        ~RealScreenAfter() { SetAvailableScreenAreaForTests({}); }
    } realScreenAfter;
    const PaletteForm* expected[] = {ShinDlg,  ColumnDlg, WallDlg, YukaDlg,
                                     Yuka2Dlg, RoomDlg,   KisoDlg, JiyuDlg};
    for (const QRect screen : {QRect(0, 0, 1600, 1000), QRect(0, 0, 1366, 768)}) {
        SetAvailableScreenAreaForTests(screen);
        MainForm->setGeometry(screen.marginsRemoved(frame));
        QCoreApplication::processEvents(); // the side panel's scroll bar follows the size
        ASSERT_EQ(MainForm->frameGeometry(), screen);
        const QWidget* view = MainForm->Gamen->viewport();
        const QRect plan(view->mapToGlobal(QPoint(0, 0)), view->size());
        const QRect free = MainForm->SidePanelFreeSpace();
        ASSERT_FALSE(free.isEmpty());
        for (int mode = 0; mode < 8; ++mode) {
            PaletteForm* palette = MainForm->PaletteForMode(mode);
            ASSERT_EQ(palette, expected[mode]) << mode;
            palette->resetPosition();
            if (mode == 2 && !WallDlg->Expanded()) WallDlg->BhyoujiClick(); // the wide form
            App.InputMode = mode;
            MainForm->ShowToolDialog();
            for (int other = 0; other < 8; ++other)
                EXPECT_EQ(MainForm->PaletteForMode(other)->isVisible(), other == mode);
            const QRect at = palette->frameGeometry();
            const QRect hidden = at & plan;
            // Below the side panel's controls; only what is wider than its free part reaches
            // into the plan (the wide wall palette, 800 pixels on this test screen).
            EXPECT_TRUE(screen.contains(at)) << mode;
            EXPECT_GE(at.top(), free.top()) << mode;
            EXPECT_LE(hidden.width(), std::max(0, at.width() - free.width())) << mode;
        }
    }
    // Moved by the user, a palette comes back there for the session, but never off the screen.
    App.InputMode = 7;
    MainForm->ShowToolDialog();
    JiyuDlg->move(100, 120);
    for (int mode : {0, 7}) {
        App.InputMode = mode;
        MainForm->ShowToolDialog();
    }
    EXPECT_EQ(JiyuDlg->pos(), QPoint(100, 120));
    JiyuDlg->move(1366 - 40, 120);
    for (int mode : {0, 7}) {
        App.InputMode = mode;
        MainForm->ShowToolDialog();
    }
    EXPECT_EQ(JiyuDlg->frameGeometry().right(), 1366 - 1);

    // A storey change shows the column palette again with the storey's through columns.
    App.InputMode = 1;
    App.CurColumnKind = 2;
    MainForm->R3kaiClick();
    EXPECT_TRUE(ColumnDlg->Rkuda->isChecked() && ColumnDlg->Rtoushi2->isEnabled());
    EXPECT_FALSE(ColumnDlg->Rtoushi->isEnabled());
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(ColumnDlg->GroupBox3, &enter);
    EXPECT_EQ(MainForm->StatusBar->currentMessage(), QStringLiteral("出隅柱の判定を指示します。"));
    App.InputMode = -1;
    DestroyForms();
}
