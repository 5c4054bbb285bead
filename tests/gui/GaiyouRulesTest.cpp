// The overview dialog's edition switch, its click rules and its close rule, driven with scripted
// messages; the derived classes over every answer; the main window's labels and panel.
#include "TestApp.h"

#include "mainwin/DocumentCommands.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/AppState.h"
#include "model/Cp932.h"
#include "model/Model.h"
#include "model/ModelFile.h"
#include "overview/Gaiyou.h"
#include "overview/OverviewCodecs.h"
#include "support/ScriptedMessages.h"
#include "ui/FormSet.h"
#include "ui/Forms.h"

#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

#include <gtest/gtest.h>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Every text the program shows must be writable in CP932.
void ExpectCp932(const ScriptedMessages& m) {
    for (const auto& shown : m.shown)
        EXPECT_TRUE(cp932::fromUtf8(shown.text) && cp932::fromUtf8(shown.caption)) << shown.caption;
}

class GaiyouRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        saved_ = std::make_unique<Document>(Doc);
        savedApp_ = App;
        App = AppState{};
        Doc.StoreyData = {};
        Doc.FoundationFloorSpec = {};
        Doc.CriteriaEdition = Doc.DiagnosisMethod = 0;
        GaiyouDlg = new TGaiyouDlg(nullptr);
    }
    void TearDown() override {
        delete GaiyouDlg;
        GaiyouDlg = nullptr;
        Doc = *saved_;
        App = savedApp_;
    }
    static void Show() {
        GaiyouDlg->hide();
        GaiyouDlg->show();
    }
    static void ShowAndOk() {
        Show();
        GaiyouDlg->OKBtnClick();
    }
    static void SetCityOptions(int on) {
        DisplayOptions& o = App.Options;
        o.CityCentreOfGravity = o.CityJointJudgement = o.CityWallBaseStrength = o.NValueMethod = on;
    }
    static void ExpectCityOptions(int on) {
        const DisplayOptions& o = App.Options;
        EXPECT_EQ(o.CityCentreOfGravity + o.CityJointJudgement + o.CityWallBaseStrength, 3 * on);
        EXPECT_EQ(o.NValueMethod, on);
    }
    std::unique_ptr<Document> saved_;
    AppState savedApp_;
};

TEST_F(GaiyouRulesTest, EditionSwitchAsksAndTellsAboutTheCityMethodSettings) {
    // 2004 with all four on: four questions in order; No keeps them, and the next OK asks again.
    SetCityOptions(1);
    {
        ScriptedMessages m;
        for (int i = 0; i < 4; ++i) m.expect("", MsgAnswer::No);
        ShowAndOk();
        ASSERT_EQ(m.shown.size(), 4u);
        const char* captions[4] = {"重心の算定", "接合部のⅢⅣ判断", "壁の基準耐力",
                                   "柱頭柱脚金物の計算"};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(m.shown[i].caption, captions[i]);
            EXPECT_EQ(m.shown[i].buttons, MsgButtons::YesNo);
            EXPECT_EQ(m.shown[i].icon, MsgIcon::Question);
        }
        ExpectCityOptions(1);
        for (int i = 0; i < 4; ++i) m.expect("", MsgAnswer::Yes);
        ShowAndOk();
        ExpectCityOptions(0);
        ExpectCp932(m);
    }

    // 0 to the city edition: one notice, then all four on.
    {
        ScriptedMessages m;
        m.expect("vu方式に変更します。", MsgAnswer::Ok);
        Doc.BuildingData.zoneFactorZ = 0.8;
        Doc.BuildingData.snowLoadTerm = SnowTermOfItem(11);
        Show();
        GaiyouDlg->Rmodeb2->setChecked(true);
        EXPECT_TRUE(GaiyouDlg->Rkonkouzou[0]->isChecked());
        EXPECT_FALSE(GaiyouDlg->CchiikiZ->isEnabled());
        GaiyouDlg->OKBtnClick();
        EXPECT_EQ(m.shown.at(0).caption, "vu版の設定");
        EXPECT_EQ(Doc.CriteriaEdition, 2);
        EXPECT_EQ(Doc.BuildingData.zoneFactorZ, 1.0);
        EXPECT_EQ(Doc.BuildingData.snowLoadTerm, 0.0);
        ExpectCityOptions(1);
        // Already the city edition with all four on: nothing.
        ShowAndOk();
        // An N-value method of 2 (no radio) alone brings nothing either.
        App.Options.NValueMethod = 2;
        ShowAndOk();
        EXPECT_EQ(App.Options.NValueMethod, 2);
        ExpectCp932(m);
    }

    // 2 to 2012: its notice, then the settings' notice; OK again says nothing.
    {
        App.Options.NValueMethod = 1;
        ScriptedMessages m;
        m.expect("2012年改訂版に移行していません", MsgAnswer::Ok)
            .expect("全国版（建防協）に変更します。", MsgAnswer::Ok);
        Show();
        GaiyouDlg->Rmodeb4->setChecked(true);
        EXPECT_TRUE(GaiyouDlg->CchiikiZ->isEnabled());
        GaiyouDlg->OKBtnClick();
        EXPECT_EQ(m.shown.at(1).caption, "評価版の設定");
        EXPECT_EQ(Doc.CriteriaEdition, 4);
        ExpectCityOptions(0);
        ShowAndOk();
        ExpectCp932(m);
    }

    // The consistency notice comes only with a change of edition, and only when some scenario
    // (改修案２ here, one storey) contradicts.
    {
        Doc.StoreyData.topStorey[2] = 0;
        for (int s = 0; s < 3; ++s) Doc.StoreyData.roofWallClass[s] = 2; // heavy roof
        Doc.StoreyData.weightClass[0] = 1;
        Doc.StoreyData.weightClass[1] = 2;
        ScriptedMessages m;
        m.expect("建物仕様を確認して下さい\n\n", MsgAnswer::Ok);
        Show();
        GaiyouDlg->Rmodeb0->setChecked(true);
        GaiyouDlg->OKBtnClick();
        EXPECT_EQ(m.shown.at(0).caption, "建物仕様の確認");
        EXPECT_EQ(Doc.CriteriaEdition, 0);
        ShowAndOk();
        Doc.StoreyData.weightClass[2] = 1;
        Show();
        GaiyouDlg->Rmodeb2->setChecked(true);
        m.expect("vu方式に変更します。", MsgAnswer::Ok);
        GaiyouDlg->OKBtnClick();
        EXPECT_EQ(m.shown.size(), 2u);
        ExpectCp932(m);
    }
}

TEST_F(GaiyouRulesTest, CityEditionRefusesThreeStoreysAndShowsEachDocumentsOwn) {
    ScriptedMessages m;
    Show();
    // Clicking ［vu版］ while 改修案２ has three storeys.
    GaiyouDlg->Rkaisu[2][2]->setChecked(true);
    m.expect("vu版には３階建てはありません。", MsgAnswer::Ok);
    GaiyouDlg->Rmodeb2->setChecked(true);
    EXPECT_EQ(m.shown.back().caption, "階数の確認");
    EXPECT_TRUE(GaiyouDlg->Rmodeb0->isChecked());
    EXPECT_TRUE(GaiyouDlg->CchiikiZ->isEnabled());
    // Clicking ３階建 of 現況 under ［vu版］: the sentence is the caption.
    GaiyouDlg->Rkaisu[2][1]->setChecked(true);
    GaiyouDlg->Rmodeb2->setChecked(true);
    m.expect("全国版に変更します。", MsgAnswer::Ok);
    GaiyouDlg->Rkaisu[0][2]->setChecked(true);
    EXPECT_EQ(m.shown.back().caption, "vu版には３階建てはありません。");
    EXPECT_TRUE(GaiyouDlg->Rmodeb0->isChecked());
    EXPECT_TRUE(GaiyouDlg->Rkaisu[0][2]->isChecked());
    GaiyouDlg->reject();

    // A city document with three storeys is refused as it is shown.
    SetCityOptions(1);
    Doc.CriteriaEdition = 2;
    Doc.StoreyData.topStorey[1] = 2;
    m.expect("全国版に変更します。", MsgAnswer::Ok);
    Show();
    EXPECT_TRUE(GaiyouDlg->Rmodeb0->isChecked());
    GaiyouDlg->reject();
    // A two-storey city document shown after it: nothing said, the city edition kept.
    Doc.StoreyData.topStorey[1] = 1;
    ShowAndOk();
    EXPECT_EQ(Doc.CriteriaEdition, 2);
    // An older file's edition 1 after the city document shows and stores the 2004 edition.
    SetCityOptions(0);
    Doc.CriteriaEdition = 1;
    Show();
    EXPECT_TRUE(GaiyouDlg->Rmodeb0->isChecked());
    EXPECT_TRUE(GaiyouDlg->Rkonkouzou[1]->isEnabled());
    GaiyouDlg->OKBtnClick();
    EXPECT_EQ(Doc.CriteriaEdition, 0);
    ExpectCp932(m);
}

TEST_F(GaiyouRulesTest, WhileLoadingOnlyOkCloses) {
    ScriptedMessages m;
    App.DataLoading = 1;
    Show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    for (int i = 0; i < 3; ++i) m.expect("データ読込時はＯＫボタンで閉じて下さい。", MsgAnswer::Ok);
    GaiyouDlg->CancelBtn->click();
    QApplication::sendEvent(GaiyouDlg, &escape);
    GaiyouDlg->close();
    EXPECT_EQ(m.shown.size(), 3u);
    EXPECT_EQ(m.shown.back().caption, "データ読込が完了しません。");
    EXPECT_TRUE(GaiyouDlg->isVisible());
    GaiyouDlg->OKBtn->click();
    EXPECT_FALSE(GaiyouDlg->isVisible());
    EXPECT_EQ(GaiyouDlg->result(), QDialog::Accepted);
    ExpectCp932(m);
}

TEST_F(GaiyouRulesTest, DerivedClassesFollowEveryAnswerAndOkStoresTheFoundationClass) {
    // [type][crack][足固め] and [material][horizontal brace][void], written from the rules.
    const int foundation[4][2][2] = {
        {{0, 0}, {1, 1}}, {{1, 1}, {1, 1}}, {{2, 1}, {2, 1}}, {{2, 2}, {2, 2}}};
    const int floor[3][3][2] = {
        {{0, 1}, {0, 1}, {0, 1}}, {{2, 2}, {1, 2}, {2, 2}}, {{2, 2}, {1, 2}, {2, 2}}};
    const QString foundationNames[3] = {U("基礎Ⅰ"), U("基礎Ⅱ"), U("基礎Ⅲ")};
    const QString floorNames[3] = {U("床仕様Ⅰ"), U("床仕様Ⅱ"), U("床仕様Ⅲ")};
    TGaiyouDlg& d = *GaiyouDlg;
    for (int t = 0; t < 4; ++t)
        for (int k = 0; k < 2; ++k)
            for (int b = 0; b < 2; ++b) {
                Show();
                // The answers as a user clicks them: enabled or not, they keep their check.
                d.Ekisoh[k]->setChecked(true);
                d.Ekisoa[b]->setChecked(true);
                d.Ekisok[t]->setChecked(true);
                EXPECT_EQ(d.Lkisoshu->text(), foundationNames[foundation[t][k][b]]) << t << k << b;
                d.OKBtnClick();
                EXPECT_EQ(Doc.FoundationFloorSpec.foundationClass, foundation[t][k][b]);
                EXPECT_EQ(Doc.FoundationFloorSpec.foundationCrack, k);
                EXPECT_EQ(Doc.FoundationFloorSpec.footBracing, b);
            }
    Doc.FoundationFloorSpec.foundationType = Doc.FoundationFloorSpec.foundationCrack = 0;
    Show();
    EXPECT_EQ(d.Lkisoshu->text(), foundationNames[0]) << "shown from the stored answers";
    for (int m = 0; m < 3; ++m)
        for (int h = 0; h < 3; ++h)
            for (int v = 0; v < 2; ++v) {
                d.Ryukashi[m]->setChecked(true);
                d.Rhiuchi[h]->setChecked(true);
                d.Rfukinuke[v]->setChecked(true);
                EXPECT_EQ(d.Lyukashu->text(), floorNames[floor[m][h][v]]) << m << h << v;
            }
}

// The window's labels and panel from start-up, after OK and after a read without a dialog.
class GaiyouWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(locks.isValid());
        saved_ = std::make_unique<Document>(Doc);
        savedApp_ = App;
        ASSERT_TRUE(CreateForms({QStringLiteral("velquor")}, locks.path()));
        SetModalRunner([this](QDialog&) {
            GaiyouDlg->show();
            if (user) user();
            GaiyouDlg->OKBtnClick();
            return GaiyouDlg->result();
        });
    }
    void TearDown() override {
        SetModalRunner({});
        DestroyForms();
        Doc = *saved_;
        App = savedApp_;
    }
    static QColor Back(const QWidget* w) { return w->palette().color(QPalette::Window); }
    std::function<void()> user;
    QTemporaryDir locks;
    std::unique_ptr<Document> saved_;
    AppState savedApp_;
};

TEST_F(GaiyouWindowTest, LabelsAndPanelShowTheDocumentsEditionMethodAndClasses) {
    Tvelquor2Form& w = *MainForm;
    EXPECT_EQ(w.Ldousa->text(), U("［全国版］"));
    EXPECT_EQ(Back(w.Ldousa), QColor(255, 255, 0));

    ScriptedMessages m;
    App.CurrentScenario = 0;
    user = [] {
        GaiyouDlg->Rmodea[1]->setChecked(true);
        GaiyouDlg->Rishiyou[0][2]->setChecked(true);
        GaiyouDlg->Rishiyou[1][1]->setChecked(true);
    };
    w.BgaiyouClick();
    EXPECT_EQ(w.Lshinndan->text(), U("一般診断（精算）法"));
    EXPECT_EQ(Back(w.Lshinndan), QColor(255, 255, 0));
    EXPECT_EQ(w.StaticText2->text(), U("非常に　"));
    EXPECT_EQ(w.StaticText3->text(), U("重い建物"));
    EXPECT_EQ(Back(w.Panel2), QColor(255, 208, 208));
    EXPECT_EQ(Back(w.Rkaishu1), QColor(208, 255, 208));

    // The 2012 edition by the dialog, the switch through the window's own controls.
    w.Cjuushin->setChecked(true);
    user = [] { GaiyouDlg->Rmodeb4->setChecked(true); };
    m.expect("2012年改訂版", MsgAnswer::Ok).expect("Ｎ値法に変更します。", MsgAnswer::Ok);
    w.BgaiyouClick();
    EXPECT_EQ(w.Ldousa->text(), U("［改訂版］"));
    EXPECT_EQ(w.Ldousa->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    EXPECT_FALSE(w.Cjuushin->isChecked());
    EXPECT_TRUE(w.Rnchi->isChecked());

    // A file read without a dialog (dropped, or from the command line): an older file's
    // edition 1 as the 2004 edition; the city edition with a precise method names the roof.
    const QString path = locks.filePath(QStringLiteral("read.vq2"));
    const auto read = [&](int edition, int method) {
        Doc.CriteriaEdition = edition;
        Doc.DiagnosisMethod = method;
        ASSERT_TRUE(SaveModelFile(path.toStdString()).ok);
        Doc.CriteriaEdition = Doc.DiagnosisMethod = 0;
        SetMessageService(nullptr); // the reader's own questions
        ASSERT_TRUE(w.Documents().ReadFile(path.toStdString()));
        SetMessageService(&m);
    };
    read(1, 1);
    EXPECT_EQ(w.Ldousa->text(), U("［全国版］"));
    Doc.StoreyData.roofWallClass[0] = 3;
    read(2, 3);
    EXPECT_EQ(w.Ldousa->text(), U("［vu版］"));
    EXPECT_EQ(w.Lshinndan->text(), U("精密診断法1(簡易)"));
    EXPECT_EQ(w.StaticText2->text(), U("重い屋根"));
    EXPECT_EQ(w.StaticText3->text(), U("重い外壁"));
}

} // namespace
