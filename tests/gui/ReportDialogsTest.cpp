// The report dialogs shown by their menu commands, each drawing the report of the current
// document on a page as long as the report, drawn in bands as they come into view exactly as
// the report painted in one go; the dialogs open as tall as the screen and keep the size the
// user chose for the next one.
#include "TestApp.h"

#include "app/FormSet.h"
#include "mainwin/velquor2_MAIN.h"
#include "reports/FloorReport.h"
#include "reports/GravityReport.h"
#include "reports/NValueReport.h"
#include "reports/RequiredReport.h"
#include "reports/ScoreReports.h"
#include "reports/WallReports.h"
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
#include "ui/Forms.h"
#include "ui/PaintBox.h"
#include "ui/QtCanvas.h"

#include <QAction>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
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

// The lowest row of a page image with ink between its edges (the N-value frames' sides left out).
int LastInkedRow(const QImage& image) {
    for (int y = image.height() - 1; y >= 0; --y)
        for (int x = 3; x < std::min(image.width(), 712); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) return y;
    return -1;
}

// The forms of a fresh document, the report dialogs at no chosen size; the document and the
// program state afterwards as the tests after these expect them.
class ReportDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        houses::ResetDocument();
        ASSERT_TRUE(CreateForms({QStringLiteral("velquor")}, locks_.path()));
        TResultDlg::ForgetChosenSize();
    }
    void TearDown() override {
        TResultDlg::ForgetChosenSize();
        DestroyForms();
        Doc = *savedDoc_;
        App = savedApp_;
        Grid = savedGrid_;
    }

private:
    const std::unique_ptr<Document> savedDoc_ = std::make_unique<Document>(Doc);
    const AppState savedApp_ = App;
    const GridState savedGrid_ = Grid;
    QTemporaryDir locks_;
    ScriptedMessages messages_;
};

TEST_F(ReportDialogsTest, MenuCommandsShowTheReportsOfTheCurrentDocument) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();

    // The area reports' 2F blocks (key plan and text) start below the 1F's, from y 1030; the
    // judgement sheet comes from G1Click (no menu item).
    const struct {
        void (*build)();
        QAction* item;
        QDialog* dialog;
        CanvasSize (*paint)(Canvas&); // the whole report in one go
        int fromY, minInked;
    } commands[] = {
        {houses::BuildTwoStorey, MainForm->W1, OjushinDlg, PaintGravityReport, 1030, 2000},
        {houses::BuildTwoStorey, MainForm->H1, OhitsuyouDlg, PaintRequiredReport, 1030, 2000},
        {houses::BuildTwoStorey, MainForm->F1, OyukaDlg, PaintFloorReport, 1030, 2000},
        {houses::BuildSymmetricOneStorey, MainForm->R1, OgouseiDlg, PaintScoreReport, 0, 1000},
        {houses::BuildSymmetricOneStorey, nullptr, OhanteiDlg, PaintJudgementReport, 0, 500},
        {houses::BuildEccentricOneStorey, MainForm->NorNN1, OnchiDlg, PaintNValueReport, 0, 1},
        {houses::BuildEccentricOneStorey, MainForm->U1, OkabeDlg, PaintWallStrengthReport, 0, 1},
        {houses::BuildEccentricOneStorey, MainForm->S1, OgoushinDlg, PaintRigidityReport, 0, 1},
    };
    QSize chosen; // what the user left the last dialog at
    for (const auto& c : commands) {
        SCOPED_TRACE(c.dialog->objectName().toStdString());
        houses::ResetDocument();
        c.build();
        MainForm->DocumentChanged();
        QDialog* shown = nullptr;
        int inked = 0;
        SetModalRunner([&](QDialog& d) {
            shown = &d;
            d.show();
            auto& dialog = static_cast<TResultDlg&>(d);
            QCoreApplication::processEvents();
            if (!chosen.isValid()) {
                // The first of the run: as tall as the screen, the page beside its scroll bar.
                EXPECT_TRUE(screen.contains(d.frameGeometry()));
                EXPECT_GE(d.height(), screen.height() - 64);
                EXPECT_GE(dialog.ScrollBox1->viewport()->width(), 715);
            } else {
                EXPECT_EQ(d.size(), chosen);
            }
            // The scroll range ends below the last line (or key plan), not in blank paper.
            const int height = dialog.disp->height();
            const int view = dialog.ScrollBox1->viewport()->height();
            EXPECT_EQ(dialog.ScrollBox1->verticalScrollBar()->maximum(),
                      std::max(0, height - view));
            // Drawn in bands (a part, then all) as the report painted in one go.
            (void)dialog.disp->grab(QRect(0, height / 2, 715, 40));
            const QImage page = dialog.disp->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QImage whole(page.size(), QImage::Format_RGB32);
            whole.fill(Qt::white);
            {
                QPainter p(&whole);
                QtCanvas canvas(p);
                c.paint(canvas);
            }
            EXPECT_TRUE(page == whole);
            const int last = LastInkedRow(page);
            EXPECT_GT(height, last);
            EXPECT_LE(height - last, 40);
            inked = Inked(*dialog.disp, QRect(0, c.fromY, 715, 1030));
            // The user's size, for the next one.
            chosen = QSize(740 + int(chosen.isValid()), 420);
            d.resize(chosen);
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
        EXPECT_GE(inked, c.minInked);
    }
    // Left maximised, the next one opens maximised; back to normal, at the size chosen before.
    for (const bool maximise : {true, false}) {
        bool wasMaximised = false;
        SetModalRunner([&](QDialog& d) {
            wasMaximised = d.isMaximized();
            if (!maximise) {
                EXPECT_EQ(d.size(), chosen);
            }
            d.setWindowState(maximise ? Qt::WindowMaximized : Qt::WindowNoState);
            QCoreApplication::processEvents();
            d.accept();
            return d.result();
        });
        MainForm->U1->trigger();
        SetModalRunner({});
        EXPECT_EQ(wasMaximised, !maximise);
    }
}

// The first-storey N-value lines of a three-storey house run past the page frame (the upper
// columns of two storeys stand before Nx, Ny and the joint hardware): the page is as wide as
// they are and the dialog scrolls sideways to them, drawn as the report painted in one go.
TEST_F(ReportDialogsTest, TheNValuesOfThreeStoreysScrollSideways) {
    houses::BuildThreeStorey();
    MainForm->DocumentChanged();
    bool shown = false;
    SetModalRunner([&](QDialog& d) {
        shown = true;
        d.show();
        auto& dialog = static_cast<TResultDlg&>(d);
        QCoreApplication::processEvents();
        const int width = dialog.disp->width();
        EXPECT_EQ(width, NValueReportView().size.width);
        EXPECT_GT(width, 940);
        QScrollBar* across = dialog.ScrollBox1->horizontalScrollBar();
        EXPECT_TRUE(across->isVisible());
        EXPECT_EQ(across->maximum(), width - dialog.ScrollBox1->viewport()->width());
        // Scrolled to the right end, the part past the frame shows the lines' ends.
        across->setValue(across->maximum());
        QCoreApplication::processEvents();
        EXPECT_EQ(dialog.disp->visibleRegion().boundingRect().right(), width - 1);
        EXPECT_GT(Inked(*dialog.disp, QRect(720, 0, width - 720, 300)), 200);
        const QImage page = dialog.disp->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QImage whole(page.size(), QImage::Format_RGB32);
        whole.fill(Qt::white);
        {
            QPainter p(&whole);
            QtCanvas canvas(p);
            EXPECT_EQ(PaintNValueReport(canvas).width, width);
        }
        EXPECT_TRUE(page == whole);
        dialog.OKBtn->click();
        return d.result();
    });
    MainForm->NorNN1->trigger();
    SetModalRunner({});
    EXPECT_TRUE(shown);
}

} // namespace
