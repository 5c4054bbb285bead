#include "TestApp.h"

#include "app/FormSet.h"
#include "mainwin/dialogs/Dzone.h"
#include "mainwin/dialogs/Ooukazai.h"
#include "mainwin/velquor2_About.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/AppState.h"
#include "model/Cp932.h"
#include "model/InitModel.h"
#include "model/Model.h"
#include "model/ModelHooks.h"
#include "overview/Gaiyou.h"
#include "print/PrintFrame.h"
#include "support/ScriptedMessages.h"
#include "ui/Forms.h"
#include "ui/SingleInstance.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const char* const AlreadyRunning =
    "既に起動されています。複数起動しますか？\n\n起動する　　　はい\n\n起動しない　　いいえ";

// Stands in for the user at every modal form: writes down which form was shown, and the
// pending-file state at that moment, and closes it with OK.
struct ModalRecorder {
    struct Shown {
        QDialog* form;
        int pendingOpenFlag;
        int modified;
    };
    std::vector<Shown> shown;
    ModalRecorder() {
        SetModalRunner([this](QDialog& d) {
            shown.push_back({&d, MainForm ? MainForm->PendingOpenFlag : -1, App.Modified});
            return int(QDialog::Accepted);
        });
    }
    ~ModalRecorder() { SetModalRunner({}); }
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(locks.isValid());
    }
    void TearDown() override { DestroyForms(); }
    QStringList Args(const QString& file = {}) const {
        QStringList a{QStringLiteral("velquor")};
        if (!file.isNull()) a << file;
        return a;
    }
    QTemporaryDir locks;
};

} // namespace

TEST_F(StartupTest, EveryRunningCopyHoldsALockOfItsOwn) {
    InstanceLock first(locks.path()), second(locks.path());
    ASSERT_TRUE(first.acquire());
    EXPECT_FALSE(first.otherCopyRuns());
    ASSERT_TRUE(second.acquire());
    EXPECT_TRUE(second.otherCopyRuns());
    EXPECT_TRUE(first.otherCopyRuns());
    second.release();
    EXPECT_FALSE(first.otherCopyRuns());
    EXPECT_FALSE(second.held());
}

TEST_F(StartupTest, LockOfACopyThatDiedIsTakenOver) {
    // A lock file whose process no longer runs (as a crash leaves it).
    QFile stale(QDir(locks.path()).filePath(QStringLiteral("velquor-0.lock")));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray("2147483600\nvelquor\n") + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    InstanceLock lock(locks.path());
    ASSERT_TRUE(lock.acquire());
    EXPECT_FALSE(lock.otherCopyRuns());
}

TEST_F(StartupTest, SecondCopyAsksAndNoEndsItBeforeAnyDocument) {
    ScriptedMessages messages;
    Tvelquor2Form first(Args(), locks.path());
    EXPECT_FALSE(first.TerminateRequested);
    ASSERT_TRUE(messages.shown.empty());

    messages.expect(AlreadyRunning, MsgAnswer::No);
    Tvelquor2Form second(Args(QStringLiteral("/tmp/plan.vq2")), locks.path());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, AlreadyRunning);
    EXPECT_EQ(messages.shown[0].caption, "終了");
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Question);
    EXPECT_TRUE(second.TerminateRequested);
    EXPECT_EQ(second.PendingOpenFlag, 0); // it never takes the file

    // The refused copy left no lock behind: the first copy is alone again.
    InstanceLock probe(locks.path());
    ASSERT_TRUE(probe.acquire());
    EXPECT_TRUE(probe.otherCopyRuns());
    probe.release();
}

TEST_F(StartupTest, YesStartsAFurtherCopyThatMakesTheNextOneAskToo) {
    ScriptedMessages messages;
    Tvelquor2Form first(Args(), locks.path());
    messages.expect(AlreadyRunning, MsgAnswer::Yes);
    Tvelquor2Form second(Args(QStringLiteral("/tmp/plan.vq2")), locks.path());
    EXPECT_FALSE(second.TerminateRequested);
    EXPECT_EQ(second.PendingOpenFlag, 1);
    EXPECT_EQ(second.PendingOpenPath, QStringLiteral("/tmp/plan.vq2"));

    messages.expect(AlreadyRunning, MsgAnswer::No);
    Tvelquor2Form third(Args(), locks.path());
    EXPECT_TRUE(third.TerminateRequested);
}

TEST_F(StartupTest, RefusedSecondCopyCreatesNoFurtherForm) {
    ScriptedMessages messages;
    InstanceLock running(locks.path());
    ASSERT_TRUE(running.acquire());
    messages.expect(AlreadyRunning, MsgAnswer::No);
    EXPECT_FALSE(CreateForms(Args(), locks.path()));
    EXPECT_EQ(AboutBox, nullptr);
    EXPECT_EQ(zoneDlg, nullptr);
}

TEST_F(StartupTest, MainWindowStartsWithAnEmptyModelAndItsFrame) {
    ScriptedMessages messages;
    ASSERT_TRUE(CreateForms(Args(), locks.path()));
    ASSERT_NE(MainForm, nullptr);
    ASSERT_NE(AboutBox, nullptr);
    ASSERT_NE(zoneDlg, nullptr);
    ASSERT_NE(OoukazaiDlg, nullptr);
    EXPECT_EQ(MainForm->windowTitle(), QStringLiteral("Velquor [無題]"));
    EXPECT_EQ(MainForm->PendingOpenFlag, 0);
    EXPECT_EQ(App.InputMode, -1);
    // The sheet spans the grid up to its last axis: 99 modules of 0.91 m at 53 pixels per
    // metre, 90.09 x 53 = 4774.77, truncated.
    EXPECT_EQ(App.PixelsPerMetre, 53.0);
    EXPECT_EQ(MainForm->Sheet->width(), 4774);
    EXPECT_EQ(MainForm->Sheet->height(), 4774);
    EXPECT_EQ(MainForm->Gamen->widget(), MainForm->Sheet);
    EXPECT_NE(MainForm->statusBar(), nullptr);
    EXPECT_TRUE(MainForm->acceptDrops());

    MainForm->resize(1000, 700);
    MainForm->show();
    ProcessEventsUntil([] { return MainForm->isVisible(); }, 1000);
    // The side panel stands right of the plan, the whole height of the window's body.
    EXPECT_GE(MainForm->Panel1->geometry().left(), MainForm->Gamen->geometry().right());
    EXPECT_EQ(MainForm->Panel1->height(), MainForm->Gamen->height());

    // The empty plan shows its grid: axis 1 at 0.91 x 53 = 48.23, pixel column 48, dotted in
    // the main-axis colour 0xC08080 (blue C0, green 80, red 80); nothing between the axes.
    const QImage plan = MainForm->Sheet->grab(QRect(0, 0, 60, 60)).toImage();
    EXPECT_EQ(plan.pixel(48, 1) & 0xFFFFFF, qRgb(0x80, 0x80, 0xC0) & 0xFFFFFF);
    EXPECT_EQ(plan.pixel(48, 4) & 0xFFFFFF, 0xFFFFFFu); // the gap of the dots
    EXPECT_EQ(plan.pixel(24, 24) & 0xFFFFFF, 0xFFFFFFu);
}

struct ArgumentCase {
    const char* argument;
    int pending;
    const char* path; // expected absolute path; relative names are taken from the start folder
};
class CommandLineTest : public StartupTest, public ::testing::WithParamInterface<ArgumentCase> {};
TEST_P(CommandLineTest, FirstArgumentIsTheModelFile) {
    ScriptedMessages messages;
    Tvelquor2Form form(Args(QString::fromUtf8(GetParam().argument)), locks.path());
    EXPECT_EQ(form.PendingOpenFlag, GetParam().pending);
    const QString expected = QString::fromUtf8(GetParam().path);
    EXPECT_EQ(form.PendingOpenPath, expected.isEmpty() || expected.startsWith('/')
                                        ? expected
                                        : QDir::current().filePath(expected));
}
INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    ::testing::Values(ArgumentCase{"/home/k/My Plans/田中邸.vq2", 1, "/home/k/My Plans/田中邸.vq2"},
                      ArgumentCase{"sample.vq2", 1, "sample.vq2"}, ArgumentCase{"", 0, ""}));

TEST_F(StartupTest, StartupSequenceRunsAfterTheFirstShowNeverFromAPaint) {
    ScriptedMessages messages; // start-up asks nothing
    ASSERT_TRUE(CreateForms(Args(QStringLiteral("/tmp/house.vq2")), locks.path()));
    ModalRecorder modal;
    App.Modified = 1;
    // A modified document is not replaced unasked; declining keeps the file from being read.
    messages.expect("別のデータを読み込むと", MsgAnswer::No);

    // A paint with a file pending draws nothing and shows nothing.
    (void)MainForm->Sheet->grab(QRect(0, 0, 200, 200));
    EXPECT_TRUE(modal.shown.empty());
    EXPECT_EQ(MainForm->PendingOpenFlag, 1);

    MainForm->show();
    ASSERT_TRUE(ProcessEventsUntil([] { return MainForm->StartupDialogsPending == 0; }));
    ASSERT_EQ(modal.shown.size(), 2u);
    EXPECT_EQ(modal.shown[0].form, AboutBox);
    EXPECT_EQ(modal.shown[0].pendingOpenFlag, 0); // the file was taken first
    EXPECT_EQ(modal.shown[1].form, GaiyouDlg);
    EXPECT_EQ(MainForm->StartupDialogsShown, 1);
    EXPECT_EQ(App.Modified, 0);

    // Later paints and showings run nothing of it again.
    App.Modified = 1;
    (void)MainForm->Sheet->grab(QRect(0, 0, 200, 200));
    MainForm->hide();
    MainForm->show();
    ProcessEventsUntil([] { return false; }, 1000);
    EXPECT_EQ(modal.shown.size(), 2u);
    EXPECT_EQ(App.Modified, 1);
}

TEST_F(StartupTest, WithoutAFileTheAboutBoxComesFirst) {
    ScriptedMessages messages;
    ASSERT_TRUE(CreateForms(Args(), locks.path()));
    ModalRecorder modal;
    MainForm->show();
    ASSERT_TRUE(ProcessEventsUntil([] { return MainForm->StartupDialogsPending == 0; }));
    ASSERT_EQ(modal.shown.size(), 2u);
    EXPECT_EQ(modal.shown[0].form, AboutBox);
    EXPECT_EQ(modal.shown[1].form, GaiyouDlg);
}

TEST_F(StartupTest, AboutBoxSwitchesEnableTheCityEditionAndThe2012Revision) {
    ScriptedMessages messages;
    ASSERT_TRUE(CreateForms(Args(), locks.path()));
    App.CityEditionEnabled = 0;
    App.Revision2012Enabled = 0;
    EXPECT_EQ(AboutBox->windowTitle(), QStringLiteral("Velquor"));
    EXPECT_EQ(AboutBox->Cvu->text(), QStringLiteral("vu版使用"));
    EXPECT_EQ(AboutBox->Ckaitei->text(), QStringLiteral("2012年改訂版"));
    // One version: the one every printed page's header gives.
    QString version;
    for (const QLabel* label : AboutBox->findChildren<QLabel*>())
        if (label->text().startsWith(QStringLiteral("Version "))) version = label->text().mid(8);
    ASSERT_FALSE(version.isEmpty());
    EXPECT_TRUE(QString::fromStdString(cp932::toUtf8(PageHeaderText(false, 1, {})))
                    .startsWith(QStringLiteral("Velquor Ver") + version + QStringLiteral(" [")));

    AboutBox->Cvu->click();
    EXPECT_EQ(App.CityEditionEnabled, 1);
    EXPECT_EQ(App.Revision2012Enabled, 0);
    AboutBox->Ckaitei->setChecked(true);
    EXPECT_EQ(App.Revision2012Enabled, 1);
    AboutBox->Cvu->setChecked(false);
    EXPECT_EQ(App.CityEditionEnabled, 0);
    EXPECT_EQ(App.Revision2012Enabled, 1);

    // The help menu's About item shows the same box.
    ModalRecorder modal;
    MainForm->HelpAboutItem->trigger();
    ASSERT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(modal.shown[0].form, AboutBox);
}

TEST_F(StartupTest, ZoningPaletteShowsOnlyInModeTen) {
    ScriptedMessages messages;
    ASSERT_TRUE(CreateForms(Args(), locks.path()));
    MainForm->show();
    EXPECT_EQ(zoneDlg->windowTitle(), QStringLiteral("ゾーニングの入力"));
    // Above the main window only, as its tool window, not above other programs.
    EXPECT_FALSE(zoneDlg->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(zoneDlg->windowFlags().testFlag(Qt::Tool));
    EXPECT_FALSE(zoneDlg->windowFlags().testFlag(Qt::WindowCloseButtonHint));

    App.InputMode = 10;
    MainForm->ShowToolDialog();
    EXPECT_TRUE(zoneDlg->isVisible());
    EXPECT_FALSE(zoneDlg->isModal());
    App.InputMode = 2;
    MainForm->ShowToolDialog();
    EXPECT_FALSE(zoneDlg->isVisible());
    App.InputMode = -1;
}

TEST_F(StartupTest, HorizontalMemberWindowIsABlankPageClosedWithItsButton) {
    ScriptedMessages messages;
    ASSERT_TRUE(CreateForms(Args(), locks.path()));
    EXPECT_EQ(OoukazaiDlg->windowTitle(), QStringLiteral("横架材の検討"));
    EXPECT_EQ(OoukazaiDlg->disp->size(), QSize(715, 7212));
    EXPECT_EQ(OoukazaiDlg->OKBtn->text(), QStringLiteral("閉じる"));
    EXPECT_TRUE(OoukazaiDlg->OKBtn->isDefault());

    ModalRecorder modal;
    MainForm->N6->trigger();
    ASSERT_EQ(modal.shown.size(), 1u);
    EXPECT_EQ(modal.shown[0].form, OoukazaiDlg);

    // The page stays white.
    const QImage page = OoukazaiDlg->disp->grab(QRect(0, 0, 100, 100)).toImage();
    for (int y = 0; y < 100; y += 9)
        for (int x = 0; x < 100; x += 9) ASSERT_EQ(page.pixel(x, y) & 0xFFFFFF, 0xFFFFFFu);

    OoukazaiDlg->OKBtn->click();
    EXPECT_EQ(OoukazaiDlg->result(), QDialog::Accepted);
}

TEST_F(StartupTest, DroppedFilesOpenTheFirstAndSeveralAreToldOff) {
    ScriptedMessages messages;
    ASSERT_TRUE(CreateForms(Args(), locks.path()));
    ModalRecorder modal;
    MainForm->show();
    ASSERT_TRUE(ProcessEventsUntil([] { return MainForm->StartupDialogsPending == 0; }));

    // The dropped names do not exist: each open ends with the notice that it cannot be read.
    messages.expect("読み込み出来ないファイルです。", MsgAnswer::Ok);
    MainForm->WMDropFiles({QStringLiteral("/tmp/a.vq2")});
    EXPECT_EQ(MainForm->PendingOpenFlag, 1);
    ASSERT_TRUE(ProcessEventsUntil([] { return MainForm->PendingOpenFlag == 0; }));
    messages.shown.clear();

    messages.expect("一つのファイルのみ入れて下さい。", MsgAnswer::Ok)
        .expect("読み込み出来ないファイルです。", MsgAnswer::Ok);
    MainForm->WMDropFiles({QStringLiteral("/tmp/b.vq2"), QStringLiteral("/tmp/c.vq2")});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "ドラッグエラー");
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(MainForm->PendingOpenPath, QStringLiteral("/tmp/b.vq2"));
    ASSERT_TRUE(ProcessEventsUntil([] { return MainForm->PendingOpenFlag == 0; }));
    EXPECT_EQ(modal.shown.size(), 2u); // only the About box and the overview of the start
}

TEST_F(StartupTest, ModelReachesTheWindowThroughItsHooks) {
    ScriptedMessages messages;
    ASSERT_TRUE(CreateForms(Args(), locks.path()));
    EXPECT_EQ(&Hooks(), static_cast<ModelHooks*>(MainForm));
    MainForm->show();
    App.InputMode = 10;
    MainForm->ShowToolDialog();
    ASSERT_TRUE(zoneDlg->isVisible());
    MainForm->setWindowTitle(QStringLiteral("Velquor [/tmp/old.vq2]"));

    // A new document hides the palettes and renames the window.
    InitModel(InitNewDocument);
    EXPECT_EQ(App.InputMode, -1);
    EXPECT_FALSE(zoneDlg->isVisible());
    EXPECT_EQ(MainForm->windowTitle(), QStringLiteral("Velquor [無題]"));

    DestroyForms();
    EXPECT_NE(&Hooks(), nullptr);
    InitModel(InitNewDocument); // with the window gone the hooks do nothing
}
