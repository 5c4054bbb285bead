// The plan sheet in the main window: the scale box, the axis palette of axis mode, a click on
// the sheet that inserts an axis, and a repaired grid told once after the paint.
#include "TestApp.h"

#include "mainwin/GridAxes.h"
#include "document/Recompute.h"
#include "mainwin/dialogs/Axis_Dlg.h"
#include "mainwin/dialogs/Dtourishin.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/AppState.h"
#include "model/InitModel.h"
#include "model/Model.h"
#include "support/ScriptedMessages.h"
#include "app/FormSet.h"
#include "ui/Forms.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScrollArea>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PlanSheetWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(locks.isValid());
        Doc.Module = 0.91; // the start-up lays the grid out with the module it finds
        ASSERT_TRUE(CreateForms({QStringLiteral("velquor")}, locks.path()));
        MarkDocumentReplaced();
    }
    void TearDown() override {
        SetModalRunner({});
        DestroyForms();
    }
    void chooseScale(const QString& text) {
        MainForm->SCALE->setEditText(text);
        MainForm->SCALEChange();
    }
    QTemporaryDir locks;
    ScriptedMessages messages;
};

TEST_F(PlanSheetWindowTest, ScaleBoxStartsAt75AndRefusesScalesOutsideItsRange) {
    ASSERT_NE(MainForm->SCALE, nullptr);
    EXPECT_EQ(MainForm->SCALE->currentText(), QStringLiteral("75"));
    EXPECT_EQ(MainForm->SCALE->count(), 6);

    App.ClickStep = 1;
    chooseScale(QStringLiteral("30"));
    EXPECT_EQ(App.ScaleDenominator, 30);
    EXPECT_EQ(App.PixelsPerMetre, 133.0);
    EXPECT_EQ(App.ClickStep, 0);                // a scale change drops a half-entered figure
    EXPECT_EQ(MainForm->Sheet->width(), 11981); // 99 x 0.91 x 133 = 11981.97

    chooseScale(QStringLiteral("20"));
    EXPECT_EQ(App.ScaleDenominator, 30);
    EXPECT_EQ(App.PixelsPerMetre, 133.0);
    EXPECT_EQ(MainForm->SCALE->currentText(), QStringLiteral("30"));

    // A new document's initialisation puts the box back to 1/75 without running its handler.
    InitModel(InitNewDocument);
    EXPECT_EQ(MainForm->SCALE->currentText(), QStringLiteral("75"));
    MainForm->ResizeSheet();
    EXPECT_EQ(MainForm->Sheet->width(), 4774);
}

TEST_F(PlanSheetWindowTest, ResizingASheetThatHadNothingToScrollDividesByNothing) {
    // Before the window is shown the viewport may be as large as the sheet or larger.
    MainForm->Gamen->resize(8000, 8000);
    chooseScale(QStringLiteral("200")); // a sheet smaller than its viewport
    chooseScale(QStringLiteral("30"));
    EXPECT_GE(MainForm->SheetScrollV, 0);
    EXPECT_GE(MainForm->SheetScrollH, 0);
}

TEST_F(PlanSheetWindowTest, AxisModeShowsItsPaletteAndAClickInsertsAnAxis) {
    EXPECT_EQ(MainForm->PaletteForMode(0), ShinDlg);
    ASSERT_NE(AxisDlg, nullptr);
    App.InputMode = 0;
    App.AxisEditMode = AxisModeAddY;
    SetModalRunner([](QDialog& d) {
        auto& dlg = dynamic_cast<TAxisDlg&>(d);
        dlg.show();
        dlg.newnum->setEditText(QStringLiteral("0.455"));
        dlg.OKBtnClick();
        return dlg.result();
    });
    const uint64_t generation = DocumentGeneration();
    // 2.45 m down: between Y axes 2 (1.82) and 3 (2.73); the new axis lies 0.455 above axis 3.
    MainForm->SheetMouseUp(Qt::LeftButton, Qt::NoModifier, 60, 130);
    EXPECT_NEAR(Doc.AxisY[3], 2.73 - 0.455, 1e-9);
    EXPECT_EQ(App.Modified, 1);
    EXPECT_GT(DocumentGeneration(), generation);
    EXPECT_TRUE(RecomputeNeeded());
}

TEST_F(PlanSheetWindowTest, RepairedGridIsToldAfterThePaintAndOnlyOnce) {
    Doc.AxisY[10] = Doc.AxisY[9]; // a damaged grid
    MainForm->DocumentChanged();
    MainForm->Sheet->grab(QRect(0, 0, 100, 100)); // paints: recomputes, tells nobody yet
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_NEAR(Doc.AxisY[10], 9.1, 1e-9);
    messages.expect("通り芯のデータが壊れていますので初期化します。", MsgAnswer::Ok);
    QElapsedTimer t;
    t.start();
    while (messages.shown.empty() && t.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(messages.shown.size(), 1u);
    for (int paint = 0; paint < 3; ++paint) {
        MainForm->DocumentChanged();
        MainForm->Sheet->grab(QRect(0, 0, 100, 100));
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(messages.shown.size(), 1u);
}

} // namespace
