// The result dialogs on their frame: the menu command shows the score report of the current
// document, the judgement sheet comes from G1Click, and a page longer than its frame grows.
#include "RunningProgram.h"

#include "mainwin/velquor2_MAIN.h"
#include "reports/Ogouseiritsu.h"
#include "reports/Ohantei.h"
#include "support/DiagnosisHouses.h"
#include "support/ScriptedMessages.h"
#include "ui/FormSet.h"
#include "ui/Forms.h"
#include "ui/PaintBox.h"

#include <QAction>
#include <QImage>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Pixels of the page that are not white: the report's text.
int InkedPixels(PaintBox& box) {
    box.fitToContent();
    const QImage image = box.grab().toImage();
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) inked += image.pixel(x, y) != qRgb(255, 255, 255);
    return inked;
}

TEST(ResultDialogsTest, ScoreAndJudgementDialogsShowTheCurrentResults) {
    RunningProgram program;
    ASSERT_TRUE(program.started);
    houses::BuildSymmetricOneStorey();
    MainForm->DocumentChanged();
    ASSERT_TRUE(MainForm->R1->isEnabled());

    std::vector<QDialog*> shown;
    int inked = 0;
    SetModalRunner([&](QDialog& d) {
        shown.push_back(&d);
        d.show();
        auto& dialog = static_cast<TResultDlg&>(d);
        inked = InkedPixels(*dialog.disp);
        EXPECT_EQ(dialog.disp->height(), 1031); // the report fits its page
        EXPECT_EQ(dialog.OKBtn->text(), QStringLiteral("閉じる"));
        dialog.OKBtn->click();
        return d.result();
    });
    MainForm->R1->trigger();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], OgouseiDlg);
    EXPECT_GT(inked, 1000);

    MainForm->G1Click();
    SetModalRunner({});
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1], OhanteiDlg);
    EXPECT_GT(inked, 500);
}

class LongReport final : public TResultDlg {
public:
    LongReport() : TResultDlg(nullptr, QStringLiteral("long"), 1031) {}
    CanvasSize dispPaint(Canvas&) override { return {715, 3000}; }
};

TEST(ResultDialogsTest, LongReportGrowsItsPage) {
    TestApp();
    LongReport dialog;
    dialog.show();
    dialog.disp->fitToContent();
    EXPECT_EQ(dialog.disp->height(), 3000);
}

} // namespace
