// The N-value, wall strength and rigidity dialogs: their menu items are enabled and show the
// reports of the current document, each on a page at least as tall as its frame.
#include "TestApp.h"

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

namespace {

TEST(WallNValueDialogsTest, MenuItemsShowTheReportsOfTheDocument) {
    TestApp();
    const auto savedDoc = std::make_unique<Document>(Doc);
    const AppState savedApp = App;
    const GridState savedGrid = Grid;
    QTemporaryDir locks;
    ScriptedMessages messages;
    houses::ResetDocument();
    ASSERT_TRUE(CreateForms({QStringLiteral("velquor")}, locks.path()));
    houses::BuildEccentricOneStorey();
    MainForm->DocumentChanged();

    struct Shown {
        QDialog* dialog;
        QString caption;
        int height, inked;
    };
    std::vector<Shown> shown;
    SetModalRunner([&](QDialog& d) {
        d.show();
        auto& dialog = static_cast<TResultDlg&>(d);
        dialog.disp->fitToContent();
        const QImage image = dialog.disp->grab().toImage();
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += image.pixel(x, y) != qRgb(255, 255, 255);
        shown.push_back({&d, d.windowTitle(), dialog.disp->height(), inked});
        dialog.OKBtn->click();
        return d.result();
    });
    for (QAction* item : {MainForm->NorNN1, MainForm->U1, MainForm->S1}) {
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
    }
    SetModalRunner({});
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].dialog, OnchiDlg);
    EXPECT_EQ(shown[0].caption, QStringLiteral("柱Ｎ値の算定"));
    EXPECT_EQ(shown[0].height, 5151);
    EXPECT_EQ(shown[1].dialog, OkabeDlg);
    EXPECT_EQ(shown[1].height, 6196);
    EXPECT_EQ(shown[2].dialog, OgoushinDlg);
    EXPECT_EQ(shown[2].caption, QStringLiteral("剛心の算定"));
    EXPECT_EQ(shown[2].height, 3093);
    for (const Shown& s : shown) EXPECT_GT(s.inked, 2000) << s.caption.toStdString();

    DestroyForms();
    Doc = *savedDoc;
    App = savedApp;
    Grid = savedGrid;
}

} // namespace
