// The overview dialog driven as a user drives it: every control of the settings pages found by
// its name, shown from one document and typed over with another; untouched and cancelled
// showings; what OK does to the main window and to the modified flag.
#include "TestApp.h"

#include "mainwin/DocumentCommands.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/AppState.h"
#include "model/Cp932.h"
#include "model/Model.h"
#include "overview/Gaiyou.h"
#include "overview/OverviewCodecs.h"
#include "support/ScriptedMessages.h"
#include "ui/FormSet.h"
#include "ui/Forms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::string Sj(const char* utf8) {
    return cp932::fromUtf8(utf8).value();
}
QString Q(std::string_view cp932Bytes) {
    return QString::fromStdString(cp932::toUtf8(cp932Bytes));
}
std::string Date(int era, const char* yearUtf8) {
    char text[16];
    std::snprintf(text, sizeof text, "%1i%8s", era, Sj(yearUtf8).c_str());
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
    b.clientAddress.set(Sj(k ? "横浜市中区本町１" : "川崎市"));
    b.clientName.set(Sj(k ? "依頼太郎" : "依頼花子"));
    b.clientPhone.set(k ? "045-111-2222" : "044-9");
    b.ownerAddress.set(JoinOwnerAddress(k ? "231-0005" : "21", Sj(k ? "港北区" : "多摩区")));
    b.ownerName.set(Sj(k ? "所有一郎" : "所有次郎"));
    b.ownerPhone.set(k ? "045-333" : "03-1");
    b.siteLotNumber.set(Sj(k ? "中区１番地" : "多摩区２番地"));
    b.siteAddress.set(Sj(k ? "中区１－１" : "多摩区２－２"));
    b.structureType = k ? 1 : 2;
    b.buildingUse = k ? 3 : 1;
    b.buildingUseOther.set(Sj(k ? "倉庫" : "診療所"));
    b.garage = k ? 2 : 1;
    b.basement = k ? 1 : 0;
    for (int r = 0; r < 4; ++r) {
        b.constructionEraYear[r].set(Date(k ? r + 1 : 4 - r, k ? "５８" : "１２"));
        b.constructionMonth[r].set(Sj(k ? "１" : "１２"));
    }
    for (int r = 1; r < 4; ++r) b.extensionDone[r] = (r + k) % 2;
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
    f.foundationMemo.set(Sj(k ? "布基礎" : "べた基礎"));
    f.uniformFoundation = k;
    f.floorMaterial = k ? 2 : 0;
    f.horizontalBrace = k ? 1 : 2;
    f.largeVoid = k;
    f.uniformFloor = 1 - k;
    f.foundationClass = FoundationClassOf(f);
    d.GroundFoundationSurvey.groundClass = k ? 10 : 2;
    d.GroundFoundationSurvey.softGroundBasis.set(Sj(k ? "盛土" : "埋立地"));
    d.CriteriaEdition = k ? 2 : 4;
    d.DiagnosisMethod = k ? 3 : 1;
}

// What the controls show for a document, by the controls' names.
struct Shown {
    std::vector<std::pair<QString, QString>> edits;
    std::vector<QString> checkedRadios;
    std::vector<std::pair<QString, int>> combos;
    std::vector<std::pair<QString, bool>> checks;
};

Shown ShownFor(const Document& d) {
    Shown v;
    const BuildingDataRecord& b = d.BuildingData;
    const OwnerAddressParts owner = SplitOwnerAddress(b.ownerAddress.view());
    v.edits = {{"Eshiaddr", Q(b.clientAddress.view())},
               {"Eshiname", Q(b.clientName.view())},
               {"Eshitel", Q(b.clientPhone.view())},
               {"Epost", Q(owner.postcode)},
               {"Eshoaddr", Q(owner.address)},
               {"Eshoname", Q(b.ownerName.view())},
               {"Eshotel", Q(b.ownerPhone.view())},
               {"Eshozachiban", Q(b.siteLotNumber.view())},
               {"Eshozaaddr", Q(b.siteAddress.view())},
               {"Eyouto_sonota", Q(b.buildingUseOther.view())},
               {"Ekisomemo", Q(d.FoundationFloorSpec.foundationMemo.view())},
               {"Ekonkyo1", Q(d.GroundFoundationSurvey.softGroundBasis.view())}};
    for (int r = 0; r < 4; ++r) {
        const std::string date(b.constructionEraYear[r].view());
        v.edits.push_back({"Ekouyear" + QString::number(r), Q(date.substr(1)).trimmed()});
        v.edits.push_back({"Ekoumon" + QString::number(r), Q(b.constructionMonth[r].view())});
        v.combos.push_back({"Ekouyearn" + QString::number(r), date[0] - '0'});
    }
    for (int r = 1; r < 4; ++r)
        v.checks.push_back({"Ekouzou" + QString::number(r), b.extensionDone[r] == 1});
    const StoreyDataRecord& st = d.StoreyData;
    for (int s = 0; s < 3; ++s) {
        v.edits.push_back({"Ekenmen" + Suffix(s), Fixed("%.2f", st.buildingArea[s])});
        v.edits.push_back({"Enobe" + Suffix(s), Fixed("%.2f", st.totalFloorArea[s])});
        for (int f = 0; f < 3; ++f) {
            v.edits.push_back(
                {"Eyuka" + QString::number(f + 1) + Suffix(s), Fixed("%.2f", st.floorArea[f][s])});
            v.edits.push_back({"Etakasa" + QString::number(s) + QString::number(f + 1),
                               Fixed("%.3f", st.storeyHeight[s][f])});
        }
        v.checkedRadios.push_back("Rkaisu" + Suffix(s) + QString::number(st.topStorey[s]));
        v.checkedRadios.push_back("Rkoyaura" + Suffix(s) + QString::number(st.atticStorage[s]));
        v.checkedRadios.push_back("Rishiyou" + Suffix(s) + QString::number(st.weightClass[s]));
        v.checkedRadios.push_back("Rsshiyou" + Suffix(s) + QString::number(st.roofWallClass[s]));
    }
    const FoundationFloorSpecRecord& f = d.FoundationFloorSpec;
    const auto radio = [&](const char* name, int value) {
        v.checkedRadios.push_back(QString::fromLatin1(name) + QString::number(value));
    };
    radio("Rmodeb", d.CriteriaEdition);
    radio("Rmodea", d.DiagnosisMethod);
    radio("Rtatemonokouzou", b.structureType);
    radio("Rkonkouzou", b.mixedStructure);
    radio("Rtatemonoyouto", b.buildingUse);
    radio("Rgareiji", b.garage);
    radio("Rchika", b.basement);
    radio("Ekisok", f.foundationType);
    radio("Ekisoh", f.foundationCrack);
    radio("Ekisoa", f.footBracing);
    radio("Ryukashi", f.floorMaterial);
    radio("Rhiuchi", f.horizontalBrace);
    radio("Rfukinuke", f.largeVoid);
    v.combos.push_back({"Csekiset", SnowItemOfTerm(b.snowLoadTerm)});
    v.combos.push_back({"CchiikiZ", ZoneItemOf(b.zoneFactorZ)});
    v.checks.push_back({"Ckisokobetsu", f.uniformFoundation == 1});
    v.checks.push_back({"Cyukakobetsu", f.uniformFloor != 0});
    v.checks.push_back({"Eichijiru", MarkedlySoftGround(d.GroundFoundationSurvey.groundClass)});
    return v;
}

template <typename W>
W* Control(const QString& name) {
    W* w = GaiyouDlg->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

void ExpectShown(const Shown& v) {
    for (const auto& [name, text] : v.edits) {
        if (auto* e = Control<QLineEdit>(name)) {
            EXPECT_EQ(e->text(), text) << name.toStdString();
        }
    }
    for (const QString& name : v.checkedRadios) {
        if (auto* r = Control<QRadioButton>(name)) {
            EXPECT_TRUE(r->isChecked()) << name.toStdString();
        }
    }
    for (const auto& [name, index] : v.combos) {
        if (auto* c = Control<QComboBox>(name)) {
            EXPECT_EQ(c->currentIndex(), index) << name.toStdString();
        }
    }
    for (const auto& [name, ticked] : v.checks) {
        if (auto* c = Control<QCheckBox>(name)) {
            EXPECT_EQ(c->isChecked(), ticked) << name.toStdString();
        }
    }
}

void Type(const Shown& v) {
    for (const auto& [name, text] : v.edits)
        if (auto* e = Control<QLineEdit>(name)) e->setText(text);
    for (const QString& name : v.checkedRadios)
        if (auto* r = Control<QRadioButton>(name)) r->setChecked(true);
    for (const auto& [name, index] : v.combos)
        if (auto* c = Control<QComboBox>(name)) c->setCurrentIndex(index);
    for (const auto& [name, ticked] : v.checks)
        if (auto* c = Control<QCheckBox>(name)) c->setChecked(ticked);
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

class OverviewDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        saved_ = std::make_unique<Document>(Doc);
        savedApp_ = App;
        App = AppState{};
        Doc.BuildingData = {};
        Doc.StoreyData = {};
        Doc.GroundFoundationSurvey = {};
        Doc.FoundationFloorSpec = {};
        Doc.CriteriaEdition = Doc.DiagnosisMethod = 0;
        GaiyouDlg = new TGaiyouDlg(nullptr);
        GaiyouDlg->setHost(&host);
    }
    void TearDown() override {
        delete GaiyouDlg;
        GaiyouDlg = nullptr;
        Doc = *saved_;
        App = savedApp_;
    }
    // A fresh showing, as every modal showing is.
    static void Show() {
        GaiyouDlg->hide();
        GaiyouDlg->show();
    }
    FakeHost host;
    std::unique_ptr<Document> saved_;
    AppState savedApp_;
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
    Doc.BuildingData.constructionEraYear[2].set("");
    Show();
    EXPECT_EQ(GaiyouDlg->Ekouyearn[2]->currentIndex(), 5) << "no era digit: the empty era";
    Doc.BuildingData.constructionEraYear[2] = second->BuildingData.constructionEraYear[2];
    Show();
    ExpectShown(ShownFor(Doc));

    // The user types the first document over it; full-width digits are numbers too.
    Type(ShownFor(*first));
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
    Doc.BuildingData.ownerAddress.set(Sj("港北区日吉本町"));  // no postcode: split inside it
    Doc.BuildingData.constructionEraYear[1].set(Sj("4１５")); // as an old file may hold it
    Doc.CriteriaEdition = 1;
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
    Type(ShownFor(*other));
    GaiyouDlg->reject();
    ExpectSettingsEqual(Doc, *shown);
    EXPECT_FALSE(GaiyouDlg->okChangedDocument());
    EXPECT_EQ(App.Modified, 0);
}

TEST_F(OverviewDialogTest, OkSetsModifiedAndTellsTheMainWindow) {
    // Not loading: an OK without a change still makes the document modified.
    Show();
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

TEST_F(OverviewDialogTest, ALowMainWindowMakesTheDialogAsLowAtTheTopOfTheScreen) {
    Show();
    const QRect designed = GaiyouDlg->geometry();
    GaiyouDlg->reject();
    host.height = 676;
    Show();
    EXPECT_EQ(GaiyouDlg->geometry(), designed);
    GaiyouDlg->reject();
    host.height = 600;
    Show();
    EXPECT_EQ(GaiyouDlg->height(), 600);
    EXPECT_EQ(GaiyouDlg->y(), 0);
    GaiyouDlg->reject();
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
    user = [] {
        GaiyouDlg->Rkaisu[0][0]->setChecked(true); // 平屋
        GaiyouDlg->Ckisokobetsu->setChecked(true);
    };
    MainForm->BgaiyouClick();
    EXPECT_FALSE(MainForm->R2kai->isEnabled());
    EXPECT_FALSE(MainForm->R3kai->isEnabled());
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
    EXPECT_EQ(Doc.BuildingData.clientName.str(), Sj("山田"));
}

} // namespace
