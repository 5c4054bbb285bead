// The plan's view in the main window: the start view stands in the middle of the grid also
// when the window manager maximises the window only after it was shown, and the point of the
// plan in the middle of the view stays there through every later change of the view's size.
// The window restored, the dialogs and the greyed texts as a newcomer meets them. Run on the
// offscreen platform's own screen and on the two common screens of 1366 x 768 and 1600 x 1000
// (tests/gui/screens).
#include "TestApp.h"

#include "app/FormSet.h"
#include "document/DocumentCommands.h"
#include "mainwin/dialogs/Dkabe.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "model/ModelFile.h"
#include "support/MainWindowFixture.h"
#include "support/WidgetPixels.h"
#include "ui/Forms.h"

#include <QDir>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <cmath>
#include <fstream>

namespace {

// The point of the sheet at the middle of the plan's view.
QPointF ViewCentre() {
    const QScrollArea* gamen = MainForm->Gamen;
    const QSize view = gamen->viewport()->size();
    return QPointF(gamen->horizontalScrollBar()->value() + view.width() / 2.0,
                   gamen->verticalScrollBar()->value() + view.height() / 2.0);
}

QPointF SheetCentre() {
    return QPointF(MainForm->Sheet->width() / 2.0, MainForm->Sheet->height() / 2.0);
}

// Within a pixel and a half: the halves of an odd view round.
constexpr double Near = 1.5;

class PlanViewTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SetModalRunner([](QDialog&) { return int(QDialog::Accepted); });
        screen = QGuiApplication::primaryScreen()->availableGeometry();
    }
    void TearDown() override {
        SetModalRunner({});
        MainWindowTest::TearDown();
    }
    // Shown at a smaller size first, as the window is before the window manager maximises it.
    void ShowSmall() {
        form->resize((screen.size() * 2 / 3).expandedTo(form->minimumSizeHint()));
        form->show();
        ASSERT_TRUE(ProcessEventsUntil([&] { return form->StartupDialogsPending == 0; }));
    }
    // The window manager gives the window another size: the view takes it in the next passes
    // of the event loop.
    void Resize(const QRect& frame) {
        form->setGeometry(frame);
        ASSERT_TRUE(ProcessEventsUntil([&] { return form->geometry() == frame; }));
        Settle();
    }
    static void Settle() {
        for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
    }
    QRect screen;
};

} // namespace

// The window manager maximises the window after its first show: the start view is centred
// on the sheet at the window's full size, and a column clicked in the middle of the view
// stands in the middle of the grid, so that its file opens without the off-centre question.
TEST_F(PlanViewTest, StartViewIsTheMiddleOfTheGridAfterALateMaximise) {
    ShowSmall();
    EXPECT_NEAR(ViewCentre().x(), SheetCentre().x(), Near);
    EXPECT_NEAR(ViewCentre().y(), SheetCentre().y(), Near);
    const QSize smallView = form->Gamen->viewport()->size();

    Resize(screen);
    ASSERT_NE(form->Gamen->viewport()->size(), smallView);
    EXPECT_NEAR(ViewCentre().x(), SheetCentre().x(), Near);
    EXPECT_NEAR(ViewCentre().y(), SheetCentre().y(), Near);

    // A column at the middle of the start view, in sheet pixels.
    form->Rhashira->click();
    const QPoint middle = ViewCentre().toPoint();
    form->SheetMouseUp(Qt::LeftButton, Qt::NoModifier, middle.x(), middle.y());
    ASSERT_EQ(Doc.ColumnCount[App.CurrentScenario][App.CurrentStorey], 1);
    const auto& column = Doc.Columns[App.CurrentScenario][App.CurrentStorey][0];
    // The grid's middle lies between axes 49 and 50.
    EXPECT_TRUE(column.x == 49 || column.x == 50) << column.x;
    EXPECT_TRUE(column.y == 49 || column.y == 50) << column.y;

    QTemporaryDir files;
    const QString path = QDir(files.path()).filePath(QStringLiteral("house.vq2"));
    std::ofstream(path.toStdString(), std::ios::binary) << WriteModelFile(Doc, 0);
    ASSERT_TRUE(form->Documents().ReadFile(path.toStdString())); // asks nothing
    EXPECT_EQ(Doc.ColumnCount[0][0], 1);
}

// The point of the plan in the middle of the view stays there, within a pixel or two, when
// the window is restored, resized, maximised again, and when a palette band takes its room
// under the plan and gives it back.
TEST_F(PlanViewTest, ThePointInTheMiddleOfTheViewStaysThroughResizesAndAPaletteBand) {
    ShowSmall();
    Resize(screen);
    // The user scrolls to a point away from the sheet's middle.
    form->Gamen->horizontalScrollBar()->setValue(1234);
    form->Gamen->verticalScrollBar()->setValue(987);
    const QPointF kept = ViewCentre();

    const QRect restored(screen.topLeft() + QPoint(40, 30),
                         (screen.size() * 2 / 3).expandedTo(form->minimumSizeHint()));
    const QRect odd(screen.topLeft(), screen.size() - QSize(137, 91));
    for (const QRect& frame : {restored, odd, screen}) {
        Resize(frame);
        EXPECT_NEAR(ViewCentre().x(), kept.x(), Near) << frame.width() << "x" << frame.height();
        EXPECT_NEAR(ViewCentre().y(), kept.y(), Near) << frame.width() << "x" << frame.height();
    }

    // The wall palette, shown wide, takes a band under the plan, which gives up its height.
    const int fullHeight = form->Gamen->viewport()->height();
    form->Rkabe->click();
    ASSERT_TRUE(WallDlg->isVisible());
    WallDlg->BhyoujiClick();
    ASSERT_TRUE(ProcessEventsUntil([&] { return form->Gamen->viewport()->height() < fullHeight; }));
    Settle();
    EXPECT_NEAR(ViewCentre().x(), kept.x(), Near);
    EXPECT_NEAR(ViewCentre().y(), kept.y(), Near);

    WallDlg->BhyoujiClick();
    App.InputMode = -1;
    form->ShowToolDialog();
    ASSERT_TRUE(
        ProcessEventsUntil([&] { return form->Gamen->viewport()->height() == fullHeight; }));
    Settle();
    EXPECT_NEAR(ViewCentre().x(), kept.x(), Near);
    EXPECT_NEAR(ViewCentre().y(), kept.y(), Near);

    // A scroll of the user's is what the next resize keeps.
    form->Gamen->verticalScrollBar()->setValue(2000);
    const QPointF scrolled = ViewCentre();
    Resize(restored);
    EXPECT_NEAR(ViewCentre().x(), scrolled.x(), Near);
    EXPECT_NEAR(ViewCentre().y(), scrolled.y(), Near);
}

// Restored, the main window stands in the middle of the screen at two thirds of its size, with a
// plan at least half the screen high, and comes back there after a maximise. The print dialog
// and the help window open centred on the screen, over the maximised window as over the
// restored one. Every text the program's forms show disabled reads at 4.5:1 or more on its
// ground, and is still greyed.
TEST_F(PlanViewTest, RestoredWindowDialogsAndGreyedTextsAsANewcomerMeetsThem) {
    const auto offCentre = [&](const QWidget& window) {
        const QPointF off = QRectF(window.frameGeometry()).center() - QRectF(screen).center();
        return std::max(std::abs(off.x()), std::abs(off.y()));
    };
    form->showMaximized();
    ASSERT_TRUE(ProcessEventsUntil(
        [&] { return form->StartupDialogsPending == 0 && form->frameGeometry() == screen; }));
    int dialogs = 0;
    SetModalRunner([&](QDialog& dialog) {
        dialog.show();
        Settle();
        EXPECT_LE(offCentre(dialog), 1.0) << Utf8(dialog.windowTitle());
        ++dialogs;
        dialog.hide();
        return int(QDialog::Rejected);
    });
    form->OpenHelpUrl = [](const QUrl&) { return false; }; // no browser: the program's viewer
    const auto dialogsAndHelpCentred = [&] {
        dialogs = 0;
        form->P1->trigger();
        EXPECT_EQ(dialogs, 1);
        form->M1->trigger();
        ASSERT_NE(form->HelpViewer, nullptr);
        Settle();
        EXPECT_LE(offCentre(*form->HelpViewer), 1.0);
        form->HelpViewer->close();
    };

    dialogsAndHelpCentred();

    form->showNormal();
    ASSERT_TRUE(ProcessEventsUntil([&] { return form->frameGeometry() != screen; }));
    Settle();
    const QRect restored = form->frameGeometry();
    EXPECT_LE(offCentre(*form), 1.0);
    // As wide as the window needs where two thirds are less (the offscreen platform's own).
    EXPECT_TRUE(screen.contains(restored));
    EXPECT_GE(restored.width(), screen.width() * 2 / 3 - 1);
    EXPECT_NEAR(restored.height(), screen.height() * 2 / 3, 1);
    EXPECT_GE(form->Gamen->viewport()->height(), screen.height() / 2);
    form->showMaximized();
    ASSERT_TRUE(ProcessEventsUntil([&] { return form->frameGeometry() == screen; }));
    form->showNormal();
    ASSERT_TRUE(ProcessEventsUntil([&] { return form->frameGeometry() == restored; }));
    // On the screen, not on the window: the user has moved the window to a corner.
    form->move(screen.topLeft());
    ASSERT_TRUE(
        ProcessEventsUntil([&] { return form->frameGeometry().topLeft() == screen.topLeft(); }));
    dialogsAndHelpCentred();

    // Every form as it shows, each page of its page controls in turn.
    std::vector<QWidget*> forms{form};
    for (const FormEntry& entry : FormTable()) forms.push_back(entry.instance());
    int greyed = 0;
    for (QWidget* shown : forms) {
        if (auto* palette = qobject_cast<PaletteForm*>(shown)) {
            palette->showPalette();
        } else {
            shown->show();
        }
        Settle();
        for (QWidget* text : shown->findChildren<QWidget*>()) {
            if (text->isEnabled() || CaptionArea(*text).isEmpty()) continue;
            for (QWidget* w = text; w != shown; w = w->parentWidget())
                if (auto* pages = qobject_cast<QStackedWidget*>(w->parentWidget()))
                    pages->setCurrentWidget(w);
            if (!text->isVisibleTo(shown)) continue; // hidden on purpose
            Settle();
            ++greyed;
            const ShownText seen = ShownTextIn(*text, CaptionArea(*text));
            const std::string name = Utf8(shown->windowTitle()) + " / " +
                                     Utf8(text->property("text").toString()) +
                                     Utf8(text->property("title").toString());
            EXPECT_GE(seen.contrast, 4.5) << name << " on " << Utf8(seen.ground.name());
            // Greyed: well short of what black would read at.
            EXPECT_LT(seen.contrast, 0.8 * ColourContrast(Qt::black, seen.ground)) << name;
        }
        if (shown != form) shown->hide();
    }
    // The storey radios of storeys the house lacks, the forms' locked choices, the foundation
    // palette's groups, the overview's structure kinds among them.
    EXPECT_GT(greyed, 50);
}
