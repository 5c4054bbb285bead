// The diagnosis report pages of the overview dialog driven as a user drives them: every control
// found by its name, shown from one document and typed over with another, also while the pages
// are hidden; the ground class, dates, certificates and findings as the engineer enters them.
#include "GaiyouFixture.h"

#include "model/AppState.h"
#include "model/Cp932.h"
#include "model/Model.h"
#include "overview/Gaiyou.h"
#include "overview/GaiyouReportTexts.h"
#include "support/Sjis.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Gives every field of the report pages a value of its own (`k` varies them all) and returns
// what the controls then show.
Shown Fill(Document& d, int k) {
    GroundFoundationSurveyRecord& g = d.GroundFoundationSurvey;
    ReportTextsRecord& r = d.ReportTexts;
    PermitRecordRecord& p = d.PermitRecord;
    Shown v;
    int i = 100 * k;
    const auto n = [](int value) { return QString::number(value); };
    const auto text = [&](const QString& name, TextField field) {
        field.set(std::to_string(i++));
        v.push_back({name, Q(field.view())});
    };
    const auto box = [&](const QString& name, int32_t& field) {
        field = (i++ + k) % 2;
        v.push_back({name, n(field)});
    };
    const auto radio = [&](const QString& prefix, int32_t& field, int count) {
        field = (i++ + k) % count;
        v.push_back({prefix + n(field), "1"});
    };
    const auto date = [&](const QString& era, const QString& year, TextField field) {
        const int e = i++;
        const std::string yearText = Sjis("年") + std::to_string(e % 10);
        char stored[32];
        std::snprintf(stored, sizeof stored, "%1i%8s", (e + k) % 6, yearText.c_str());
        field.set(stored);
        v.push_back({era, n((e + k) % 6)});
        v.push_back({year, Q(yearText)});
    };
    text("Echousa", g.surveyMethod);
    date("Echoyearn", "Echoyear", g.surveyEraYear);
    text("Echomon", g.surveyMonth);
    text("Echoday", g.surveyDay);
    text("Ejibanj", g.groundCondition);
    text("Ejibant", g.groundMeasure);
    radio("Echikei", g.slope, 2);
    text("Echikeij", g.slopeCondition);
    const char* slopeBoxes[3] = {"Echikeit1", "Echikeit2", "Echikeit0"};
    for (int j = 0; j < 3; ++j) box(slopeBoxes[j], g.slopeMeasure[j]);
    text("Ehibikasho", g.crackLocation);
    for (int j = 0; j < 3; ++j) box("Ehibigen" + n(j + 1), g.crackCause[j]);
    text("Ehibigeng", g.crackCauseText);
    radio("Rkanamono", g.columnEndHardware, 3);
    for (int j = 0; j < 4; ++j) box("Chashira" + n(j + 1), g.jointType[j]);
    radio("Rankab", g.anchorBolts, 3);
    radio("Rhagoita", g.beamColumnHardware, 3);
    radio("Rsujikana", g.braceEndHardware, 3);
    radio("Esujicho", g.braceSurvey, 3);
    text("Esujichobasho", g.braceSurveyLocation);
    radio("Esujikei", g.braceInCalculation, 3);
    text("Esujikeisoutei", g.braceAssumption);
    g.groundClass = k ? 10 : 0;
    v.push_back({"Ejiban" + n(g.groundClass % 8), "1"});
    v.push_back({"Eichijiru", n(g.groundClass / 8)});

    for (std::size_t j = 0; j < FindingCount; ++j) text(FindingBoxes[j].name, r.findings[j]);
    for (int t = 0; t < 4; ++t) {
        text("Esonota" + n(t + 1), r.otherNotes[3 * t]);
        for (int j = 0; j < 2; ++j)
            text("Esonota" + n(10 * (t + 1) + j + 1), r.otherNotes[3 * t + 1 + j]);
    }
    for (int j = 0; j < 6; ++j) text("Esmemo" + n(j + 1), r.diagnosticianMemo[j]);
    text("Euketsuke", r.receptionNumber);

    for (int j = 0; j < 3; ++j) box("Cchozumen" + n(j), p.drawingCheck[j]);
    radio("Rzumen0", p.otherDrawings, 2);
    radio("Rzumen1", p.publicLoan, 2);
    radio("Rtsishou1", p.extensionAfter1981, 2);
    radio("Rtsishou2", p.mixedStructureScope, 2);
    const int certificateDigit[3] = {1, 0, 2}; // 有り, 無し, 不明
    for (int s = 0; s < 4; ++s) {
        date("Ekakyearn" + n(s), "Ekakyear" + n(s), p.permitEraYear[s]);
        text("Ekakmon" + n(s), p.permitMonth[s]);
        text("Ekakday" + n(s), p.permitDay[s]);
        text("Ekaknum" + n(s), p.permitNumber[s]);
        box("Ekoufumei" + n(s), p.permitUnknown[s]);
        p.inspectionCertificate[s] = (s + k) % 3;
        v.push_back({"Ekensa" + n(10 * s + certificateDigit[p.inspectionCertificate[s]]), "1"});
    }
    return v;
}

void ExpectReportEqual(const Document& a, const Document& b) {
    EXPECT_TRUE(a.GroundFoundationSurvey == b.GroundFoundationSurvey);
    EXPECT_TRUE(a.ReportTexts == b.ReportTexts);
    EXPECT_TRUE(a.PermitRecord == b.PermitRecord);
}

class GaiyouReportTest : public GaiyouFixture {
protected:
    void Prepare() override {
        App = AppState{};
        App.CityEditionEnabled = 1;
        Doc.GroundFoundationSurvey = {};
        Doc.ReportTexts = {};
        Doc.PermitRecord = {};
    }
    static bool ReportShown() {
        return GaiyouDlg->PageControl1->isTabVisible(
            GaiyouDlg->PageControl1->indexOf(GaiyouDlg->TabSheet7));
    }
};

TEST_F(GaiyouReportTest, EveryFieldShowsAndStoresAlsoWhenThePagesAreHidden) {
    const auto first = std::make_unique<Document>(Doc);
    const auto second = std::make_unique<Document>(Doc);
    const Shown firstShown = Fill(*first, 0);
    const Shown secondShown = Fill(*second, 1);
    Doc = *first;
    Show();
    GaiyouDlg->reject();
    Doc = *second;
    Show();
    EXPECT_TRUE(ReportShown());
    Walk(secondShown, false);

    // The user types the first document over it; the reception number cannot be typed.
    Walk(firstShown, true);
    first->ReportTexts.receptionNumber = second->ReportTexts.receptionNumber;
    GaiyouDlg->OKBtnClick();
    ExpectReportEqual(Doc, *first);

    // Without the city edition the pages are hidden and OK stores what they were shown.
    App.CityEditionEnabled = 0;
    Doc = *second;
    Show();
    EXPECT_FALSE(ReportShown());
    GaiyouDlg->OKBtnClick();
    ExpectReportEqual(Doc, *second);

    // A document whose bracing is not answered (3) after one that was: no radio is checked,
    // and OK keeps 3; a ground class without a radio shows none, and OK keeps it too.
    App.CityEditionEnabled = 1;
    Doc.GroundFoundationSurvey.braceSurvey = Doc.GroundFoundationSurvey.braceInCalculation = 1;
    Show();
    Doc.GroundFoundationSurvey.braceSurvey = Doc.GroundFoundationSurvey.braceInCalculation = 3;
    Doc.GroundFoundationSurvey.groundClass = 13;
    Show();
    GaiyouReport& r = GaiyouDlg->Report;
    for (RadioGroup* group : {&r.braceSurveyGroup, &r.braceCalculationGroup, &r.groundGroup})
        EXPECT_EQ(group->checkedId(), -1);
    EXPECT_TRUE(GaiyouDlg->Eichijiru->isChecked());
    GaiyouDlg->OKBtnClick();
    EXPECT_EQ(Doc.GroundFoundationSurvey.braceSurvey, 3);
    EXPECT_EQ(Doc.GroundFoundationSurvey.braceInCalculation, 3);
    EXPECT_EQ(Doc.GroundFoundationSurvey.groundClass, 13);
}

TEST_F(GaiyouReportTest, DatesGroundCertificatesAndFindingsAsTheEngineerEntersThem) {
    GaiyouReport& r = GaiyouDlg->Report;
    Doc.PermitRecord.permitEraYear[1].set("3"); // an era without a year
    Show();
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(r.Ekensa[k][1]->isChecked()) << "無し by default";
    EXPECT_EQ(r.Ekakyearn[1]->currentIndex(), 3);
    EXPECT_EQ(r.Ekakyear[1]->text(), QString());

    r.Echoyearn->setCurrentIndex(4); // 平成
    r.Echoyear->setText(QStringLiteral("15"));
    r.Ejiban[2]->setChecked(true); // 悪い, on markedly soft ground
    GaiyouDlg->Eichijiru->setChecked(true);
    r.Ekensa[0][0]->setChecked(true); // 有り
    r.Ekensa[2][2]->setChecked(true); // 不明
    // A finding typed by hand: 86 bytes are kept whole, an 87th is refused.
    QLineEdit* finding = r.Findings[0]->lineEdit();
    finding->clear();
    const QString typed = QString(43, QChar(0x3042)); // 43 x "あ"
    finding->insert(typed);
    finding->insert(QStringLiteral("x"));
    EXPECT_EQ(finding->text(), typed);
    GaiyouDlg->OKBtnClick();

    EXPECT_EQ(Doc.GroundFoundationSurvey.surveyEraYear.str(), "4      15");
    EXPECT_EQ(Doc.GroundFoundationSurvey.groundClass, 10);
    const int32_t* certificates = Doc.PermitRecord.inspectionCertificate;
    EXPECT_EQ(std::vector<int32_t>(certificates, certificates + 4), (std::vector{0, 1, 2, 1}));
    EXPECT_EQ(Doc.ReportTexts.findings[0].str(), Sjis(typed.toStdString()));

    // Shown again: 悪い and the soft-ground box.
    r.Ejiban[0]->setChecked(true);
    GaiyouDlg->Eichijiru->setChecked(false);
    Show();
    EXPECT_TRUE(r.Ejiban[2]->isChecked());
    EXPECT_TRUE(GaiyouDlg->Eichijiru->isChecked());
}

TEST_F(GaiyouReportTest, EveryPresetAndCaptionIsCp932WithinItsLimit) {
    for (const FindingBox& box : FindingBoxes) {
        ASSERT_FALSE(box.presets.empty());
        EXPECT_STREQ(box.presets.front(), "") << box.name;
        for (const char* preset : box.presets) {
            const auto bytes = cp932::fromUtf8(preset);
            ASSERT_TRUE(bytes.has_value()) << preset;
            EXPECT_LE(bytes->size(), std::size_t(FindingBytes)) << preset;
        }
    }
    QStringList captions;
    for (int i = 0; i < GaiyouDlg->PageControl3->count(); ++i)
        captions << GaiyouDlg->PageControl3->tabText(i);
    for (auto* label : GaiyouDlg->TabSheet7->findChildren<QLabel*>()) captions << label->text();
    for (auto* box : GaiyouDlg->TabSheet7->findChildren<QGroupBox*>()) captions << box->title();
    for (auto* button : GaiyouDlg->TabSheet7->findChildren<QAbstractButton*>())
        captions << button->text();
    EXPECT_GT(captions.size(), 140);
    for (const QString& caption : captions)
        EXPECT_TRUE(cp932::fromUtf8(caption.toStdString()).has_value()) << caption.toStdString();
}

} // namespace
