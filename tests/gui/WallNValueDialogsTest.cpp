// The N-value, wall strength and rigidity dialogs open from their menu items with the reports
// of the current document, each on a page at least as tall as its frame.
#include "RunningProgram.h"

#include "mainwin/velquor2_MAIN.h"
#include "reports/Ogoushin.h"
#include "reports/Okabe.h"
#include "reports/Onchi.h"
#include "support/DiagnosisHouses.h"
#include "support/ScriptedMessages.h"
#include "ui/FormSet.h"
#include "ui/PaintBox.h"

#include <QAction>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

TEST(WallNValueDialogsTest, MenuItemsShowTheReportsOfTheDocument) {
    RunningProgram program;
    ASSERT_TRUE(program.started);
    houses::BuildEccentricOneStorey();
    MainForm->DocumentChanged();

    std::vector<std::pair<QDialog*, int>> shown; // the dialog and its page's height
    SetModalRunner([&](QDialog& d) {
        d.show();
        PaintBox& page = *static_cast<TResultDlg&>(d).disp;
        page.fitToContent();
        QImage blank(page.size(), QImage::Format_RGB32);
        blank.fill(Qt::white);
        EXPECT_NE(page.grab().toImage().convertToFormat(QImage::Format_RGB32), blank);
        shown.push_back({&d, page.height()});
        return int(QDialog::Accepted);
    });
    for (QAction* item : {MainForm->NorNN1, MainForm->U1, MainForm->S1}) item->trigger();
    SetModalRunner({});
    EXPECT_EQ(shown, (std::vector<std::pair<QDialog*, int>>{
                         {OnchiDlg, 5151}, {OkabeDlg, 6196}, {OgoushinDlg, 3093}}));
}
