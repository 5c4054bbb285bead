// The centre-of-gravity, required-strength and floor dialogs shown by their menu commands, each
// drawing its report of the current document on its page.
#include "RunningProgram.h"

#include "mainwin/velquor2_MAIN.h"
#include "reports/OJushin.h"
#include "reports/Ohitsuyou.h"
#include "reports/Oyuka.h"
#include "support/DiagnosisHouses.h"
#include "support/ScriptedMessages.h"
#include "ui/FormSet.h"
#include "ui/Forms.h"
#include "ui/PaintBox.h"

#include <QAction>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(AreaReportDialogsTest, MenuCommandsShowTheirReports) {
    RunningProgram program;
    ASSERT_TRUE(program.started);
    houses::BuildTwoStorey();
    MainForm->DocumentChanged();

    const struct {
        QAction* item;
        QDialog* dialog;
        const char* caption;
        const char* close;
        int height; // the page: two storey blocks, then the floor check
    } commands[] = {
        {MainForm->W1, OjushinDlg, "重心の算定", "OKBtn", 3093},
        {MainForm->H1, OhitsuyouDlg, "必要耐力の算定", "Button1", 4124},
        {MainForm->F1, OyukaDlg, "床倍率の算定", "OKBtn", 7212},
    };
    for (const auto& c : commands) {
        ASSERT_TRUE(c.item->isEnabled()) << c.caption;
        QDialog* shown = nullptr;
        int inked = 0;
        SetModalRunner([&](QDialog& d) {
            shown = &d;
            d.show();
            auto& dialog = static_cast<TResultDlg&>(d);
            dialog.disp->fitToContent();
            EXPECT_EQ(dialog.disp->height(), c.height) << c.caption;
            // The 2F's key plan and text, below the 1F block.
            const QImage image = dialog.disp->grab(QRect(0, 1030, 715, 1030)).toImage();
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    inked += image.pixel(x, y) != qRgb(255, 255, 255);
            EXPECT_EQ(dialog.OKBtn->objectName(), QString::fromLatin1(c.close));
            dialog.OKBtn->click();
            return d.result();
        });
        c.item->trigger();
        EXPECT_EQ(shown, c.dialog) << c.caption;
        EXPECT_EQ(shown->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_GT(inked, 2000) << c.caption;
    }
    SetModalRunner({});
}

} // namespace
