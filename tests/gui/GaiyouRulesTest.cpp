// The overview dialog's edition switch, click rules and close rule with scripted messages, the
// derived classes over every answer, and the main window's labels and panel.
#include "TestApp.h"

#include "app/FormSet.h"
#include "document/DocumentCommands.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/AppState.h"
#include "model/Cp932.h"
#include "model/Model.h"
#include "model/ModelFile.h"
#include "overview/Gaiyou.h"
#include "support/ScriptedMessages.h"
#include "ui/Forms.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Captions = std::vector<std::string>;

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

void SetCityOptions(int on) {
    DisplayOptions& o = App.Options;
    o.CityCentreOfGravity = o.CityJointJudgement = o.CityWallBaseStrength = o.NValueMethod = on;
}

// Shows the dialog, lets the user act, presses OK and answers the `count` messages that must
// come; returns their captions (every text must be writable in CP932).
Captions ShowAndOk(const std::function<void()>& user, int count, MsgAnswer answer = MsgAnswer::Ok) {
    ScriptedMessages m;
    for (int i = 0; i < count; ++i) m.expect("", answer);
    GaiyouDlg->hide();
    GaiyouDlg->show();
    if (user) user();
    GaiyouDlg->OKBtnClick();
    Captions captions;
    for (const auto& s : m.shown) {
        EXPECT_TRUE(cp932::fromUtf8(s.text) && cp932::fromUtf8(s.caption)) << s.caption;
        captions.push_back(s.caption);
    }
    return captions;
}

// The dialog alone, or (CreateForms) inside the program.
class GaiyouRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        App = AppState{};
        Doc.StoreyData = {};
        Doc.FoundationFloorSpec = {};
        Doc.CriteriaEdition = Doc.DiagnosisMethod = 0;
        GaiyouDlg = new TGaiyouDlg(nullptr);
    }
    void TearDown() override {
        SetModalRunner({});
        MainForm ? DestroyForms() : delete GaiyouDlg;
        GaiyouDlg = nullptr;
        Doc = *doc;
        App = app;
    }
    std::unique_ptr<Document> doc = std::make_unique<Document>(Doc);
    AppState app = App;
};

TEST_F(GaiyouRulesTest, EditionSwitchAsksAndTellsAboutTheCityMethodSettings) {
    TGaiyouDlg& d = *GaiyouDlg;
    const DisplayOptions& o = App.Options;
    SetCityOptions(1);
    EXPECT_EQ(ShowAndOk({}, 4, MsgAnswer::No),
              (Captions{"重心の算定", "接合部のⅢⅣ判断", "壁の基準耐力", "柱頭柱脚金物の計算"}));
    EXPECT_EQ(o.CityCentreOfGravity + o.CityJointJudgement + o.NValueMethod, 3);
    EXPECT_EQ(ShowAndOk({}, 4, MsgAnswer::Yes).size(), 4u) << "asked again";
    EXPECT_EQ(o.CityCentreOfGravity + o.CityWallBaseStrength + o.NValueMethod, 0);

    EXPECT_EQ(ShowAndOk([&] { d.Rmodeb2->setChecked(true); }, 1), Captions{"vu版の設定"});
    EXPECT_EQ(Doc.CriteriaEdition, 2);
    EXPECT_EQ(o.CityJointJudgement + o.CityWallBaseStrength + o.NValueMethod, 3);
    App.Options.NValueMethod = 2; // no radio: brings nothing
    EXPECT_TRUE(ShowAndOk({}, 0).empty());

    App.Options.NValueMethod = 1;
    EXPECT_EQ(ShowAndOk([&] { d.Rmodeb4->setChecked(true); }, 2),
              (Captions{"2012年改訂版", "評価版の設定"}));
    EXPECT_EQ(o.CityCentreOfGravity + o.CityJointJudgement + o.NValueMethod, 0);

    // The consistency notice: on a change of edition only, 改修案２ (one storey) contradicting;
    // it names the city edition, so it comes only while that edition is offered.
    Doc.StoreyData.topStorey[2] = 0;
    Doc.StoreyData.roofWallClass[0] = Doc.StoreyData.roofWallClass[2] = 3;
    Doc.StoreyData.weightClass[0] = 1;
    App.CityEditionEnabled = 0;
    EXPECT_TRUE(ShowAndOk([&] { d.Rmodeb0->setChecked(true); }, 0).empty());
    Doc.CriteriaEdition = 4;
    App.CityEditionEnabled = 1;
    EXPECT_EQ(ShowAndOk([&] { d.Rmodeb0->setChecked(true); }, 1), Captions{"建物仕様の確認"});
    EXPECT_TRUE(ShowAndOk({}, 0).empty());
}

TEST_F(GaiyouRulesTest, CityEditionRefusesThreeStoreysAndShowsEachDocumentsOwn) {
    TGaiyouDlg& d = *GaiyouDlg;
    const auto refusal = [&] {
        d.Rkaisu[2][2]->setChecked(true);
        d.Rmodeb2->setChecked(true); // refused: 改修案２ has three storeys
        EXPECT_TRUE(d.Rmodeb0->isChecked() && d.CchiikiZ->isEnabled());
        d.Rkaisu[2][1]->setChecked(true);
        d.Rmodeb2->setChecked(true);
        d.Rkaisu[0][2]->setChecked(true); // refused, and stays checked
        EXPECT_TRUE(d.Rmodeb0->isChecked() && d.Rkaisu[0][2]->isChecked());
    };
    // The second one has the sentence as its caption.
    EXPECT_EQ(ShowAndOk(refusal, 2), (Captions{"階数の確認", "vu版には３階建てはありません。"}));

    // A city document with three storeys is refused as it is shown, the reason in the text
    // too; a two-storey one after it is not, and an older file's edition 1 after that shows no
    // edition and is kept.
    Doc.CriteriaEdition = 2;
    {
        ScriptedMessages m;
        m.expect("vu版には３階建てはありません。\n全国版に変更します。", MsgAnswer::Ok);
        GaiyouDlg->hide();
        GaiyouDlg->show();
        GaiyouDlg->OKBtnClick();
    }
    EXPECT_EQ(Doc.CriteriaEdition, 0);
    Doc.StoreyData.topStorey[0] = 1;
    Doc.CriteriaEdition = 2;
    SetCityOptions(1);
    EXPECT_TRUE(ShowAndOk({}, 0).empty());
    EXPECT_EQ(Doc.CriteriaEdition, 2);
    SetCityOptions(0);
    Doc.CriteriaEdition = 1;
    EXPECT_TRUE(ShowAndOk([&] { EXPECT_EQ(d.Rmodeb0->group()->checkedId(), -1); }, 0).empty());
    EXPECT_EQ(Doc.CriteriaEdition, 1);
}

// Cancel, Escape and the close box all pass the close check.
TEST_F(GaiyouRulesTest, WhileLoadingOnlyOkCloses) {
    App.DataLoading = 1;
    ScriptedMessages m;
    for (int i = 0; i < 3; ++i) m.expect("データ読込時はＯＫボタンで閉じて下さい。", MsgAnswer::Ok);
    GaiyouDlg->show();
    GaiyouDlg->CancelBtn->click();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(GaiyouDlg, &escape);
    GaiyouDlg->close();
    EXPECT_EQ(m.shown.at(2).caption, "データ読込が完了しません。");
    EXPECT_TRUE(GaiyouDlg->isVisible());
    GaiyouDlg->OKBtn->click();
    EXPECT_FALSE(GaiyouDlg->isVisible());
}

TEST_F(GaiyouRulesTest, DerivedClassesFollowEveryAnswerAndOkStoresTheFoundationClass) {
    // [type][crack][足固め] and [material][horizontal brace][void], written from the rules.
    const int foundation[4][2][2] = {
        {{0, 0}, {1, 1}}, {{1, 1}, {1, 1}}, {{2, 1}, {2, 1}}, {{2, 2}, {2, 2}}};
    const int floor[3][3][2] = {
        {{0, 1}, {0, 1}, {0, 1}}, {{2, 2}, {1, 2}, {2, 2}}, {{2, 2}, {1, 2}, {2, 2}}};
    const char* roman[3] = {"Ⅰ", "Ⅱ", "Ⅲ"};
    TGaiyouDlg& d = *GaiyouDlg;
    for (int i = 0; i < 16; ++i) {
        const int t = i / 4, k = i / 2 % 2, b = i % 2, c = foundation[t][k][b];
        ShowAndOk(
            [&] {
                // As a user clicks them: disabled answers keep their check.
                d.Ekisoh[k]->setChecked(true);
                d.Ekisoa[b]->setChecked(true);
                d.Ekisok[t]->setChecked(true);
                EXPECT_EQ(d.Lkisoshu->text(), U("基礎") + U(roman[c])) << i;
            },
            0);
        EXPECT_EQ(Doc.FoundationFloorSpec.foundationClass, c);
    }
    d.show();
    for (int i = 0; i < 18; ++i) {
        const int m = i / 6, h = i / 2 % 3, v = i % 2;
        d.Ryukashi[m]->setChecked(true);
        d.Rhiuchi[h]->setChecked(true);
        d.Rfukinuke[v]->setChecked(true);
        EXPECT_EQ(d.Lyukashu->text(), U("床仕様") + U(roman[floor[m][h][v]])) << i;
    }
}

TEST_F(GaiyouRulesTest, MainWindowShowsTheDocumentsEditionMethodAndClasses) {
    delete GaiyouDlg;
    GaiyouDlg = nullptr;
    QTemporaryDir dir;
    ASSERT_TRUE(CreateForms({QStringLiteral("velquor")}, dir.path()));
    Tvelquor2Form& w = *MainForm;
    const auto back = [](const QWidget* c) { return c->palette().color(QPalette::Window); };
    EXPECT_EQ(w.Ldousa->text() + w.Lshinndan->text(), U("［全国版］精密診断法1(略算)"));

    // Weight class 2 of the current scenario under the general method; the 2012 edition turns
    // the city setting off through the window's own box.
    w.Cjuushin->setChecked(true);
    SetModalRunner([](QDialog&) {
        ShowAndOk(
            [] {
                GaiyouDlg->Rmodea[1]->setChecked(true);
                GaiyouDlg->Rishiyou[0][2]->setChecked(true);
                GaiyouDlg->Rishiyou[1][1]->setChecked(true);
                GaiyouDlg->Rmodeb4->setChecked(true);
            },
            2);
        return 1;
    });
    w.BgaiyouClick();
    EXPECT_EQ(w.Ldousa->text() + w.Lshinndan->text(), U("［改訂版］一般診断（精算）法"));
    EXPECT_EQ(w.Ldousa->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(w.StaticText2->text() + w.StaticText3->text(), U("非常に　重い建物"));
    EXPECT_EQ(back(w.Panel2), QColor(255, 208, 208));
    EXPECT_EQ(back(w.Rkaishu1), QColor(208, 255, 208));
    EXPECT_FALSE(w.Cjuushin->isChecked());

    // A file read without a dialog (dropped, from the command line): the legacy 1 as the 2004
    // edition, then the city edition with a precise method naming the roof and walls.
    const std::string path = dir.filePath(QStringLiteral("read.vq2")).toStdString();
    Doc.StoreyData.roofWallClass[0] = 3;
    for (int edition : {1, 2}) {
        Doc.CriteriaEdition = edition;
        Doc.DiagnosisMethod = 3;
        ASSERT_TRUE(SaveModelFile(path).ok());
        Doc.CriteriaEdition = Doc.DiagnosisMethod = 0;
        ASSERT_TRUE(w.Documents().ReadFile(path));
        EXPECT_EQ(w.Ldousa->text(), U(edition == 1 ? "［全国版］" : "［vu版］"));
    }
    EXPECT_EQ(w.StaticText2->text() + w.StaticText3->text(), U("重い屋根重い外壁"));
}

} // namespace
