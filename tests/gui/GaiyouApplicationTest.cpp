// The retrofit application pages of the overview dialog: every control found by its name,
// shown from one record and typed over with another; answers no control offers; the planned
// score; the start values.
#include "GaiyouFixture.h"

#include "calc/ResultSummary.h"
#include "document/Recompute.h"
#include "model/AppState.h"
#include "model/Cp932.h"
#include "model/Model.h"
#include "overview/Gaiyou.h"
#include "ui/Bindings.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

QStringList Names(const char* spaced) {
    return QString::fromLatin1(spaced).split(u' ');
}

// The controls of the pages by name and their fields: texts, and answers with the number of
// choices (0: the list's items). A radio group is named by its radios' names less the value.
struct Answer {
    QString name;
    int32_t* field;
    int choices;
};
struct Controls {
    std::vector<std::pair<QString, TextField>> texts;
    std::vector<Answer> answers;
};

Controls ControlsOf(RetrofitApplicationRecord& r) {
    Controls c;
    const auto texts = [&](const char* names, std::initializer_list<TextField> fields) {
        int i = 0;
        for (TextField f : fields) c.texts.push_back({Names(names)[i++], f});
    };
    texts("Eseknum Esekname Esekaddr Esektel Esekfax Ekounum Ekouname Ekouaddr Ekoutel Ekoufax "
          "Eshomon Eshoday Eshounum Ehokyou Eshindanhyouten Edourofu Eshikichi Eskenmen "
          "Esyouseki Ehkenmen Ehkenpei Enobeyuka Eyouseki",
          {r.designerNumber,  r.designerName,       r.designerAddress,      r.designerPhone,
           r.designerFax,     r.contractorNumber,   r.contractorName,       r.contractorAddress,
           r.contractorPhone, r.contractorFax,      r.approvalMonth,        r.approvalDay,
           r.approvalNumber,  r.reinforcementNo,    r.diagnosisScoreText,   r.roadWidth,
           r.siteArea,        r.designatedCoverage, r.designatedFloorRatio, r.buildingAreaText,
           r.coverageRatio,   r.totalFloorAreaText, r.floorAreaRatio});
    for (int i = 0; i < 5; ++i)
        c.texts.push_back({"Ekihon" + QString::number(i + 1), r.basicPolicy[i]});
    for (int i = 0; i < 4; ++i)
        c.texts.push_back({"Efuteki" + QString::number(i + 1), r.nonConformityMeasures[i]});
    for (int i = 0; i < 5; ++i)
        c.texts.push_back({"Egnai" + QString::number(i + 1), r.innerWallSpecText[i]});
    const QStringList outline = Names("kiso kabe yane sono");
    for (int i = 0; i < 4; ++i) {
        c.answers.push_back({"Rgai" + outline[i], &r.retrofitDone[i], 2});
        for (int j = 0; j < 3; ++j)
            c.texts.push_back(
                {"Egai" + outline[i] + QString::number(j + 1), r.retrofitText[3 * i + j]});
    }

    const auto answers = [&](const char* names, int32_t* fields, int choices) {
        int i = 0;
        for (const QString& name : Names(names)) c.answers.push_back({name, &fields[i++], choices});
    };
    answers("Cyouto", &r.zoningDistrict, 0);
    answers("Rtoshutsu", &r.roadProjection, 2);
    answers("Rkitagawa", &r.northSlope, 2);
    answers("Rdourosha", &r.roadSlope, 2);
    for (int k = 0; k < 2; ++k) {
        const char* suffix = k == 0 ? "g" : "k";
        const QStringList law =
            Names("Csetsu Cdouro Chekimen Cyouseki Ckenpei Cshasen Ckoudo Chourei Ckyouai");
        for (int i = 0; i < 9; ++i) c.answers.push_back({law[i] + suffix, &r.lawCheck[i][k], 2});
        const QStringList spec = Names("Cshiyou2 Cshiyoug Cshiyouy Cshiyous Cshiyou2c Cshiyou1c "
                                       "Cshiyout Cshiyouk Cshiyouj Cshiyouc");
        for (int i = 0; i < 10; ++i)
            c.answers.push_back({spec[i] + suffix, &r.specChoice[i][k], 0});
        const QStringList problems = Names("Rmondaij Rmondaik Rmondaiy Rmondaio Rmondair");
        for (int i = 0; i < 5; ++i)
            c.answers.push_back({problems[i] + suffix, &r.problemRepair[i][k], 2});
    }
    answers("Cmondair", &r.roofTileNotApplicable, 2);
    answers("Rhfudou Rhtekkin Rhkeisan Rhsujikai Rhgouhan Rhhiuchi Rhkanamono Rhshitabari "
            "Rhkoyaura Chshinsui Chkasai Chgake Chkuruma",
            r.hearing1, 2);
    const QStringList hearing2 = Names("Rryane Rrgaihekir Rrtoi Rrroshutsu Rrgaihekik Rrnaiheki "
                                       "Rryokur Rryokuk Rryuka Rrkiso Rrshiro");
    const int hearing2Choices[11] = {3, 2, 3, 2, 2, 3, 2, 2, 3, 2, 2};
    for (int n = 0; n < 11; ++n)
        c.answers.push_back({hearing2[n], &r.hearing2[n], hearing2Choices[n]});
    answers("Cgjiban Cgchikei", r.surveyGroundTerrain, 0);
    answers("Rgekijouka", &r.liquefaction, 2);
    answers("Cgkiso Cgkeijou Cgyane Cggaiheki", r.surveyItem, 0);
    answers("Cgnaiheki Cgnaihek2 Cgnaihek3 Cgnaihek4 Cgnaihek5 Cgnaihek6", r.innerWallSpec, 2);
    answers("Cg1hashira Cg2hashira", r.columnHardware, 0);
    answers("Cgsuji1 Cgsuji2 Cgsuji3 Cgsuji4 Cgsuji5 Cgsuji6 Cgsuji7 Cgsuji8", r.braceSpec, 2);
    answers("Cgchika Cghei", r.surveyOther, 0);
    answers("Cgouga1 Cgouga2 Cgouga3 Cgouga4 Cgouga5", r.jointConcern, 2);
    answers("Cgsuihei1 Cgsuihei2 Rgsuihei3", r.diaphragmConcern, 2);
    answers("Cgyuka1 Cgyuka1g Cgyuka2 Cgyuka2g Cgyuka21 Rgyuka22 Cgyuka3 Cgyuka3g Cgyuka31 Cgyuka4 "
            "Cgyuka4g Cgyuka41 Rgyuka42 Cgsaigai1 Cgsaigai2 Cgsaigai3 Cgsaigai4",
            r.floorSurvey, 2);
    return c;
}

QWidget* Find(const QString& name) {
    return GaiyouDlg->findChild<QWidget*>(name);
}

// Every field with a value of its own: the text fields by their text, the answers by bit
// `round` of their index, flipped by `flip` (so that every two answers differ in some round).
RetrofitApplicationRecord Filled(int round, bool flip) {
    RetrofitApplicationRecord r;
    Controls c = ControlsOf(r);
    int i = 0;
    for (auto& [name, field] : c.texts) field.set(std::to_string(1000 * round + 2 * i++ + flip));
    r.approvalEraYear.set(flip ? "4      15" : "3      60");
    i = 0;
    for (Answer& a : c.answers) {
        auto* list = qobject_cast<QComboBox*>(Find(a.name));
        const int last = (list ? list->count() : a.choices) - 1;
        *a.field = ((i++ >> round) & 1) != flip ? last : 0;
    }
    return r;
}

// Checks that the controls show `r`, or (type) puts it into them as a user would.
void Walk(RetrofitApplicationRecord& r, bool type) {
    Controls c = ControlsOf(r);
    for (auto& [name, field] : c.texts) {
        auto* edit = qobject_cast<QLineEdit*>(Find(name));
        if (!edit) edit = qobject_cast<QComboBox*>(Find(name))->lineEdit();
        ASSERT_NE(edit, nullptr) << name.toStdString();
        if (type) edit->setText(Q(field.view()));
        EXPECT_EQ(edit->text(), Q(field.view())) << name.toStdString();
    }
    auto* era = qobject_cast<QComboBox*>(Find("Eshoyearn"));
    auto* year = qobject_cast<QLineEdit*>(Find("Eshoyear"));
    if (type) era->setCurrentIndex(r.approvalEraYear.view()[0] - '0');
    if (type) year->setText(Q(r.approvalEraYear.view().substr(1)).trimmed());
    EXPECT_EQ(era->currentIndex(), r.approvalEraYear.view()[0] - '0');
    EXPECT_EQ(year->text(), Q(r.approvalEraYear.view().substr(1)).trimmed());
    for (const Answer& a : c.answers) {
        QWidget* w = Find(a.name);
        if (auto* list = qobject_cast<QComboBox*>(w)) {
            if (type) list->setCurrentIndex(*a.field);
            EXPECT_EQ(list->currentIndex(), *a.field) << a.name.toStdString();
            continue;
        }
        auto* box =
            qobject_cast<QAbstractButton*>(w ? w : Find(a.name + QString::number(*a.field)));
        ASSERT_NE(box, nullptr) << a.name.toStdString() << *a.field;
        const bool on = w ? *a.field == 1 : true;
        if (type) box->setChecked(on);
        EXPECT_EQ(box->isChecked(), on) << a.name.toStdString();
    }
}

class GaiyouApplicationTest : public GaiyouFixture {
protected:
    void Prepare() override {
        App = AppState{};
        App.CityEditionEnabled = 1;
        Doc.RetrofitApplication = {};
    }
    void TearDown() override {
        GaiyouFixture::TearDown();
        MarkDocumentChanged(); // the scores set here are no result of a run
    }
};

TEST_F(GaiyouApplicationTest, EveryFieldShowsInItsControlAndStoresWhatIsTyped) {
    // Each round shows a record over the answers of the previous one and types another.
    for (int round = 0; round < 8; ++round) {
        RetrofitApplicationRecord shown = Filled(round, false), typed = Filled(round, true);
        Doc.RetrofitApplication = shown;
        Show();
        Walk(shown, false);
        Walk(typed, true);
        GaiyouDlg->OKBtnClick();
        EXPECT_TRUE(Doc.RetrofitApplication == typed) << round;
    }

    // Without the city edition the pages are hidden, and OK stores what they show.
    App.CityEditionEnabled = 0;
    const RetrofitApplicationRecord loaded = Filled(0, false);
    Doc.RetrofitApplication = loaded;
    Show();
    EXPECT_FALSE(GaiyouDlg->PageControl1->isTabVisible(2));
    GaiyouDlg->OKBtnClick();
    EXPECT_TRUE(Doc.RetrofitApplication == loaded);
}

// At its own size the dialog squeezes no page's captions and scrolls only down a long page.
TEST_F(GaiyouApplicationTest, PagesFitTheWidthAndScrollOnlyWhenLong) {
    Show();
    for (QTabWidget* pages :
         {GaiyouDlg->PageControl2, GaiyouDlg->PageControl3, GaiyouDlg->PageControl4}) {
        GaiyouDlg->PageControl1->setCurrentWidget(pages->parentWidget());
        QCoreApplication::processEvents();
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            QCoreApplication::processEvents();
            EXPECT_FALSE(Scroll(pages)->horizontalScrollBar()->isVisible()) << i;
        }
    }
    GaiyouDlg->PageControl4->setCurrentIndex(1); // 補強概要, a short one
    QCoreApplication::processEvents();
    EXPECT_FALSE(Scroll(GaiyouDlg->PageControl4)->verticalScrollBar()->isVisible());
}

TEST_F(GaiyouApplicationTest, AnswersNoControlOffersShowNothingAndStay) {
    RetrofitApplicationRecord r = Filled(0, false);
    Doc.RetrofitApplication = r;
    Show(); // every group and list shows an answer before
    GaiyouDlg->reject();
    r.hearing2[1] = 2; // a two-way group
    r.liquefaction = 3;
    r.diaphragmConcern[2] = -1;
    r.floorSurvey[12] = 7;
    r.zoningDistrict = 20;
    r.specChoice[3][1] = 20;
    r.surveyOther[1] = -1;
    Doc.RetrofitApplication = r;
    Show();
    for (const char* group : {"Rrgaihekir", "Rgekijouka", "Rgsuihei3", "Rgyuka42"})
        for (int v = 0; v < 2; ++v)
            EXPECT_FALSE(
                qobject_cast<QAbstractButton*>(Find(group + QString::number(v)))->isChecked())
                << group << v;
    for (const char* list : {"Cyouto", "Cshiyousk", "Cghei"})
        EXPECT_EQ(qobject_cast<QComboBox*>(Find(list))->currentIndex(), -1) << list;
    GaiyouDlg->OKBtnClick();
    EXPECT_TRUE(Doc.RetrofitApplication == r);
}

TEST_F(GaiyouApplicationTest, PlannedScoreIsTheCurrentPlansScoreCut) {
    auto* label = qobject_cast<QLabel*>(Find("Label23"));
    Show();
    EXPECT_EQ(label->text(), QStringLiteral("----"));

    App.CurrentScenario = 1;
    EnsureRecomputed();
    const std::pair<double, const char*> cases[] = {
        {1.079, "1.07"}, {1.0, "1.00"}, {0.996, "0.99"}, {0.0, "0.00"}, {-0.0, "0.00"}};
    for (const auto& [score, shown] : cases) {
        ScoreRes.BuildingScore[1][0] = score;
        Show();
        EXPECT_EQ(label->text(), QString::fromLatin1(shown)) << score;
    }
    // A document changed since the last run (a file being opened) is computed first.
    ScoreRes.BuildingScore[1][0] = 1.079;
    MarkDocumentChanged();
    Show();
    EXPECT_EQ(label->text(),
              QString::asprintf("%4.2f", TruncatedScore(ScoreRes.BuildingScore[1][0])));
    EXPECT_NE(label->text(), QStringLiteral("1.07"));
}

TEST_F(GaiyouApplicationTest, WidePagesScrollHiddenOnesTakeNoRoomAndTheDialogStaysOnTheScreen) {
    Show(); // wholly on this small screen
    const QRect screen = GaiyouDlg->screen()->availableGeometry();
    EXPECT_EQ(GaiyouDlg->frameGeometry().intersected(screen).width(),
              GaiyouDlg->frameGeometry().width());
    GaiyouDlg->PageControl1->setCurrentWidget(GaiyouDlg->TabSheet10);
    for (int i = 0; i < GaiyouDlg->PageControl4->count(); ++i) {
        GaiyouDlg->PageControl4->setCurrentIndex(i);
        QApplication::processEvents(); // lays the scroll box out
        const QWidget* page = Scroll(GaiyouDlg->PageControl4)->widget();
        EXPECT_GE(page->width(), page->minimumSizeHint().width()) << i; // not cut off
    }
    App.CityEditionEnabled = 0;
    Show();
    QApplication::processEvents();
    EXPECT_EQ(Scroll(GaiyouDlg->PageControl2)->horizontalScrollBar()->maximum(), 0);
}

TEST_F(GaiyouApplicationTest, StartValuesAndTextsAsTheyStand) {
    Show();
    for (const char* address : {"Esekaddr", "Ekouaddr"})
        EXPECT_EQ(qobject_cast<QLineEdit*>(Find(address))->text(), QStringLiteral("vu市"));
    for (const char* phone : {"Esektel", "Esekfax", "Ekoutel", "Ekoufax"})
        EXPECT_EQ(qobject_cast<QLineEdit*>(Find(phone))->text(), QStringLiteral("045-"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(Find("Eshindanhyouten"))->text(), QStringLiteral("0.0"));
    EXPECT_EQ(qobject_cast<QComboBox*>(Find("Eshoyearn"))->currentText(), QString());

    // Every list shows its first item: an empty one but for three lists.
    const QString firsts[3][2] = {
        {"Cyouto", "１低"},
        {"Cgchika", "木造と一体の地下室（収納・居間）がある（床面積・天井高さ計測）"},
        {"Cghei", "塀・門扉なし"}};
    int lists = 0;
    for (auto* list : GaiyouDlg->TabSheet10->findChildren<QComboBox*>()) {
        if (list->isEditable() || list->objectName() == "Eshoyearn") continue;
        ++lists;
        QString first;
        for (const auto& [name, text] : firsts)
            if (list->objectName() == name) first = text;
        EXPECT_EQ(list->currentIndex(), 0) << list->objectName().toStdString();
        EXPECT_EQ(list->currentText(), first) << list->objectName().toStdString();
    }
    EXPECT_EQ(lists, 1 + 20 + 6 + 2 + 2 + 7);

    // Every text of the pages is written in CP932.
    std::vector<QString> texts;
    for (auto* list : GaiyouDlg->TabSheet10->findChildren<QComboBox*>())
        for (int i = 0; i < list->count(); ++i) texts.push_back(list->itemText(i));
    for (auto* button : GaiyouDlg->TabSheet10->findChildren<QAbstractButton*>())
        texts.push_back(button->text());
    for (auto* label : GaiyouDlg->TabSheet10->findChildren<QLabel*>())
        texts.push_back(label->text());
    for (auto* group : GaiyouDlg->TabSheet10->findChildren<QGroupBox*>())
        texts.push_back(group->title());
    for (int i = 0; i < GaiyouDlg->PageControl4->count(); ++i)
        texts.push_back(GaiyouDlg->PageControl4->tabText(i));
    EXPECT_GT(texts.size(), 600u);
    for (const QString& text : texts) {
        const auto bytes = cp932::fromUtf8(text.toStdString());
        EXPECT_TRUE(bytes && Q(*bytes) == text) << text.toStdString(); // "〜" comes back "～"
    }
}

} // namespace
