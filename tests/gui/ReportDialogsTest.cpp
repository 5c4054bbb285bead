// The report dialogs shown by their menu commands, each drawing the report of the current
// document on a page that grows to hold it (the grown pages are taller than the frame).
#include "TestApp.h"

#include "mainwin/velquor2_MAIN.h"
#include "reports/dialogs/OJushin.h"
#include "reports/dialogs/Ogouseiritsu.h"
#include "reports/dialogs/Ogoushin.h"
#include "reports/dialogs/Ohantei.h"
#include "reports/dialogs/Ohitsuyou.h"
#include "reports/dialogs/Okabe.h"
#include "reports/dialogs/Onchi.h"
#include "reports/dialogs/Oyuka.h"
#include "support/DiagnosisHouses.h"
#include "support/ScriptedMessages.h"
#include "app/FormSet.h"
#include "ui/Forms.h"
#include "ui/PaintBox.h"

#include <QAction>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Pixels of a part of the page that are not white: the report's text and key plan.
int Inked(PaintBox& page, QRect part) {
    const QImage image = page.grab(part).toImage();
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) inked += image.pixel(x, y) != qRgb(255, 255, 255);
    return inked;
}

TEST(ReportDialogsTest, MenuCommandsShowTheReportsOfTheCurrentDocument) {
    TestApp();
    // The document and the program state as the tests after this one expect them.
    const auto savedDoc = std::make_unique<Document>(Doc);
    const AppState savedApp = App;
    const GridState savedGrid = Grid;
    QTemporaryDir locks;
    ScriptedMessages messages;
    houses::ResetDocument();
    ASSERT_TRUE(CreateForms({QStringLiteral("velquor")}, locks.path()));

    // The area reports' 2F blocks (key plan and text) start below the 1F's, from y 1030; the
    // judgement sheet comes from G1Click (no menu item).
    const struct {
        void (*build)();
        QAction* item;
        QDialog* dialog;
        int height, fromY, minInked;
    } commands[] = {
        {houses::BuildTwoStorey, MainForm->W1, OjushinDlg, 3093, 1030, 2000},
        {houses::BuildTwoStorey, MainForm->H1, OhitsuyouDlg, 4124, 1030, 2000},
        {houses::BuildTwoStorey, MainForm->F1, OyukaDlg, 7212, 1030, 2000},
        {houses::BuildSymmetricOneStorey, MainForm->R1, OgouseiDlg, 1031, 0, 1000},
        {houses::BuildSymmetricOneStorey, nullptr, OhanteiDlg, 1031, 0, 500},
        {houses::BuildEccentricOneStorey, MainForm->NorNN1, OnchiDlg, 5151, 0, 1},
        {houses::BuildEccentricOneStorey, MainForm->U1, OkabeDlg, 6196, 0, 1},
        {houses::BuildEccentricOneStorey, MainForm->S1, OgoushinDlg, 3093, 0, 1},
    };
    for (const auto& c : commands) {
        SCOPED_TRACE(c.dialog->objectName().toStdString());
        houses::ResetDocument();
        c.build();
        MainForm->DocumentChanged();
        QDialog* shown = nullptr;
        int height = 0, inked = 0;
        SetModalRunner([&](QDialog& d) {
            shown = &d;
            d.show();
            auto& dialog = static_cast<TResultDlg&>(d);
            dialog.disp->fitToContent();
            height = dialog.disp->height();
            inked = Inked(*dialog.disp, QRect(0, c.fromY, 715, 1030));
            dialog.OKBtn->click();
            return d.result();
        });
        if (c.item) {
            ASSERT_TRUE(c.item->isEnabled());
            c.item->trigger();
        } else {
            MainForm->G1Click();
        }
        SetModalRunner({});
        EXPECT_EQ(shown, c.dialog);
        EXPECT_EQ(height, c.height);
        EXPECT_GE(inked, c.minInked);
    }
    DestroyForms();
    Doc = *savedDoc;
    App = savedApp;
    Grid = savedGrid;
}

} // namespace
