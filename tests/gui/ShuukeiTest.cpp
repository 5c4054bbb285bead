// The cost estimate through the main window's menu: a wall that retrofit plan 1 adds, the
// quantities and amounts shown, prices typed and 再計算.
#include "TestApp.h"

#include "mainwin/velquor2_MAIN.h"
#include "reports/dialogs/Shuukei.h"
#include "support/HouseBuilder.h"
#include "support/ScriptedMessages.h"
#include "app/FormSet.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::string Text(const QDialog& d, const char* name) {
    if (const auto* label = d.findChild<QLabel*>(QString::fromLatin1(name)))
        return label->text().toStdString();
    return "no " + std::string(name);
}

TEST(ShuukeiTest, MenuShowsTheEstimateOfThePlanAndRecalculatesTypedPrices) {
    TestApp();
    ScriptedMessages messages;
    QTemporaryDir locks;
    ASSERT_TRUE(CreateForms({QStringLiteral("velquor")}, locks.path()));
    Tvelquor2Form& form = *MainForm;
    ASSERT_TRUE(form.N3->isEnabled());
    // Retrofit plan 1 adds a wall of three modules (2.73 m) on 1F of the 0.91 m grid.
    HouseBuilder(0, 0).wall(1, 1, 1, 4);
    HouseBuilder(1, 0).wall(1, 1, 1, 4).wall(1, 1, 4, 1);
    form.Rkaishu1->click();

    SetModalRunner([](QDialog& dialog) {
        auto& d = static_cast<TShuukeiDlg&>(dialog);
        d.show();
        EXPECT_EQ(d.windowTitle(), QStringLiteral("概算集計（改修案１）"));
        EXPECT_EQ(Text(d, "Lshinzai11"), "     1");
        EXPECT_EQ(Text(d, "LmenzaiW13"), "     1");
        EXPECT_EQ(Text(d, "Lkiso"), "   2.73");
        // 50000 + 318000 + 2.73 x 30000 = 449900, with 8 % 485892.
        EXPECT_EQ(Text(d, "Lgkiso"), "     81900");
        EXPECT_EQ(Text(d, "Lgkei"), "    449900");
        EXPECT_EQ(Text(d, "Lggoukei"), "    485892");

        // No panel or foundation price: the one 新規・取替 at 50000 is left, tax 4000.
        d.UnitPrice[EstDoubleLong]->setText(QStringLiteral("abc"));
        d.UnitPrice[EstFoundation]->clear();
        EXPECT_EQ(Text(d, "Lgkei"), "    449900"); // nothing before 再計算
        d.Button1->click();
        EXPECT_EQ(Text(d, "LgmenzaiW13"), "         0");
        EXPECT_EQ(Text(d, "Lgkei"), "     50000");
        EXPECT_EQ(Text(d, "Lgzei"), "      4000");
        EXPECT_EQ(Text(d, "Lggoukei"), "     54000");
        // 20 m² of roof at 12600 and 10000 of design: 50000 + 252000 + 10000.
        d.Eyanes->setText(QStringLiteral("２０"));
        d.Esonota2->setText(QStringLiteral("10000"));
        d.Button1->click();
        EXPECT_EQ(Text(d, "Lgyane"), "    252000");
        EXPECT_EQ(Text(d, "Lgkei"), "    312000");
        EXPECT_FALSE(d.Button3->isEnabled());
        d.Button2->click();
        return d.result();
    });
    form.N3->trigger();
    EXPECT_EQ(ShuukeiDlg->result(), 1);

    SetModalRunner({});
    DestroyForms();
}

} // namespace
