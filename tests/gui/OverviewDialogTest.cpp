// The overview dialog driven as a user drives it: every control of the settings pages found by
// its name, shown from one document and typed over with another; untouched and cancelled
// showings; what OK does to the main window and to the modified flag.
#include "GaiyouFixture.h"

#include "app/FormSet.h"
#include "calc/Deterioration.h"
#include "document/OverviewCodecs.h"
#include "mainwin/ResultPanel.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/AppState.h"
#include "model/Cp932.h"
#include "model/Model.h"
#include "model/ModelFile.h"
#include "overview/Gaiyou.h"
#include "support/OlderFileBytes.h"
#include "support/ScriptedMessages.h"
#include "support/Sjis.h"
#include "support/WidgetPixels.h"
#include "ui/Bindings.h"
#include "ui/Controls.h"
#include "ui/Forms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::string Date(int era, const std::string& year) {
    char text[16];
    std::snprintf(text, sizeof text, "%1i%8s", era, year.c_str());
    return text;
}
QString Fixed(const char* format, double v) {
    return QString::asprintf(format, v);
}
QString Suffix(int s) {
    return s == 0 ? QString() : QString::number(s);
}

// Every settings field of the three pages with a value of its own; `k` varies them all.
void Fill(Document& d, int k) {
    BuildingDataRecord& b = d.BuildingData;
    int i = 10 * k;
    for (TextField t : std::initializer_list<TextField>{
             b.clientAddress, b.clientName, b.ownerName, b.siteLotNumber, b.siteAddress,
             b.buildingUseOther, d.FoundationFloorSpec.foundationMemo,
             d.GroundFoundationSurvey.softGroundBasis})
        t.set(Sjis("欄") + std::to_string(i++));
    b.clientPhone.set("045-" + std::to_string(i++));
    b.ownerPhone.set("045-" + std::to_string(i++));
    b.ownerAddress.set(JoinOwnerAddress(k ? "231-0005" : "21", Sjis(k ? "港北区" : "多摩区")));
    const char* digits[8] = {"１", "２", "３", "４", "５", "６", "７", "８"};
    for (int r = 0; r < 4; ++r) {
        const std::string digit = Sjis(digits[4 * k + r]);
        b.constructionEraYear[r].set(Date((r + k) % 5, digit + digit));
        b.constructionMonth[r].set(digit);
    }
    for (int r = 1; r < 4; ++r) b.extensionDone[r] = (r + k) % 2;
    b.structureType = k ? 1 : 2;
    b.buildingUse = k ? 3 : 1;
    b.garage = k ? 2 : 1;
    b.basement = k ? 1 : 0;
    b.mixedStructure = k ? 1 : 2;
    b.snowLoadTerm = SnowTermOfItem(k ? 3 : 11);
    b.zoneFactorZ = ZoneFactors[k ? 2 : 4];
    StoreyDataRecord& st = d.StoreyData;
    for (int s = 0; s < 3; ++s) {
        st.topStorey[s] = (s + k) % 3;
        st.atticStorage[s] = (s + k) % 2;
        st.weightClass[s] = (s + k + 1) % 3;
        st.roofWallClass[s] = (s + k + 2) % 4;
        st.buildingArea[s] = 50 + 10 * s + k + 0.25;
        st.totalFloorArea[s] = 150 + 10 * s + k + 0.5;
        for (int f = 0; f < 3; ++f) {
            st.floorArea[f][s] = 100 + 10 * f + s + k + 0.75;
            st.storeyHeight[s][f] = 2.5 + 0.1 * s + 0.01 * f + 0.001 * k;
        }
    }
    FoundationFloorSpecRecord& f = d.FoundationFloorSpec;
    f.foundationType = k ? 2 : 0;
    f.foundationCrack = k ? 0 : 1;
    f.footBracing = k ? 1 : 0;
    f.uniformFoundation = k;
    f.floorMaterial = k ? 2 : 0;
    f.horizontalBrace = k ? 1 : 2;
    f.largeVoid = k;
    f.uniformFloor = 1 - k;
    f.foundationClass = FoundationClassOf(f);
    d.GroundFoundationSurvey.groundClass = k ? 10 : 2;
    d.CriteriaEdition = k ? 0 : 4; // the city edition refuses these storeys

    d.DiagnosisMethod = k ? 3 : 1;
}

// What the controls show for a document, by the controls' names: an edit's text, a combo's
// index, "1" for a ticked box or a checked radio.
Shown ShownFor(const Document& d) {
    const BuildingDataRecord& b = d.BuildingData;
    const StoreyDataRecord& st = d.StoreyData;
    const FoundationFloorSpecRecord& f = d.FoundationFloorSpec;
    const OwnerAddressParts owner = SplitOwnerAddress(b.ownerAddress.view());
    const auto n = [](int v) { return QString::number(v); };
    const auto tick = [](bool on) { return QString::fromLatin1(on ? "1" : "0"); };
    Shown v = {{"Eshiaddr", Q(b.clientAddress.view())},
               {"Eshiname", Q(b.clientName.view())},
               {"Eshitel", Q(b.clientPhone.view())},
               {"Epost", Q(owner.postcode)},
               {"Eshoaddr", Q(owner.address)},
               {"Eshoname", Q(b.ownerName.view())},
               {"Eshotel", Q(b.ownerPhone.view())},
               {"Eshozachiban", Q(b.siteLotNumber.view())},
               {"Eshozaaddr", Q(b.siteAddress.view())},
               {"Eyouto_sonota", Q(b.buildingUseOther.view())},
               {"Ekisomemo", Q(f.foundationMemo.view())},
               {"Ekonkyo1", Q(d.GroundFoundationSurvey.softGroundBasis.view())},
               {"Csekiset", n(SnowItemOfTerm(b.snowLoadTerm))},
               {"CchiikiZ", n(ZoneItemOf(b.zoneFactorZ))},
               {"Ckisokobetsu", tick(f.uniformFoundation == 1)},
               {"Cyukakobetsu", tick(f.uniformFloor != 0)},
               {"Eichijiru", tick(MarkedlySoftGround(d.GroundFoundationSurvey.groundClass))}};
    const std::pair<const char*, int32_t> radios[] = {{"Rmodeb", d.CriteriaEdition},
                                                      {"Rmodea", d.DiagnosisMethod},
                                                      {"Rtatemonokouzou", b.structureType},
                                                      {"Rkonkouzou", b.mixedStructure},
                                                      {"Rtatemonoyouto", b.buildingUse},
                                                      {"Rgareiji", b.garage},
                                                      {"Rchika", b.basement},
                                                      {"Ekisok", f.foundationType},
                                                      {"Ekisoh", f.foundationCrack},
                                                      {"Ekisoa", f.footBracing},
                                                      {"Ryukashi", f.floorMaterial},
                                                      {"Rhiuchi", f.horizontalBrace},
                                                      {"Rfukinuke", f.largeVoid}};
    for (const auto& [name, value] : radios) v.push_back({name + n(value), "1"});
    for (int r = 0; r < 4; ++r) {
        const std::string date(b.constructionEraYear[r].view());
        v.push_back({"Ekouyear" + n(r), Q(date.substr(1)).trimmed()});
        v.push_back({"Ekoumon" + n(r), Q(b.constructionMonth[r].view())});
        v.push_back({"Ekouyearn" + n(r), n(date[0] - '0')});
        if (r > 0) v.push_back({"Ekouzou" + n(r), tick(b.extensionDone[r] == 1)});
    }
    for (int s = 0; s < 3; ++s) {
        v.push_back({"Ekenmen" + Suffix(s), Fixed("%.2f", st.buildingArea[s])});
        v.push_back({"Enobe" + Suffix(s), Fixed("%.2f", st.totalFloorArea[s])});
        for (int f = 0; f < 3; ++f) {
            v.push_back({"Eyuka" + n(f + 1) + Suffix(s), Fixed("%.2f", st.floorArea[f][s])});
            v.push_back({"Etakasa" + n(s) + n(f + 1), Fixed("%.3f", st.storeyHeight[s][f])});
        }
        v.push_back({"Rkaisu" + Suffix(s) + n(st.topStorey[s]), "1"});
        v.push_back({"Rkoyaura" + Suffix(s) + n(st.atticStorage[s]), "1"});
        v.push_back({"Rishiyou" + Suffix(s) + n(st.weightClass[s]), "1"});
        v.push_back({"Rsshiyou" + Suffix(s) + n(st.roofWallClass[s]), "1"});
    }
    return v;
}

void ExpectSettingsEqual(const Document& a, const Document& b) {
    EXPECT_TRUE(a.BuildingData == b.BuildingData);
    EXPECT_TRUE(a.StoreyData == b.StoreyData);
    EXPECT_TRUE(a.GroundFoundationSurvey == b.GroundFoundationSurvey);
    EXPECT_TRUE(a.FoundationFloorSpec == b.FoundationFloorSpec);
    EXPECT_EQ(a.CriteriaEdition, b.CriteriaEdition);
    EXPECT_EQ(a.DiagnosisMethod, b.DiagnosisMethod);
}

struct FakeHost final : OverviewHost {
    int height = 800;
    std::vector<std::string> log;
    int mainWindowHeight() const override { return height; }
    void updateStoreyControls() override { log.push_back("storeys"); }
    void setFoundationModeEnabled(bool on) override { log.push_back(on ? "kiso on" : "kiso off"); }
    void setFloorSpecModeEnabled(bool on) override { log.push_back(on ? "yuka on" : "yuka off"); }
    void documentChanged() override { log.push_back("changed"); }
};

class OverviewDialogTest : public GaiyouFixture {
protected:
    void Prepare() override {
        App = AppState{};
        Doc.BuildingData = {};
        Doc.StoreyData = {};
        Doc.GroundFoundationSurvey = {};
        Doc.FoundationFloorSpec = {};
        Doc.CriteriaEdition = Doc.DiagnosisMethod = 0;
    }
    void SetUp() override {
        GaiyouFixture::SetUp();
        GaiyouDlg->setHost(&host);
    }
    FakeHost host;
};

TEST_F(OverviewDialogTest, EveryControlShowsItsOwnFieldAndStoresWhatIsTyped) {
    const auto first = std::make_unique<Document>(Doc);
    const auto second = std::make_unique<Document>(Doc);
    Fill(*first, 0);
    Fill(*second, 1);
    // The first document's eras and items are shown before, and must not stay.
    Doc = *first;
    Show();
    GaiyouDlg->reject();
    Doc = *second;
    Show();
    Walk(ShownFor(Doc), false);

    // The user types the first document over it; full-width digits are numbers too.
    Walk(ShownFor(*first), true);
    GaiyouDlg->Etakasa[0][0]->setText(QStringLiteral("２．８"));
    first->StoreyData.storeyHeight[0][0] = 2.8;
    GaiyouDlg->OKBtnClick();
    ExpectSettingsEqual(Doc, *first);
    EXPECT_TRUE(GaiyouDlg->okChangedDocument());
    EXPECT_EQ(App.Modified, 1);
}

TEST_F(OverviewDialogTest, UntouchedOkKeepsEveryByteAndCancelChangesNothing) {
    Doc.StoreyData.floorArea[1][2] = 12.345;
    Doc.BuildingData.zoneFactorZ = 1.15;
    Doc.BuildingData.snowLoadTerm = 5.0;
    Doc.BuildingData.ownerAddress.set(Sjis("港北区日吉本町"));  // no postcode: split inside it
    Doc.BuildingData.constructionEraYear[1].set(Sjis("4１５")); // as an old file may hold it
    Doc.CriteriaEdition = 4;
    Doc.FoundationFloorSpec.foundationClass = FoundationClassOf(Doc.FoundationFloorSpec);
    const auto before = std::make_unique<Document>(Doc);
    App.DataLoading = 1;
    Show();
    EXPECT_EQ(GaiyouDlg->CchiikiZ->currentIndex(), -1);
    EXPECT_EQ(GaiyouDlg->Csekiset->currentIndex(), -1);
    EXPECT_EQ(GaiyouDlg->Eyuka[1][2]->text(), QStringLiteral("12.35"));
    GaiyouDlg->OKBtnClick();
    ExpectSettingsEqual(Doc, *before);
    EXPECT_EQ(Doc.BuildingData.constructionEraYear[0].str(), "5");
    EXPECT_EQ(App.Modified, 0) << "loading, and nothing changed";
    EXPECT_EQ(App.DataLoading, 0);

    // Cancel after changing every page.
    const auto shown = std::make_unique<Document>(Doc);
    auto other = std::make_unique<Document>(Doc);
    Fill(*other, 1);
    Show();
    Walk(ShownFor(*other), true);
    GaiyouDlg->reject();
    ExpectSettingsEqual(Doc, *shown);
    EXPECT_FALSE(GaiyouDlg->okChangedDocument());
    EXPECT_EQ(App.Modified, 0);
}

TEST_F(OverviewDialogTest, NewPostcodeKeepsAnAddressWithAByteCp932DoesNotKnow) {
    // A damaged byte in the address shows as a replacement mark, which no file can hold.
    Doc.BuildingData.ownerAddress.set(JoinOwnerAddress("***-****", "vu\xFF" + Sjis("区")));
    Show();
    GaiyouDlg->Epost->setText(QStringLiteral("231-0005"));
    GaiyouDlg->OKBtnClick();
    EXPECT_EQ(Doc.BuildingData.ownerAddress.view(),
              JoinOwnerAddress("231-0005", "vu" + Sjis("区")));
}

TEST_F(OverviewDialogTest, OkSetsModifiedAndTellsTheMainWindow) {
    // A main window lower than 676 pixels makes the dialog as low, at the top of the screen.
    Show();
    const QRect designed = GaiyouDlg->geometry();
    host.height = 676;
    Show();
    EXPECT_EQ(GaiyouDlg->geometry(), designed);
    host.height = 600;
    Show();
    EXPECT_EQ(GaiyouDlg->height(), 600);
    EXPECT_EQ(GaiyouDlg->y(), 0);

    // Not loading: an OK without a change still makes the document modified.
    GaiyouDlg->OKBtnClick();
    EXPECT_EQ(App.Modified, 1);
    EXPECT_FALSE(GaiyouDlg->okChangedDocument());
    EXPECT_EQ(host.log, (std::vector<std::string>{"kiso on", "yuka on", "storeys", "changed"}));

    // Loading: only a change makes it modified.
    App.Modified = 0;
    App.DataLoading = 1;
    host.log.clear();
    Show();
    GaiyouDlg->Etakasa[1][0]->setText(QStringLiteral("3.1"));
    GaiyouDlg->Ckisokobetsu->setChecked(true);
    GaiyouDlg->Cyukakobetsu->setChecked(true);
    GaiyouDlg->OKBtnClick();
    EXPECT_EQ(Doc.StoreyData.storeyHeight[1][0], 3.1);
    EXPECT_EQ(App.Modified, 1);
    EXPECT_EQ(host.log, (std::vector<std::string>{"kiso off", "yuka off", "storeys", "changed"}));
}

TEST_F(OverviewDialogTest, ANumberOutsideItsRangeIsRefusedOnItsPageAndNothingIsStored) {
    const auto before = std::make_unique<Document>(Doc);
    App.DataLoading = 1;
    Show();
    GaiyouDlg->Eshiname->setText(QStringLiteral("山田")); // on another page, kept back as well
    const std::tuple<QLineEdit*, const char*, const char*> cases[] = {
        {GaiyouDlg->Etakasa[0][0], "2850", "１階階高は 0〜99.999 m の範囲で入力して下さい。"},
        {GaiyouDlg->Ekenmen[1], "123456",
         "改修案１の建築面積は 0〜99999.99 ㎡ の範囲で入力して下さい。"}};
    for (const auto& [edit, typed, message] : cases) {
        GaiyouDlg->PageControl2->setCurrentIndex(3);
        const QString shown = edit->text();
        edit->setText(QString::fromLatin1(typed));
        {
            ScriptedMessages m;
            m.expect(message, MsgAnswer::Ok);
            GaiyouDlg->OKBtnClick();
        }
        EXPECT_EQ(GaiyouDlg->result(), 0) << "still open";
        EXPECT_EQ(GaiyouDlg->PageControl2->currentWidget(), Scroll(GaiyouDlg->PageControl2));
        EXPECT_EQ(GaiyouDlg->PageControl2->currentIndex(), 1);
        EXPECT_EQ(GaiyouDlg->focusWidget(), edit);
        EXPECT_EQ(edit->selectedText(), QString::fromLatin1(typed));
        ExpectSettingsEqual(Doc, *before);
        EXPECT_EQ(App.DataLoading, 1);
        edit->setText(shown);
    }
    GaiyouDlg->OKBtnClick();
    EXPECT_EQ(Doc.BuildingData.clientName.str(), Sjis("山田"));
}

// The size the user gives the dialog comes back at its next showings; the dialog's own sizes
// for the main window and the pages do not count as his.
TEST_F(OverviewDialogTest, KeepsTheSizeTheUserGivesItForTheSession) {
    Show();
    const QSize fitted = GaiyouDlg->size();
    Show();
    EXPECT_EQ(GaiyouDlg->size(), fitted);
    const QSize given = fitted - QSize(40, 120);
    GaiyouDlg->resize(given);
    for (int showing = 0; showing < 2; ++showing) {
        Show();
        EXPECT_EQ(GaiyouDlg->size(), given) << showing;
    }
}

TEST_F(OverviewDialogTest, TabsStayAboveTheScrolledPageAndEachShowingOpensAtTheTop) {
    Show();
    QApplication::processEvents();
    // As tall as the pages need, within the screen (the settings pages need more than it has).
    const QRect screen = GaiyouDlg->screen()->availableGeometry();
    EXPECT_EQ(GaiyouDlg->frameGeometry().height(), screen.height());
    EXPECT_TRUE(screen.contains(GaiyouDlg->frameGeometry()));
    QScrollBar* down = Scroll(GaiyouDlg->PageControl2)->verticalScrollBar();
    ASSERT_GT(down->maximum(), 0);
    const QPoint tabs = GaiyouDlg->PageControl2->tabBar()->mapTo(GaiyouDlg, QPoint());
    down->setValue(down->maximum());
    EXPECT_EQ(GaiyouDlg->PageControl2->tabBar()->mapTo(GaiyouDlg, QPoint()), tabs);
    Show();
    EXPECT_EQ(down->value(), 0);

    // Without the city switch the city radio is disabled and says where the switch is, in a
    // grey that can be read on its cyan.
    EXPECT_FALSE(GaiyouDlg->Rmodeb2->isEnabled());
    const ShownText radio = ShownTextIn(*GaiyouDlg->Rmodeb2, CaptionArea(*GaiyouDlg->Rmodeb2));
    EXPECT_EQ(radio.ground, QColor(0, 255, 255));
    EXPECT_GE(radio.contrast, 4.5);
    EXPECT_LT(radio.contrast, ColourContrast(Qt::black, radio.ground)); // still greyed
    // So does the line under it, on the background it is drawn on.
    const ShownText note = ShownTextIn(*GaiyouDlg->Label278);
    EXPECT_GE(note.contrast, 4.5) << note.ground.name().toStdString();
    EXPECT_LT(note.contrast, ColourContrast(Qt::black, note.ground));
    EXPECT_TRUE(GaiyouDlg->Rmodeb2->toolTip().contains(QStringLiteral("vu版使用")));
    EXPECT_EQ(GaiyouDlg->Rmodeb2->statusTip(), GaiyouDlg->Rmodeb2->toolTip());
    App.CityEditionEnabled = 1;
    Show();
    EXPECT_TRUE(GaiyouDlg->Rmodeb2->statusTip().isEmpty());
}

// Answers every question as if closed and counts them.
struct QuietMessages final : MessageService {
    QuietMessages() { SetMessageService(this); }
    ~QuietMessages() override { SetMessageService(nullptr); }
    MsgAnswer ask(const std::string&, const std::string&, MsgButtons buttons, MsgIcon) override {
        ++asked;
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
    }
    int asked = 0;
};

TEST_F(OverviewDialogTest, UntouchedOkOnEveryOlderFileKeepsEverySavedByte) {
    using namespace olderfiles;
    const std::pair<const char*, std::string> files[] = {{"old.vq2", V6File()},
                                                         {"oldest.vq2", V2File()},
                                                         {"a.vq0", DiagnosisFile(Diag::V5)},
                                                         {"b.vq0", DiagnosisFile(Diag::V7)},
                                                         {"c.vq0", DiagnosisFile(Diag::V8)}};
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        auto loaded = std::make_unique<Document>();
        int repairs = 0;
        ASSERT_TRUE(ReadModelBytes(bytes, ChooseReader(bytes, name), *loaded, repairs).ok);
        // Answers of 0 or 1 holding 2, as older files may.
        BuildingDataRecord& b = loaded->BuildingData;
        GroundFoundationSurveyRecord& g = loaded->GroundFoundationSurvey;
        DeteriorationSurveyRecord& r = loaded->DeteriorationSurvey;
        for (int32_t* field :
             {&loaded->PermitRecord.permitUnknown[0], &b.extensionDone[1], &g.slopeMeasure[0],
              &g.crackCause[1], &loaded->FoundationFloorSpec.footBracing, &r.roofDeteriorated,
              &r.downpipeDeteriorated, &r.balconyParapetDeteriorated, &r.balconyDrainDeteriorated,
              &r.bathDamage[0], &r.floorDeteriorated})
            *field = 2;
        App.CityEditionEnabled = 1;
        App.DataLoading = 1;
        // The city-method settings as the edition has them: no notice comes.
        const int city = loaded->CriteriaEdition == 2 ? 1 : 0;
        App.Options.CityCentreOfGravity = App.Options.CityJointJudgement = city;
        App.Options.CityWallBaseStrength = App.Options.NValueMethod = city;
        Doc = *loaded;
        QuietMessages messages;
        Show();
        GaiyouDlg->OKBtnClick();
        EXPECT_EQ(messages.asked, 0);
        const std::string before = WriteModelFile(*loaded, 0), after = WriteModelFile(Doc, 0);
        const auto [differs, _] = std::mismatch(before.begin(), before.end(), after.begin());
        EXPECT_EQ(differs, before.end()) << "first change at byte " << differs - before.begin();
        EXPECT_EQ(Doc.CriteriaEdition, loaded->CriteriaEdition);
    }
}

// The dialog inside the program: the main window's storey controls and input modes, the pages
// the side-panel buttons open, and a new document's modified flag.
class OverviewWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(locks.isValid());
        saved_ = std::make_unique<Document>(Doc);
        savedApp_ = App;
        ASSERT_TRUE(CreateForms({QStringLiteral("velquor")}, locks.path()));
        SetModalRunner([this](QDialog& d) {
            EXPECT_EQ(&d, GaiyouDlg);
            GaiyouDlg->show();
            pages = {GaiyouDlg->PageControl1->currentIndex(),
                     GaiyouDlg->PageControl2->currentIndex()};
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
    std::function<void()> user;
    std::pair<int, int> pages;
    QTemporaryDir locks;
    std::unique_ptr<Document> saved_;
    AppState savedApp_;
};

TEST_F(OverviewWindowTest, OkDisablesTheStoreysAndInputModesTheDocumentDoesNotHave) {
    App.CurrentScenario = 0;
    // A storey the document still has stays the one being edited.
    Doc.StoreyData.topStorey[0] = 1;
    MainForm->UpdateStoreyControls();
    MainForm->R2kai->setChecked(true);
    MainForm->BgaiyouClick();
    EXPECT_EQ(App.CurrentStorey, 1);
    user = [] {
        GaiyouDlg->Rkaisu[0][0]->setChecked(true); // 平屋
        GaiyouDlg->Ckisokobetsu->setChecked(true);
    };
    MainForm->BgaiyouClick();
    EXPECT_FALSE(MainForm->R2kai->isEnabled());
    EXPECT_FALSE(MainForm->R3kai->isEnabled());
    EXPECT_FALSE(MainForm->Results->Label11->isEnabled() || MainForm->Results->L3hyox->isEnabled());
    EXPECT_FALSE(MainForm->Rkiso->isEnabled());
    EXPECT_TRUE(MainForm->Ryukashiyou->isEnabled());
    EXPECT_EQ(App.CurrentStorey, 0);

    // 動作モード opens on the first pages and leaves the user's pages as they were.
    user = {};
    GaiyouDlg->PageControl1->setCurrentIndex(0);
    GaiyouDlg->PageControl2->setCurrentIndex(2);
    MainForm->BdousaClick();
    EXPECT_EQ(pages, (std::pair<int, int>{0, 0}));
    EXPECT_EQ(GaiyouDlg->PageControl2->currentIndex(), 2);

    // A new document turns the pages back; it is modified only when something was typed.
    ScriptedMessages messages;
    App.Modified = 0;
    MainForm->FileNew1Execute();
    EXPECT_EQ(pages, (std::pair<int, int>{0, 0}));
    EXPECT_EQ(App.Modified, 0);
    user = [] { GaiyouDlg->Eshiname->setText(QStringLiteral("山田")); };
    MainForm->FileNew1Execute();
    EXPECT_EQ(App.Modified, 1);
    EXPECT_EQ(Doc.BuildingData.clientName.str(), Sjis("山田"));
}

} // namespace
