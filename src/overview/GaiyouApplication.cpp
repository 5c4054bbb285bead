#include "overview/GaiyouApplication.h"

#include "calc/ResultSummary.h"
#include "document/Recompute.h"
#include "model/AppState.h"
#include "model/Model.h"
#include "model/ShownNumbers.h"
#include "overview/GaiyouApplicationItems.h"
#include "ui/Controls.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <memory>

namespace {

namespace items = retrofit_items;

QLabel* Text(const char* text) {
    return new QLabel(U(text));
}

QGroupBox* Group(const char* caption) {
    return new QGroupBox(U(caption));
}

QLineEdit* Edit(const QString& name, int width = 0) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    if (width > 0) edit->setFixedWidth(width);
    return edit;
}

QCheckBox* Check(const QString& name, const char* caption) {
    auto* box = new QCheckBox(U(caption));
    box->setObjectName(name);
    return box;
}

// A fixed list: long items widen the popup, not the page.
QComboBox* List(const QString& name, ItemList items, int shownChars = 24) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    for (const char* item : items) combo->addItem(U(item));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(shownChars);
    return combo;
}

// A box the user types into or picks a line for; these have no preset lines.
QComboBox* FreeLine(const QString& name) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setFixedWidth(465);
    return combo;
}

QString Named(const char* prefix, int n) {
    return U(prefix) + QString::number(n);
}

// Widgets side by side in one row of a grid, from `column` on.
void Row(QGridLayout* grid, int row, std::initializer_list<QWidget*> widgets, int column = 0) {
    for (QWidget* w : widgets) grid->addWidget(w, row, column++);
}

// Shows the score of the document on screen: the plan may not have been repainted since the
// document changed (a file being opened), so the results are brought up to date first.
class PlannedScoreLabel final : public FieldBinding {
public:
    explicit PlannedScoreLabel(QLabel* label) : label_(label) {}
    void load() override { label_->setText(PlannedScoreText()); }
    void store() override {}

private:
    QLabel* label_;
};

} // namespace

QString PlannedScoreText() {
    const int scenario = App.CurrentScenario;
    if (scenario <= 0 || scenario >= Scenarios) return QStringLiteral("----");
    EnsureRecomputed();
    const double score = TruncatedScore(ScoreRes.BuildingScore[scenario][0]);
    char text[32];
    FormatShown(text, sizeof text, "%4.2f", score);
    return QString::fromLatin1(text);
}

RadioGroup& GaiyouApplication::Radios(const QString& prefix,
                                      std::initializer_list<const char*> captions,
                                      QBoxLayout* layout) {
    RadioGroup& group = groups_.emplace_back(owner_);
    int value = 0;
    for (const char* caption : captions) {
        auto* radio = new QRadioButton(U(caption));
        radio->setObjectName(prefix + QString::number(value));
        group.add(radio, value++);
        layout->addWidget(radio);
    }
    return group;
}

RadioGroup& GaiyouApplication::UpperLowerPair(const QString& prefix, const char* upper,
                                              const char* lower, QBoxLayout* layout) {
    RadioGroup& group = groups_.emplace_back(owner_);
    for (const auto& [caption, value] : {std::pair{upper, 1}, std::pair{lower, 0}}) {
        auto* radio = new QRadioButton(U(caption));
        radio->setObjectName(prefix + QString::number(value));
        group.add(radio, value);
        layout->addWidget(radio);
    }
    return group;
}

// --- 事業者・方針 ---------------------------------------------------------------------------

void GaiyouApplication::BuildFirmsPage(QWidget* page, FieldBindings& fields) {
    RetrofitApplicationRecord& r = Doc.RetrofitApplication;
    auto* layout = new QGridLayout(page);

    struct Firm {
        const char* caption;
        const char* prefix;
        QLineEdit** edits;
        TextField number, name, address, phone, fax;
    };
    const Firm firms[2] = {
        {"耐震設計事業者", "Esek", Esek, r.designerNumber, r.designerName, r.designerAddress,
         r.designerPhone, r.designerFax},
        {"補強工事事業者", "Ekou", Ekou, r.contractorNumber, r.contractorName, r.contractorAddress,
         r.contractorPhone, r.contractorFax},
    };
    const char* suffixes[5] = {"num", "name", "addr", "tel", "fax"};
    const char* captions[5] = {"本市登録事業者 Ｎｏ．", "氏　名", "所在地", "電話", "ＦＡＸ"};
    for (int f = 0; f < 2; ++f) {
        const Firm& firm = firms[f];
        QGroupBox* box = Group(firm.caption);
        auto* grid = new QGridLayout(box);
        for (int i = 0; i < 5; ++i) {
            firm.edits[i] = Edit(U(firm.prefix) + U(suffixes[i]), i == 1 || i == 2 ? 220 : 120);
            // The number's caption stands over its box, the others beside theirs.
            if (i == 0) {
                grid->addWidget(Text(captions[0]), 0, 0, 1, 2);
                grid->addWidget(firm.edits[0], 1, 1);
            } else {
                Row(grid, i + 1, {Text(captions[i]), firm.edits[i]});
            }
        }
        layout->addWidget(box, 0, f);
        fields.text(firm.edits[0], firm.number)
            .text(firm.edits[1], firm.name, 28)
            .text(firm.edits[2], firm.address, 28)
            .text(firm.edits[3], firm.phone, 16)
            .text(firm.edits[4], firm.fax, 16);
    }

    QGroupBox* approval = Group("耐震設計計画承認通知番号");
    auto* approvalRow = new QHBoxLayout(approval);
    Eshoyearn = new QComboBox;
    Eshoyearn->setObjectName(QStringLiteral("Eshoyearn"));
    FillEraCombo(Eshoyearn);
    Eshoyearn->setCurrentIndex(5);
    Eshoyear = Edit(QStringLiteral("Eshoyear"), 40);
    Eshomon = Edit(QStringLiteral("Eshomon"), 30);
    Eshoday = Edit(QStringLiteral("Eshoday"), 30);
    Eshounum = Edit(QStringLiteral("Eshounum"), 140);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Eshoyearn, Eshoyear, Text("年"), Eshomon, Text("月"),
                                         Eshoday, Text("日"), Text("第"), Eshounum, Text("号")})
        approvalRow->addWidget(w);
    approvalRow->addStretch(1);
    layout->addWidget(approval, 1, 0, 1, 2);
    fields.date(Eshoyearn, Eshoyear, r.approvalEraYear)
        .text(Eshomon, r.approvalMonth, 4)
        .text(Eshoday, r.approvalDay, 4)
        .text(Eshounum, r.approvalNumber, 22);

    auto* plan = new QGroupBox;
    auto* planRow = new QHBoxLayout(plan);
    Ehokyou = Edit(QStringLiteral("Ehokyou"), 40);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Text("補強計画"), Text("回数"), Ehokyou, Text("回目")})
        planRow->addWidget(w);
    planRow->addStretch(1);
    layout->addWidget(plan, 2, 0);
    fields.text(Ehokyou, r.reinforcementNo);

    QGroupBox* score = Group("耐震診断総合評点");
    auto* scoreGrid = new QGridLayout(score);
    Eshindanhyouten = Edit(QStringLiteral("Eshindanhyouten"), 50);
    Label23 = Text("0.00");
    Label23->setObjectName(QStringLiteral("Label23"));
    Row(scoreGrid, 0, {Text("改修前"), Eshindanhyouten});
    Row(scoreGrid, 1, {Text("改修後想定"), Label23});
    layout->addWidget(score, 2, 1);
    fields.text(Eshindanhyouten, r.diagnosisScoreText);

    QGroupBox* policy = Group("耐震補強設計における基本方針");
    auto* policyLines = new QVBoxLayout(policy);
    for (int i = 0; i < 5; ++i) {
        Ekihon[i] = Edit(Named("Ekihon", i + 1));
        policyLines->addWidget(Ekihon[i]);
        fields.text(Ekihon[i], r.basicPolicy[i]);
    }
    layout->addWidget(policy, 3, 0, 1, 2);
    layout->setRowStretch(4, 1);
    fields.add(std::make_unique<PlannedScoreLabel>(Label23));
}

// --- 補強概要 -------------------------------------------------------------------------------

void GaiyouApplication::BuildOutlinePage(QWidget* page, FieldBindings& fields) {
    RetrofitApplicationRecord& r = Doc.RetrofitApplication;
    auto* layout = new QVBoxLayout(page);
    const char* outline[4][2] = {
        {"基礎", "kiso"}, {"壁", "kabe"}, {"屋根", "yane"}, {"その他", "sono"}};
    for (int i = 0; i < 4; ++i) {
        QGroupBox* box = Group(outline[i][0]);
        auto* row = new QHBoxLayout(box);
        auto* radios = new QVBoxLayout;
        RadioGroup& done = Radios(U("Rgai") + U(outline[i][1]), {"改修無", "改修有"}, radios);
        row->addLayout(radios);
        auto* lines = new QVBoxLayout;
        for (int j = 0; j < 3; ++j) {
            RetrofitTexts[i][j] = FreeLine(U("Egai") + U(outline[i][1]) + QString::number(j + 1));
            lines->addWidget(RetrofitTexts[i][j]);
        }
        row->addLayout(lines);
        row->addStretch(1);
        layout->addWidget(box);
        fields.radios(done, r.retrofitDone[i], RadioRule::OthersShowAs(1));
        for (int j = 0; j < 3; ++j) fields.text(RetrofitTexts[i][j], r.retrofitText[3 * i + j], 86);
    }
    layout->addStretch(1);
}

// --- 法令 -----------------------------------------------------------------------------------

void GaiyouApplication::BuildLawPage(QWidget* page, FieldBindings& fields) {
    RetrofitApplicationRecord& r = Doc.RetrofitApplication;
    auto* layout = new QGridLayout(page);

    QGroupBox* table = Group("建築基準法令チェック表");
    auto* tableGrid = new QGridLayout(table);
    Edourofu = Edit(QStringLiteral("Edourofu"), 50);
    Eshikichi = Edit(QStringLiteral("Eshikichi"), 50);
    Row(tableGrid, 0, {Text("道路幅員"), Edourofu, Text("ｍ")});
    Row(tableGrid, 1, {Text("敷地面積"), Eshikichi, Text("㎡")});

    QGroupBox* zoning = Group("用途地域");
    auto* zoningGrid = new QGridLayout(zoning);
    Cyouto = List(QStringLiteral("Cyouto"), items::ZoningDistricts, 6);
    Eskenmen = Edit(QStringLiteral("Eskenmen"), 50);
    Esyouseki = Edit(QStringLiteral("Esyouseki"), 50);
    zoningGrid->addWidget(Cyouto, 0, 0, 1, 3);
    Row(zoningGrid, 1, {Text("建ぺい率"), Eskenmen, Text("％")});
    Row(zoningGrid, 2, {Text("容積率"), Esyouseki, Text("％")});
    tableGrid->addWidget(zoning, 0, 3, 3, 1);

    // The allowances stay as designed: nothing computes them.
    const auto areaGroup = [](const char* caption, QLineEdit* area, const char* ratioCaption,
                              QLineEdit* ratio) {
        QGroupBox* box = Group(caption);
        auto* grid = new QGridLayout(box);
        Row(grid, 0, {area, Text("㎡"), Text(ratioCaption), ratio, Text("％")});
        Row(grid, 1, {Text("許容値（"), Text("000.0"), Text("㎡）")});
        return box;
    };
    Ehkenmen = Edit(QStringLiteral("Ehkenmen"), 50);
    Ehkenpei = Edit(QStringLiteral("Ehkenpei"), 50);
    Enobeyuka = Edit(QStringLiteral("Enobeyuka"), 50);
    Eyouseki = Edit(QStringLiteral("Eyouseki"), 50);
    tableGrid->addWidget(areaGroup("建築面積", Ehkenmen, "建ぺい率", Ehkenpei), 3, 0, 1, 3);
    tableGrid->addWidget(areaGroup("延べ面積", Enobeyuka, "容積率", Eyouseki), 3, 3);

    struct Pair {
        const char* caption;
        const char* prefix;
        const char* yes; // value 1
        const char* no;  // value 0
        int32_t& field;
    };
    const Pair pairs[3] = {
        {"道路突出の有無（狭隘道路）", "Rtoshutsu", "有", "無", r.roadProjection},
        {"北側斜線", "Rkitagawa", "適合", "不適合", r.northSlope},
        {"道路斜線", "Rdourosha", "適合", "不適合", r.roadSlope},
    };
    RadioGroup* pairGroups[3];
    for (int i = 0; i < 3; ++i) {
        QGroupBox* box = Group(pairs[i].caption);
        pairGroups[i] =
            &UpperLowerPair(U(pairs[i].prefix), pairs[i].yes, pairs[i].no, new QHBoxLayout(box));
        tableGrid->addWidget(box, 4, i == 0 ? 0 : i + 1, 1, i == 0 ? 2 : 1);
    }
    layout->addWidget(table, 0, 0);

    fields.text(Edourofu, r.roadWidth)
        .text(Eshikichi, r.siteArea)
        .comboIndex(Cyouto, r.zoningDistrict)
        .text(Eskenmen, r.designatedCoverage)
        .text(Esyouseki, r.designatedFloorRatio)
        .text(Ehkenmen, r.buildingAreaText)
        .text(Ehkenpei, r.coverageRatio)
        .text(Enobeyuka, r.totalFloorAreaText)
        .text(Eyouseki, r.floorAreaRatio);
    for (int i = 0; i < 3; ++i)
        fields.radios(*pairGroups[i], pairs[i].field, RadioRule::OthersShowAs(1));

    QGroupBox* measures = Group("その他（建築基準法不適合の場合の処置等）");
    auto* measureLines = new QVBoxLayout(measures);
    for (int i = 0; i < 4; ++i) {
        Efuteki[i] = Edit(Named("Efuteki", i + 1));
        measureLines->addWidget(Efuteki[i]);
        fields.text(Efuteki[i], r.nonConformityMeasures[i]);
    }
    layout->addWidget(measures, 1, 0);

    // Ticked means conforming: an unticked item does not conform.
    const char* checks[9][3] = {
        {"敷地の接道（建築基準法４３条）", "Csetsug", "Csetsuk"},
        {"道路内建築制限（建築基準法４４条）", "Cdourog", "Cdourok"},
        {"壁面線による建築制限（建築基準法４７条）", "Chekimeng", "Chekimenk"},
        {"容積率制限（建築基準法５２条）", "Cyousekig", "Cyousekik"},
        {"建蔽率率制限（建築基準法５３条）", "Ckenpeig", "Ckenpeik"},
        {"道路斜線制限（建築基準法５６条）", "Cshaseng", "Cshasenk"},
        {"高度地区制限（建築基準法５８条）", "Ckoudog", "Ckoudok"},
        {"その他特に必要な関連法令（まちづくり調整局が物件別に明示した遵守すべき関連法令）",
         "Choureig", "Choureik"},
        {"狭隘道路の有無", "Ckyouaig", "Ckyouaik"},
    };
    QGroupBox* law = Group("法規チェック");
    auto* lawGrid = new QGridLayout(law);
    lawGrid->addWidget(Text("適合している場合にチェックする（チェック無き項目は不適となる）"), 0, 0,
                       1, 2);
    for (int i = 0; i < 9; ++i) {
        QGroupBox* item = Group(checks[i][0]);
        auto* itemRow = new QHBoxLayout(item);
        for (int k = 0; k < 2; ++k) {
            LawChecks[i][k] = Check(U(checks[i][1 + k]), k == 0 ? "現況" : "補強後");
            itemRow->addWidget(LawChecks[i][k]);
            fields.check(LawChecks[i][k], r.lawCheck[i][k]);
        }
        itemRow->addStretch(1);
        // The long caption of the eighth takes a line of its own; the last follows it.
        if (i < 7)
            lawGrid->addWidget(item, 1 + i / 2, i % 2);
        else
            lawGrid->addWidget(item, i - 2, 0, 1, i == 7 ? 2 : 1);
    }
    layout->addWidget(law, 2, 0);
    layout->setRowStretch(3, 1);
}

// --- 建物仕様 -------------------------------------------------------------------------------

void GaiyouApplication::BuildSpecPage(QWidget* page, FieldBindings& fields) {
    RetrofitApplicationRecord& r = Doc.RetrofitApplication;
    struct SpecRow {
        const char* caption;
        const char* prefix; // + g 現況, + k 補強後
        ItemList items;
    };
    const SpecRow rows[10] = {
        {"２階床下地仕様", "Cshiyou2", items::FloorBaseSpecs},
        {"下屋下地仕様", "Cshiyoug", items::RoofBaseSpecs},
        {"屋根下地仕様", "Cshiyouy", items::RoofBaseSpecs},
        {"筋かい仕様", "Cshiyous", items::BraceSpecs},
        {"２階柱頭仕様", "Cshiyou2c", items::ColumnTopSpecs},
        {"１階柱頭仕様", "Cshiyou1c", items::ColumnTopSpecs},
        {"建物仕様", "Cshiyout", items::RoofWallSpecs},
        {"基礎仕様", "Cshiyouk", items::FoundationSpecs},
        {"地盤", "Cshiyouj", items::GroundSpecs},
        {"地形", "Cshiyouc", items::TerrainSpecs},
    };
    auto* layout = new QVBoxLayout(page);
    QGroupBox* spec = Group("建物仕様");
    auto* grid = new QGridLayout(spec);
    int line = 0;
    for (int i = 0; i < 10; ++i) {
        grid->addWidget(Text(rows[i].caption), line, 0);
        for (int k = 0; k < 2; ++k) {
            SpecChoices[i][k] = List(U(rows[i].prefix) + (k == 0 ? "g" : "k"), rows[i].items, 20);
            Row(grid, line, {Text(k == 0 ? "現況" : "補強後"), SpecChoices[i][k]}, 1 + 2 * k);
            fields.comboIndex(SpecChoices[i][k], r.specChoice[i][k]);
        }
        ++line;
        const char* legend =
            i == 6   ? "軽い屋根（スレート等）　重い屋根（桟瓦等）　　軽い壁（外装サイディング・"
                       "内装ボード）　重い壁（外装ラスモル・内装左官壁）"
            : i == 7 ? "基礎Ⅰ(鉄筋ｺﾝｸﾘｰﾄ布･ベタ･杭基礎) 基礎Ⅱ(ひび割れのある基礎Ⅰ、"
                       "無筋ｺﾝｸﾘｰﾄ基礎・足固めのある玉石基礎) 基礎Ⅲ(その他)"
                     : nullptr;
        if (legend) {
            QLabel* note = Text(legend);
            note->setWordWrap(true);
            grid->addWidget(note, line++, 1, 1, 4);
        }
    }
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    layout->addWidget(spec);
    layout->addStretch(1);
}

// --- 問題点 ---------------------------------------------------------------------------------

void GaiyouApplication::BuildProblemPage(QWidget* page, FieldBindings& fields) {
    RetrofitApplicationRecord& r = Doc.RetrofitApplication;
    const char* rows[5][4] = {
        {"地盤の破壊", "Rmondaij", "先行破壊の可能性が高い",
         "地盤の先行破壊はまず起きない。または地盤の先行破壊を真似か無用擁壁等築造替えを行う"},
        {"基礎の破損", "Rmondaik", "木造部分よりも基礎の破損により大きな被害を招きやすい",
         "基礎の破損はまず起きない。または基礎の破損・亀裂をおこさぬよう基礎補強する"},
        {"床面等の損傷", "Rmondaiy", "屋根・床面の破損する可能性が高い",
         "屋根・床面の破損する可能性は低い。または屋根・床面を補強する"},
        {"横架材の接合", "Rmondaio", "横架材の接合部が外れやすいと思われる",
         "横架材の接合部はしっかりしている。または大きな応力とならないよう計画する"},
        {"瓦等落下防止", "Rmondair", "胸瓦または平瓦の留め付が不安である",
         "棟瓦、平瓦とも留め付はしっかりしている。または留め付補強を行う"},
    };
    auto* layout = new QVBoxLayout(page);
    QGroupBox* problems = Group("評点に反映しない問題点の改修");
    auto* grid = new QGridLayout(problems);
    grid->addWidget(Text("現行"), 0, 2);
    grid->addWidget(Text("補強後"), 0, 3);
    for (int i = 0; i < 5; ++i) {
        grid->addWidget(Text(rows[i][0]), 1 + i, 0);
        auto* statements = new QVBoxLayout;
        for (const char* statement : {rows[i][2], rows[i][3]}) {
            QLabel* line = Text(statement);
            line->setWordWrap(true); // the longer ones take two lines beside the radios
            statements->addWidget(line);
        }
        grid->addLayout(statements, 1 + i, 1);
        for (int k = 0; k < 2; ++k) {
            auto* pair = new QGroupBox;
            const QString prefix = U(rows[i][1]) + (k == 0 ? "g" : "k");
            RadioGroup& group = UpperLowerPair(prefix, "", "", new QVBoxLayout(pair));
            grid->addWidget(pair, 1 + i, 2 + k);
            fields.radios(group, r.problemRepair[i][k], RadioRule::OthersShowAs(1));
        }
    }
    grid->setColumnStretch(1, 1); // the statements take the width the radios leave
    Cmondair = Check(QStringLiteral("Cmondair"), "該当なし");
    grid->addWidget(Cmondair, 5, 4);
    fields.check(Cmondair, r.roofTileNotApplicable);
    layout->addWidget(problems);
    layout->addStretch(1);
}

// --- ヒアリング１ and ２ --------------------------------------------------------------------

void GaiyouApplication::BuildHearing1Page(QWidget* page, FieldBindings& fields) {
    RetrofitApplicationRecord& r = Doc.RetrofitApplication;
    // Group, topic, the radios' names without their value, the answer 1 and the answer 0.
    const char* answers[9][5] = {
        {"地盤・基礎", "不同沈下", "Rhfudou", "ある", "ない"},
        {"地盤・基礎", "基礎工事中", "Rhtekkin", "鉄筋を施工していた",
         "鉄筋を施工していたかどうか記憶にない"},
        {"仕様", "設計時", "Rhkeisan", "構造計算をした", "構造計算による検証をしていない"},
        {"上棟時", "筋かい", "Rhsujikai", "図面通り工事されている",
         "施工されているかどうかわからない"},
        {"上棟時", "外周壁", "Rhgouhan", "合板が貼られていた",
         "合板がなかったように思う、またはわからない"},
        {"上棟時", "火打梁", "Rhhiuchi", "あった", "なかったように思う。または分からない"},
        {"上棟時", "柱頭・注脚金物", "Rhkanamono", "みている", "施工されているかどうかわからない"},
        {"上棟時", "２階床 下貼り", "Rhshitabari", "合板を施工していた", "ない。または分からない"},
        {"小屋裏収納", "", "Rhkoyaura",
         "小屋裏・２階床下収納がある（必要耐力算定用床面積加算検討）",
         "小屋裏・２階床下収納がない"},
    };
    auto* layout = new QVBoxLayout(page);
    QGroupBox* group = nullptr;
    QGridLayout* grid = nullptr;
    for (int n = 0; n < 9; ++n) {
        if (!group || U(answers[n][0]) != group->title()) {
            group = Group(answers[n][0]);
            grid = new QGridLayout(group);
            layout->addWidget(group);
        }
        const int row = grid->rowCount();
        grid->addWidget(Text(answers[n][1]), row, 0);
        auto* radios = new QHBoxLayout;
        RadioGroup& answer = UpperLowerPair(U(answers[n][2]), answers[n][3], answers[n][4], radios);
        radios->addStretch(1);
        grid->addLayout(radios, row, 1);
        fields.radios(answer, r.hearing1[n], RadioRule::OthersShowAs(1));
    }
    const char* damages[4][2] = {
        {"Chshinsui", "床下･床上浸水したことがある（床下劣化重点調査）"},
        {"Chkasai", "火災・ボヤを出したことがある（被災箇所重点調査）"},
        {"Chgake", "がけ崩れの被害にあったことがある（被災箇所重点調査）"},
        {"Chkuruma", "車が家に突入してきたことがある（被災箇所重点調査）"},
    };
    QGroupBox* history = Group("被害の履歴");
    auto* historyLines = new QVBoxLayout(history);
    for (int i = 0; i < 4; ++i) {
        QCheckBox* box = Check(U(damages[i][0]), damages[i][1]);
        historyLines->addWidget(box);
        fields.check(box, r.hearing1[9 + i]);
    }
    layout->addWidget(history);
    layout->addStretch(1);
}

void GaiyouApplication::BuildHearing2Page(QWidget* page, FieldBindings& fields) {
    RetrofitApplicationRecord& r = Doc.RetrofitApplication;
    // Topic, the radios' names without their value, the answers 0, 1 and (some) 2.
    const char* topics[11][5] = {
        {"屋根材のめくれ、ずれ、欠け", "Rryane", "ない", "補修した（改修箇所確認）",
         "ある（重点調査）"},
        {"外壁に苔、亀裂、脱落、めくれ、蟻道", "Rrgaihekir", "ない", "ある（重点調査）", nullptr},
        {"軒樋・竪樋の変色、割れ、ずれ、欠け", "Rrtoi", "ない", "補修した（改修箇所確認）",
         "ある（重点調査）"},
        {"露出した柱・梁等に浸み痕、苔、カビまたは蟻道", "Rrroshutsu", "ない", "ある（重点調査）",
         nullptr},
        {"外周壁などの全面改修", "Rrgaihekik", "行っていない", "行った（改修箇所確認）", nullptr},
        {"雨漏り箇所、クロスのめくれ、カビ、亀裂", "Rrnaiheki", "ない",
         "その都度補修している（改修箇所確認）", "ある（重点調査）"},
        {"浴室に浸み痕、ハガレ、亀裂、カビ、腐朽、蟻道", "Rryokur", "ない", "ある（重点調査）",
         nullptr},
        {"浴室周り", "Rryokuk", "改修していない", "傷みが気になり改修した（改修箇所確認）",
         nullptr},
        {"床の傾斜、過度の振動、床鳴り", "Rryuka", "ない", "補修した（改修箇所確認）",
         "ある（重点調査）"},
        {"基礎の亀裂、土台・大引・框に腐朽、蟻道", "Rrkiso", "ない", "ある（重点調査）", nullptr},
        {"白蟻対策の薬品散布", "Rrshiro", "行っていない", "行った", nullptr},
    };
    auto* layout = new QVBoxLayout(page);
    QGroupBox* upkeep = Group("維持管理・劣化");
    auto* grid = new QGridLayout(upkeep);
    for (int n = 0; n < 11; ++n) {
        const char* const* t = topics[n];
        QGroupBox* box = Group(t[0]);
        // One answer a line: three long answers side by side would not fit half the page.
        auto* row = new QVBoxLayout(box);
        RadioGroup& answer =
            t[4] ? Radios(U(t[1]), {t[2], t[3], t[4]}, row) : Radios(U(t[1]), {t[2], t[3]}, row);
        row->addStretch(1);
        grid->addWidget(box, n / 2, n % 2);
        // Only an answer the group offers is shown; another stays stored until one is picked.
        fields.radios(answer, r.hearing2[n], RadioRule::KeepField());
    }
    layout->addWidget(upkeep);
    layout->addStretch(1);
}

// --- 現場調査１ to ３ -----------------------------------------------------------------------

void GaiyouApplication::BuildSurvey1Page(QWidget* page, FieldBindings& fields) {
    RetrofitApplicationRecord& r = Doc.RetrofitApplication;
    auto* layout = new QGridLayout(page);

    auto* site = new QGroupBox;
    auto* siteGrid = new QGridLayout(site);
    Cgjiban = List(QStringLiteral("Cgjiban"), items::SurveyGrounds, 40);
    Cgchikei = List(QStringLiteral("Cgchikei"), items::SurveyTerrains, 40);
    const char* itemNames[4] = {"Cgkiso", "Cgkeijou", "Cgyane", "Cggaiheki"};
    const ItemList itemLists[4] = {items::SurveyFoundations, items::SurveyShapes,
                                   items::SurveyRoofs, items::SurveyOuterWalls};
    for (int i = 0; i < 4; ++i) SurveyItems[i] = List(U(itemNames[i]), itemLists[i], 40);
    Row(siteGrid, 0, {Text("地盤"), Cgjiban});
    Row(siteGrid, 1, {Text("地形"), Cgchikei});
    Row(siteGrid, 2, {Text("基礎"), SurveyItems[0]});
    Row(siteGrid, 3, {Text("建物形状"), SurveyItems[1]});
    Row(siteGrid, 4, {Text("屋根葺材"), SurveyItems[2]});
    Row(siteGrid, 5, {Text("外壁面仕様"), SurveyItems[3]});
    QGroupBox* liquefaction = Group("液状化");
    RadioGroup& liquefactionGroup =
        UpperLowerPair(QStringLiteral("Rgekijouka"), "液状化の区域である",
                       "液状化の区域からはずれている", new QHBoxLayout(liquefaction));
    siteGrid->addWidget(liquefaction, 6, 0, 1, 2);
    layout->addWidget(site, 0, 0, 1, 2);
    fields.comboIndex(Cgjiban, r.surveyGroundTerrain[0])
        .comboIndex(Cgchikei, r.surveyGroundTerrain[1])
        .radios(liquefactionGroup, r.liquefaction, RadioRule::KeepField());
    for (int i = 0; i < 4; ++i) fields.comboIndex(SurveyItems[i], r.surveyItem[i]);

    QGroupBox* inner = Group("内壁面仕様");
    auto* innerGrid = new QGridLayout(inner);
    const char* walls[6][2] = {
        {"Cgnaiheki", "石膏ボード大壁耐力壁仕様"},
        {"Cgnaihek2", "石膏ボード真壁耐力壁仕様"},
        {"Cgnaihek3", "石膏ボード大壁非耐力壁仕様"},
        {"Cgnaihek4", "石膏ボード真壁非耐力壁仕様"},
        {"Cgnaihek5", "内装合板貼"},
        {"Cgnaihek6", "珪藻土、石膏プラスター、聚楽風の左官壁"},
    };
    for (int i = 0; i < 6; ++i) {
        InnerWalls[i] = Check(U(walls[i][0]), walls[i][1]);
        innerGrid->addWidget(InnerWalls[i], i, 0);
        fields.check(InnerWalls[i], r.innerWallSpec[i]);
    }
    for (int i = 0; i < 5; ++i) {
        Egnai[i] = Edit(Named("Egnai", i + 1), 40);
        Row(innerGrid, i, {Text("厚さ"), Egnai[i], Text("mm")}, 1);
        fields.text(Egnai[i], r.innerWallSpecText[i]);
    }
    layout->addWidget(inner, 1, 0);

    QGroupBox* hardware = Group("金物仕様");
    auto* hardwareGrid = new QGridLayout(hardware);
    Cg1hashira = List(QStringLiteral("Cg1hashira"), items::ColumnHardwareItems, 8);
    Cg2hashira = List(QStringLiteral("Cg2hashira"), items::ColumnHardwareItems, 8);
    Row(hardwareGrid, 0, {Text("１階柱頭・柱脚納り"), Cg1hashira});
    Row(hardwareGrid, 1, {Text("２階柱頭・柱脚納り"), Cg2hashira});
    layout->addWidget(hardware, 1, 1);
    fields.comboIndex(Cg1hashira, r.columnHardware[0]).comboIndex(Cg2hashira, r.columnHardware[1]);

    QGroupBox* braces = Group("筋かい仕様");
    auto* braceGrid = new QGridLayout(braces);
    const char* braceSpecs[8] = {
        "15ｘ90筋かい、5-N65びんた延ばし", "15ｘ90筋かい、略式接合", "30ｘ90筋かい、ＢＰ金物",
        "30ｘ90筋かい、略式接合",          "45ｘ90筋かいＢＰ２金物", "45ｘ90筋かい、略式接合",
        "90ｘ90筋かい、剛２ボルト締め",    "90ｘ90筋かい、略式接合",
    };
    for (int i = 0; i < 8; ++i) {
        Cgsuji[i] = Check(Named("Cgsuji", i + 1), braceSpecs[i]);
        braceGrid->addWidget(Cgsuji[i], i / 2, i % 2);
        fields.check(Cgsuji[i], r.braceSpec[i]);
    }
    layout->addWidget(braces, 2, 0, 1, 2);

    auto* other = new QGroupBox;
    auto* otherGrid = new QGridLayout(other);
    Cgchika = List(QStringLiteral("Cgchika"), items::BasementItems, 40);
    Cghei = List(QStringLiteral("Cghei"), items::FenceItems, 40);
    Row(otherGrid, 0, {Text("地下室・地下車庫"), Cgchika});
    Row(otherGrid, 1, {Text("塀・門扉"), Cghei});
    layout->addWidget(other, 3, 0, 1, 2);
    fields.comboIndex(Cgchika, r.surveyOther[0]).comboIndex(Cghei, r.surveyOther[1]);
    layout->setRowStretch(4, 1);
}

void GaiyouApplication::BuildSurvey2Page(QWidget* page, FieldBindings& fields) {
    RetrofitApplicationRecord& r = Doc.RetrofitApplication;
    auto* layout = new QVBoxLayout(page);
    QGroupBox* joints = Group("横架材接合部");
    auto* jointLines = new QVBoxLayout(joints);
    const char* concerns[5] = {
        "１２帖以上の大きな部屋がある（横架材接合部の外れやすい）",
        "２階直下に壁がなく、下屋部分に多くない（横架材接合部の外れやすい）",
        "横架材接合部に補強金物がない（横架材の接合部が外れやすい）",
        "増築時に抜いた柱がある（横架材の接合部が外れやすい）",
        "増築時に壁を除いている（横架材の接合部が外れやすい）",
    };
    for (int i = 0; i < 5; ++i) {
        Cgouga[i] = Check(Named("Cgouga", i + 1), concerns[i]);
        jointLines->addWidget(Cgouga[i]);
        fields.check(Cgouga[i], r.jointConcern[i]);
    }
    layout->addWidget(joints);

    QGroupBox* diaphragm = Group("水平構面");
    auto* diaphragmLines = new QVBoxLayout(diaphragm);
    QCheckBox* voids[2] = {
        Check(QStringLiteral("Cgsuihei1"),
              "大きな吹抜がある（一辺が４ｍ以上・床面の先行破壊の可能性が高い）"),
        Check(QStringLiteral("Cgsuihei2"),
              "一辺が１．８２ｍを超える大きな屋根開口（天窓、ドーマ等）"
              "がある（床面の先行破壊の可能性が高い）"),
    };
    for (int i = 0; i < 2; ++i) {
        diaphragmLines->addWidget(voids[i]);
        fields.check(voids[i], r.diaphragmConcern[i]);
    }
    RadioGroup& walls = Radios(QStringLiteral("Rgsuihei3"),
                               {"２階直下に壁がない外周壁が２面未満である（問題なし）",
                                "２階直下に壁がない外周壁が２面以上である（床面の先行破壊の可能"
                                "性が高い）"},
                               diaphragmLines);
    fields.radios(walls, r.diaphragmConcern[2], RadioRule::KeepField());
    layout->addWidget(diaphragm);
    layout->addStretch(1);
}

void GaiyouApplication::BuildSurvey3Page(QWidget* page, FieldBindings& fields) {
    RetrofitApplicationRecord& r = Doc.RetrofitApplication;
    auto* layout = new QVBoxLayout(page);
    QVBoxLayout* lines = nullptr;
    const auto group = [&](const char* caption) {
        QGroupBox* box = Group(caption);
        lines = new QVBoxLayout(box);
        layout->addWidget(box);
    };
    // The floor survey field n of each control, in the order of the fields.
    const auto list = [&](int n, const char* name, ItemList items) {
        auto* combo = List(U(name), items, 50);
        lines->addWidget(combo);
        fields.comboIndex(combo, r.floorSurvey[n]);
    };
    // The 該当なし boxes leave their lists as they are.
    const auto check = [&](int n, const char* name, const char* caption) {
        QCheckBox* box = Check(U(name), caption);
        lines->addWidget(box);
        fields.check(box, r.floorSurvey[n]);
    };
    const auto pair = [&](int n, const char* prefix, const char* no, const char* yes) {
        RadioGroup& answer = Radios(U(prefix), {no, yes}, lines);
        fields.radios(answer, r.floorSurvey[n], RadioRule::KeepField());
    };
    group("１階床仕様");
    list(0, "Cgyuka1", items::GroundFloorSurveyItems);
    check(1, "Cgyuka1g", "該当なし");
    group("２階床仕様");
    list(2, "Cgyuka2", items::UpperFloorSurveyItems);
    check(3, "Cgyuka2g", "該当なし");
    list(4, "Cgyuka21", items::HorizontalBraceItems);
    pair(5, "Rgyuka22", "２階床下収納がない", "２階床下収納がある（目視で大きさ確認）");
    group("下屋");
    list(6, "Cgyuka3", items::RoofSurveyItems);
    check(7, "Cgyuka3g", "該当なし");
    list(8, "Cgyuka31", items::HorizontalBraceItems);
    group("２階小屋");
    list(9, "Cgyuka4", items::RoofSurveyItems);
    check(10, "Cgyuka4g", "該当なし");
    list(11, "Cgyuka41", items::HorizontalBraceItems);
    pair(12, "Rgyuka42", "小屋裏収納がない", "小屋裏収納がある（床面積・天井高さ計測）");
    group("災害の履歴");
    check(13, "Cgsaigai1", "床下・床上浸水したことがある（重点調査）");
    check(14, "Cgsaigai2", "火災・ボヤをだしたことがある（重点調査）");
    check(15, "Cgsaigai3", "崖崩れの被害にあったことがある（重点調査）");
    check(16, "Cgsaigai4", "車が家に突入してきたことがある（重点調査）");
    layout->addStretch(1);
}
