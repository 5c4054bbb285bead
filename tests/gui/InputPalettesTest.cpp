// The input palettes of columns, areas, floor specifications, foundations, texts and free
// lines: what each control writes, what a showing presets, the texts' clear-all, and the
// palettes in the main window (their room, hints).
#include "TestApp.h"

#include "app/FormSet.h"
#include "mainwin/ResultPanel.h"
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
#include "ui/Forms.h"
#include "ui/PaintBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTemporaryDir>

#include <algorithm>
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

// The main window maximised on the screen the test gets: the offscreen platform's own, and the
// two common screens of 1366 x 768 and 1600 x 1000 in runs of their own (tests/gui/screens).
// Each mode's palette takes a room of its own, under the plan or under the side panel, and
// covers nothing of the plan's view, the side panel's controls or the results; the user may
// take it out and put it back.
TEST(InputPalettes, EveryModesPaletteTakesARoomOfItsOwnBesideThePlanAndTheResults) {
    TestApp();
    ResetModelState();
    QTemporaryDir locks;
    ScriptedMessages messages;
    ASSERT_TRUE(CreateForms({QStringLiteral("velquor")}, locks.path()));
    MainForm->StartupDialogsPending = 0;
    MainForm->SizeSheetToGrid(); // larger than the view: the scroll bars show
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    MainForm->showMaximized();
    ASSERT_TRUE(ProcessEventsUntil([&] { return MainForm->frameGeometry() == screen; }));
    const auto onScreen = [](const QWidget* w) {
        return QRect(w->mapToGlobal(QPoint()), w->size());
    };
    const auto covered = [](const QRect& a, const QRect& b) {
        const QRect both = a & b;
        return both.isEmpty() ? 0 : both.width() * both.height();
    };
    const int fullPlanHeight = MainForm->Gamen->viewport()->height();
    const int splitter = MainForm->style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);

    const PaletteForm* expected[] = {ShinDlg,  ColumnDlg, WallDlg, YukaDlg,
                                     Yuka2Dlg, RoomDlg,   KisoDlg, JiyuDlg};
    // The eight modes, the wide wall palette, and no mode.
    for (int step = 0; step < 10; ++step) {
        const int mode = step < 8 ? step : step == 8 ? 2 : -1;
        App.InputMode = mode;
        MainForm->ShowToolDialog();
        if (step == 8) WallDlg->BhyoujiClick();
        // The window lays out its new room in a few passes: a band that moves to the other area
        // goes there after its palette's new size, and a band narrower than its palette adds
        // the height of its scroll bar once it knows its width.
        for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
        for (int other = 0; other < 8; ++other)
            EXPECT_EQ(expected[other]->isVisible(), other == mode) << step;
        const QRect plan = onScreen(MainForm->Gamen->viewport());
        if (mode < 0) {
            EXPECT_EQ(plan.height(), fullPlanHeight);
            break;
        }
        PaletteForm* palette = MainForm->PaletteForMode(mode);
        ASSERT_NE(palette->band(), nullptr);
        const QRect frame = onScreen(palette->frame());
        EXPECT_TRUE(screen.contains(frame)) << step;
        EXPECT_EQ(covered(frame, plan), 0) << step;
        EXPECT_EQ(covered(frame, onScreen(MainForm->Panel1)), 0) << step;
        EXPECT_EQ(covered(frame, onScreen(MainForm->Results)), 0) << step;
        EXPECT_EQ(MainForm->ScrollBox2->verticalScrollBar()->maximum(), 0) << step;
        // Under the plan, the plan gives up the band's height and a splitter's; under the side
        // panel, nothing.
        const bool underPlan = frame.left() < plan.right();
        EXPECT_EQ(plan.height(), fullPlanHeight - (underPlan ? frame.height() + splitter : 0))
            << step;
    }
    EXPECT_TRUE(WallDlg->Expanded());
    WallDlg->BhyoujiClick();
    EXPECT_FALSE(WallDlg->Expanded());

    // Taken out, a palette floats wholly on the screen where the user leaves it, for the
    // session; the wide wall palette grows to the left; it steps aside while a modal window is
    // open, and goes back into its room.
    App.InputMode = 2;
    MainForm->ShowToolDialog();
    PaletteBand* band = WallDlg->band();
    band->setFloating(true);
    QCoreApplication::processEvents();
    ASSERT_TRUE(WallDlg->floating() && band->isWindow() && WallDlg->isVisible());
    band->move(screen.right() - 40, screen.top() + 120);
    QCoreApplication::processEvents();
    EXPECT_TRUE(screen.contains(band->frameGeometry()));
    const QPoint left(screen.right() - 10 - band->frameGeometry().width(), screen.top() + 120);
    band->move(left);
    const int right = band->frameGeometry().right();
    WallDlg->BhyoujiClick();
    EXPECT_TRUE(screen.contains(band->frameGeometry()));
    EXPECT_EQ(band->frameGeometry().right(),
              std::max(right, screen.left() + band->frameGeometry().width() - 1));
    WallDlg->BhyoujiClick();
    band->move(left);
    for (int mode : {0, 2}) {
        App.InputMode = mode;
        MainForm->ShowToolDialog();
    }
    EXPECT_TRUE(WallDlg->isVisible() && band->isFloating());
    EXPECT_EQ(band->pos(), left);
    {
        ModalForm dialog(MainForm);
        dialog.show();
        EXPECT_FALSE(band->isVisible());
        dialog.hide();
    }
    EXPECT_TRUE(band->isVisible() && WallDlg->isVisible());
    band->setFloating(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(covered(onScreen(band), onScreen(MainForm->Gamen->viewport())), 0);
    EXPECT_EQ(covered(onScreen(band), onScreen(MainForm->Panel1)), 0);

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
