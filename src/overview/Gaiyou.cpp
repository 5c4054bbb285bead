#include "overview/Gaiyou.h"

#include "calc/Deterioration.h"
#include "calc/WallStrength.h"
#include "document/OverviewCodecs.h"
#include "model/AppState.h"
#include "model/Model.h"
#include "ui/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <memory>

TGaiyouDlg* GaiyouDlg = nullptr;

namespace {

// What OK compares to tell whether the model file's content changed.
struct StoredOverview {
    BuildingDataRecord buildingData;
    StoreyDataRecord storeyData;
    GroundFoundationSurveyRecord groundFoundationSurvey;
    FoundationFloorSpecRecord foundationFloorSpec;
    DeteriorationSurveyRecord deteriorationSurvey;
    PermitRecordRecord permitRecord;
    ReportTextsRecord reportTexts;
    RetrofitApplicationRecord retrofitApplication;
    int32_t criteriaEdition;
    int32_t diagnosisMethod;
    bool operator==(const StoredOverview&) const = default;

    static std::unique_ptr<StoredOverview> FromDocument() {
        return std::make_unique<StoredOverview>(StoredOverview{
            Doc.BuildingData, Doc.StoreyData, Doc.GroundFoundationSurvey, Doc.FoundationFloorSpec,
            Doc.DeteriorationSurvey, Doc.PermitRecord, Doc.ReportTexts, Doc.RetrofitApplication,
            Doc.CriteriaEdition, Doc.DiagnosisMethod});
    }
};

// The snow list: a term no item gives shows no item, and OK keeps it; an item the user left
// as shown keeps the stored term exactly.
class SnowBinding final : public FieldBinding {
public:
    SnowBinding(QComboBox* combo, double& term) : combo_(combo), term_(term) {}
    void load() override {
        const QSignalBlocker block(combo_);
        combo_->setCurrentIndex(SnowItemOfTerm(term_));
        shown_ = combo_->currentIndex();
    }
    void store() override {
        if (combo_->currentIndex() >= 0 && combo_->currentIndex() != shown_)
            term_ = SnowTermOfItem(combo_->currentIndex());
    }

private:
    QComboBox* combo_;
    double& term_;
    int shown_ = -1;
};

// The zone list: only an exact value shows its item; with no item chosen OK keeps the value.
class ZoneBinding final : public FieldBinding {
public:
    ZoneBinding(QComboBox* combo, double& factor) : combo_(combo), factor_(factor) {}
    void load() override {
        const QSignalBlocker block(combo_);
        combo_->setCurrentIndex(ZoneItemOf(factor_));
    }
    void store() override {
        const int item = combo_->currentIndex();
        if (item >= 0 && item < ZoneItemCount) factor_ = ZoneFactors[item];
    }

private:
    QComboBox* combo_;
    double& factor_;
};

// The owner's postcode and address, one field.
class OwnerAddressBinding final : public FieldBinding {
public:
    OwnerAddressBinding(QLineEdit* postcode, QLineEdit* address, TextField field, int addressBytes)
        : postcode_(postcode), address_(address), field_(field),
          postcodeLimit_(new Cp932LimitValidator(int(PostcodeBytes), postcode)),
          addressLimit_(new Cp932LimitValidator(addressBytes, address)),
          addressBytes_(addressBytes) {
        postcode_->setValidator(postcodeLimit_);
        address_->setValidator(addressLimit_);
    }
    void load() override {
        const OwnerAddressParts parts = SplitOwnerAddress(field_.view());
        shownPostcode_ = QStringFromCp932(parts.postcode);
        shownAddress_ = QStringFromCp932(parts.address);
        // A longer address read from a file is shown whole; typing may shorten it.
        addressLimit_->setMaxBytes(std::max<int>(addressBytes_, int(parts.address.size())));
        const QSignalBlocker b1(postcode_), b2(address_);
        postcode_->setText(shownPostcode_);
        address_->setText(shownAddress_);
    }
    void store() override {
        if (postcode_->text() == shownPostcode_ && address_->text() == shownAddress_) return;
        // A character no file can hold (a damaged byte shown as read) drops alone, not the
        // whole text.
        field_.set(JoinOwnerAddress(LimitedCp932(postcode_->text(), postcodeLimit_->maxBytes()),
                                    LimitedCp932(address_->text(), addressLimit_->maxBytes())));
    }

private:
    QLineEdit* postcode_;
    QLineEdit* address_;
    TextField field_;
    Cp932LimitValidator* postcodeLimit_;
    Cp932LimitValidator* addressLimit_;
    int addressBytes_;
    QString shownPostcode_, shownAddress_;
};

// The soft-ground box shows the class's soft flag; OK composes the class (OKBtnClick).
class SoftGroundBinding final : public FieldBinding {
public:
    SoftGroundBinding(QCheckBox* box, const int32_t& groundClass)
        : box_(box), groundClass_(groundClass) {}
    void load() override { box_->setChecked(MarkedlySoftGround(groundClass_)); }
    void store() override {}

private:
    QCheckBox* box_;
    const int32_t& groundClass_;
};

// A page under its tabs. It would like the width its texts need beside the vertical scroll bar
// and the height of the whole page: the dialog takes that where the screen allows, and the page
// scrolls where it does not.
class PageScroll final : public QScrollArea {
public:
    explicit PageScroll(QWidget* page) {
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        setWidget(page);
    }
    QSize sizeHint() const override {
        return {widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width(),
                widget()->sizeHint().height()};
    }
};

// --- Building blocks of the pages ---------------------------------------------------------

QGroupBox* Group(const char* caption, QWidget* parent) {
    return new QGroupBox(U(caption), parent);
}

// Radios in a row (or column) of a group box, added to the radio group with ids 0, 1, ...
template <std::size_t N>
void Radios(QRadioButton* (&radios)[N], const std::array<const char*, N>& captions,
            RadioGroup& group, QBoxLayout* layout, const QString& namePrefix) {
    for (std::size_t i = 0; i < N; ++i) {
        radios[i] = new QRadioButton(U(captions[i]));
        radios[i]->setObjectName(namePrefix + QString::number(i));
        group.add(radios[i], int(i));
        layout->addWidget(radios[i]);
    }
}

QLineEdit* Edit(const char* name, QWidget* parent, int width = 0) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    if (width > 0) edit->setFixedWidth(width);
    return edit;
}

QLabel* Note(const char* text, QWidget* parent = nullptr) {
    return new QLabel(U(text), parent);
}

QLabel* RedNote(const char* text) {
    QLabel* label = Note(text);
    SetLabelColours(label, Rgb(255, 0, 0));
    return label;
}

// The legend's light blue: the answers the calculation reads.
constexpr ColorRef CalculationColour = Rgb(216, 228, 248);

// Wide enough for "%6.3f", narrow enough for the three scenario columns side by side.
constexpr int StoreyEditWidth = 64;

QString Digits(int value) {
    return QString::number(value);
}

} // namespace

// The pages in their page controls, in the order showing loads them and OK stores them.
const TGaiyouDlg::PageEntry TGaiyouDlg::PageTable[] = {
    {PageControl::Settings, "基本事項（診断法）", &TGaiyouDlg::BuildBasicPage},
    {PageControl::Settings, "建物階数・重さ・面積", &TGaiyouDlg::BuildStoreyPage},
    {PageControl::Settings, "基礎・床仕様・軟弱な地盤", &TGaiyouDlg::BuildFoundationPage},
    {PageControl::Settings, "劣化", &TGaiyouDlg::BuildDeteriorationPage},
    {PageControl::Report, "地盤基礎", &TGaiyouDlg::BuildReportGroundPage},
    {PageControl::Report, "所見（１）", &TGaiyouDlg::BuildReportFindingsPage1},
    {PageControl::Report, "所見（２）", &TGaiyouDlg::BuildReportFindingsPage2},
    {PageControl::Report, "その他・診断士メモ", &TGaiyouDlg::BuildReportNotesPage},
    {PageControl::Report, "確認申請・図面", &TGaiyouDlg::BuildReportPermitPage},
    {PageControl::Application, "事業者・方針",
     &TGaiyouDlg::BuildApplicationPage<&GaiyouApplication::BuildFirmsPage>},
    {PageControl::Application, "補強概要",
     &TGaiyouDlg::BuildApplicationPage<&GaiyouApplication::BuildOutlinePage>},
    {PageControl::Application, "法令",
     &TGaiyouDlg::BuildApplicationPage<&GaiyouApplication::BuildLawPage>},
    {PageControl::Application, "建物仕様",
     &TGaiyouDlg::BuildApplicationPage<&GaiyouApplication::BuildSpecPage>},
    {PageControl::Application, "問題点",
     &TGaiyouDlg::BuildApplicationPage<&GaiyouApplication::BuildProblemPage>},
    {PageControl::Application, "ヒアリング１",
     &TGaiyouDlg::BuildApplicationPage<&GaiyouApplication::BuildHearing1Page>},
    {PageControl::Application, "ヒアリング２",
     &TGaiyouDlg::BuildApplicationPage<&GaiyouApplication::BuildHearing2Page>},
    {PageControl::Application, "現場調査１",
     &TGaiyouDlg::BuildApplicationPage<&GaiyouApplication::BuildSurvey1Page>},
    {PageControl::Application, "現場調査２",
     &TGaiyouDlg::BuildApplicationPage<&GaiyouApplication::BuildSurvey2Page>},
    {PageControl::Application, "現場調査３",
     &TGaiyouDlg::BuildApplicationPage<&GaiyouApplication::BuildSurvey3Page>},
};

TGaiyouDlg::TGaiyouDlg(QWidget* parent) : ModalForm(parent, U("概要")) {
    BuildFrame();
    pageFields_.reserve(std::size(PageTable));
    for (const PageEntry& entry : PageTable) {
        auto* page = new QWidget;
        // Each page scrolls under its tabs, which stay in view.
        auto* scroll = new PageScroll(page);
        PageControlOf(entry.control)->addTab(scroll, U(entry.caption));
        pageScrolls_.push_back(scroll);
        (this->*entry.build)(page, pageFields_.emplace_back());
    }
    Rules.Bind();
    ColourCalculationInputs();
    resetPages();
}

void TGaiyouDlg::ColourCalculationInputs() {
    std::vector<QAbstractButton*> inputs = {Ckisokobetsu, Cyukakobetsu, Eichijiru};
    const auto add = [&inputs](auto& radios) {
        for (QRadioButton* radio : radios) inputs.push_back(radio);
    };
    add(Rkonkouzou);
    for (int s = 0; s < 3; ++s) {
        add(Rkaisu[s]);
        add(Rishiyou[s]);
        add(Rkoyaura[s]);
        add(Rsshiyou[s]);
    }
    add(Ekisok);
    add(Ekisoh);
    add(Ekisoa);
    add(Ryukashi);
    add(Rhiuchi);
    add(Rfukinuke);
    for (QAbstractButton* input : inputs) SetButtonColours(input, CalculationColour);
}

TGaiyouDlg::~TGaiyouDlg() = default;

QTabWidget* TGaiyouDlg::PageControlOf(PageControl control) const {
    switch (control) {
    case PageControl::Settings:
        return PageControl2;
    case PageControl::Report:
        return PageControl3;
    case PageControl::Application:
        return PageControl4;
    }
    return PageControl2;
}

void TGaiyouDlg::BuildFrame() {
    resize(701, 648);
    move(177, 93);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    Panel1 = new QWidget(this);
    SetFormColour(Panel1, Rgb(216, 216, 216));
    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new QTabWidget(Panel1);
    panelLayout->addWidget(PageControl1);
    outer->addWidget(Panel1, 1);
    // The dialog's size is set at each showing (FitToPages), narrower than the pages on a
    // narrow screen: the pages then scroll sideways.
    outer->setSizeConstraint(QLayout::SetNoConstraint);

    const auto topPage = [this](QWidget*& sheet, const char* caption, QTabWidget** sub) {
        sheet = new QWidget;
        PageControl1->addTab(sheet, U(caption));
        if (!sub) return;
        auto* layout = new QVBoxLayout(sheet);
        layout->setContentsMargins(2, 2, 2, 2);
        *sub = new QTabWidget(sheet);
        layout->addWidget(*sub);
    };
    topPage(TabSheet1, "設定", &PageControl2);
    topPage(TabSheet7, "診断報告書", &PageControl3);
    topPage(TabSheet10, "改修申請", &PageControl4);
    topPage(TabSheet19, "ストック１", nullptr);
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet19), false);

    Panel2 = new QWidget(this);
    Panel2->setFixedHeight(34);
    SetFormColour(Panel2, Rgb(216, 216, 216));
    auto* legend = new QHBoxLayout(Panel2);
    legend->setContentsMargins(6, 2, 6, 2);
    legend->setSpacing(0);
    legend->addWidget(Note("注） "));
    QLabel* green = Note("緑の項目");
    SetLabelColours(green, Rgb(0, 0, 0), Rgb(177, 235, 177));
    legend->addWidget(green);
    legend->addWidget(Note("の入力は劣化度入力にも連動します。"));
    QLabel* blue = Note("水色の項目");
    SetLabelColours(blue, Rgb(0, 0, 0), CalculationColour);
    legend->addWidget(blue);
    legend->addWidget(Note("の入力は計算条件設定に必要です。"));
    legend->addStretch(1);
    OKBtn = new QPushButton(U("OK"), Panel2);
    CancelBtn = new QPushButton(U("キャンセル"), Panel2);
    // Enter ends a line of typing (or a conversion), never the whole dialog.
    OKBtn->setAutoDefault(false);
    CancelBtn->setAutoDefault(false);
    legend->addWidget(OKBtn);
    legend->addWidget(CancelBtn);
    outer->addWidget(Panel2);
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { reject(); });
}

void TGaiyouDlg::BuildBasicPage(QWidget* page, FieldBindings& fields) {
    TabSheet2 = page;
    auto* grid = new QGridLayout(page);

    // 動作モード and 診断法.
    QGroupBox* edition = Group("動作モード", page);
    auto* editionLayout = new QVBoxLayout(edition);
    Rmodeb0 = new QRadioButton(U("［2004年改訂版］"));
    Rmodeb2 = new QRadioButton(U("［vu版］"));
    Rmodeb4 = new QRadioButton(U("［2012年改訂版］"));
    Rmodeb0->setObjectName(QStringLiteral("Rmodeb0"));
    Rmodeb2->setObjectName(QStringLiteral("Rmodeb2"));
    Rmodeb4->setObjectName(QStringLiteral("Rmodeb4"));
    Label278 = Note("vu市の基準で計算");
    Label103 = RedNote("vu版は平屋・２階のみ");
    editionLayout->addWidget(Rmodeb0);
    editionLayout->addWidget(Note("建築防災協会2004年改訂版に準拠"));
    editionLayout->addWidget(Rmodeb2);
    editionLayout->addWidget(Label278);
    editionLayout->addWidget(Rmodeb4);
    editionLayout->addWidget(Note("建築防災協会2012改訂版との比較用"));
    editionLayout->addWidget(Label103);
    editionGroup_.add(Rmodeb0, 0);
    editionGroup_.add(Rmodeb2, 2);
    editionGroup_.add(Rmodeb4, 4);
    grid->addWidget(edition, 0, 0, 2, 1);

    QGroupBox* method = Group("診断法", page);
    auto* methodLayout = new QGridLayout(method);
    const char* methods[4][2] = {{"精密診断法１（略算法）", "簡易重量表を用いる方法"},
                                 {"一般診断法（精算法）", "必要耐力表を用いる方法"},
                                 {"一般診断法（略算法）", "必要耐力表＋偏心率法"},
                                 {"精密診断法１（簡易法）", "簡易耐力表＋４分割法"}};
    for (int i = 0; i < 4; ++i) {
        Rmodea[i] = new QRadioButton(U(methods[i][0]));
        Rmodea[i]->setObjectName(QStringLiteral("Rmodea") + Digits(i));
        methodGroup_.add(Rmodea[i], i);
        methodLayout->addWidget(Rmodea[i], i, 0);
        methodLayout->addWidget(Note(methods[i][1]), i, 1);
    }
    methodLayout->addWidget(RedNote("各階の階高が必要！"), 4, 0, 1, 2);
    grid->addWidget(method, 0, 1, 2, 2);

    // The calculation counts other elements by the length of walls with openings only.
    OtherElementsBox = Group("その他の耐震要素の耐力", page);
    auto* otherLayout = new QVBoxLayout(OtherElementsBox);
    Ryuukaikou = new QRadioButton(U("有開口壁長による算定"));
    Rmukaikou = new QRadioButton(U("無開口壁率による算定"));
    otherLayout->addWidget(Ryuukaikou);
    otherLayout->addWidget(Rmukaikou);
    otherLayout->addWidget(Note("改訂版の一般診断法のみ"));
    otherElementsGroup_.add(Ryuukaikou, 0);
    otherElementsGroup_.add(Rmukaikou, 1);
    OtherElementsBox->setEnabled(false);
    OtherElementsBox->setVisible(false);

    QGroupBox* structure = Group("建物構造", page);
    auto* structureLayout = new QVBoxLayout(structure);
    Radios(Rtatemonokouzou, {"在来軸組構造", "伝統的工法", "枠組壁工法"}, structureGroup_,
           structureLayout, "Rtatemonokouzou");
    Rtatemonokouzou[1]->setEnabled(false);
    Rtatemonokouzou[2]->setEnabled(false);
    grid->addWidget(structure, 2, 0);

    QGroupBox* mixed = Group("混構造の有無", page);
    auto* mixedLayout = new QVBoxLayout(mixed);
    Radios(Rkonkouzou, {"なし", "ＲＣ造", "Ｓ造"}, mixedGroup_, mixedLayout, "Rkonkouzou");
    mixedLayout->addWidget(Note("ありの場合の１階構造"));
    Label200 = Note("vu版ではなしに限定");
    mixedLayout->addWidget(Label200);
    grid->addWidget(mixed, 2, 1);

    QGroupBox* snowZone = Group("積雪深さ（ｍ）", page);
    auto* snowLayout = new QGridLayout(snowZone);
    Csekiset = new QComboBox(snowZone);
    Csekiset->setObjectName(QStringLiteral("Csekiset"));
    Csekiset->addItem(U("無し（1.0ｍ未満）"));
    for (int i = 1; i < SnowItemCount; ++i)
        Csekiset->addItem(QString::asprintf("%.1f", 0.9 + 0.1 * i) + U("ｍ"));
    Label100 = Note("vu版では 無し に固定");
    snowLayout->addWidget(Csekiset, 0, 0, 1, 2);
    snowLayout->addWidget(Label100, 1, 0, 1, 2);
    snowLayout->addWidget(Note("地域係数Ｚ"), 2, 0, 1, 2);
    CchiikiZ = new QComboBox(snowZone);
    CchiikiZ->setObjectName(QStringLiteral("CchiikiZ"));
    CchiikiZ->addItems({U("1.2 （静岡）"), U("1.0"), U("0.9"), U("0.8"), U("0.7")});
    snowLayout->addWidget(Note("Ｚ ＝"), 3, 0);
    snowLayout->addWidget(CchiikiZ, 3, 1);
    Label96 = Note("vu版では 1.0 に固定");
    snowLayout->addWidget(Label96, 4, 0, 1, 2);
    grid->addWidget(snowZone, 2, 2);

    QGroupBox* use = Group("用途", page);
    auto* useLayout = new QGridLayout(use);
    auto* useRadios = new QVBoxLayout;
    Radios(Rtatemonoyouto, {"専用住宅", "店舗", "事務所", "その他"}, useGroup_, useRadios,
           "Rtatemonoyouto");
    useLayout->addLayout(useRadios, 0, 0, 2, 1);
    useLayout->addWidget(Note("併用住宅"), 0, 1);
    Eyouto_sonota = Edit("Eyouto_sonota", use, 140);
    useLayout->addWidget(Eyouto_sonota, 1, 1);
    grid->addWidget(use, 3, 0);

    QGroupBox* garage = Group("地上階ガレージ", page);
    auto* garageLayout = new QVBoxLayout(garage);
    Radios(Rgareiji, {"なし", "組込", "別棟"}, garageGroup_, garageLayout, "Rgareiji");
    grid->addWidget(garage, 3, 1);

    QGroupBox* basement = Group("地階・地下車庫", page);
    auto* basementLayout = new QVBoxLayout(basement);
    Radios(Rchika, {"なし または 別棟", "あり"}, basementGroup_, basementLayout, "Rchika");
    grid->addWidget(basement, 3, 2);

    // People and places.
    const auto row = [](QGridLayout* layout, int r, const char* caption, QLineEdit* edit) {
        layout->addWidget(Note(caption), r, 0);
        layout->addWidget(edit, r, 1);
    };
    QGroupBox* client = Group("診断依頼者", page);
    auto* clientLayout = new QGridLayout(client);
    Eshiaddr = Edit("Eshiaddr", client);
    Eshiname = Edit("Eshiname", client);
    Eshitel = Edit("Eshitel", client);
    row(clientLayout, 0, "住所", Eshiaddr);
    row(clientLayout, 1, "氏名", Eshiname);
    row(clientLayout, 2, "TEL", Eshitel);
    grid->addWidget(client, 4, 0, 1, 3);

    QGroupBox* owner = Group("建物所有者", page);
    auto* ownerLayout = new QGridLayout(owner);
    Epost = Edit("Epost", owner, 90);
    Eshoaddr = Edit("Eshoaddr", owner);
    Eshoname = Edit("Eshoname", owner);
    Eshotel = Edit("Eshotel", owner);
    auto* address = new QHBoxLayout;
    address->addWidget(Note("〒"));
    address->addWidget(Epost);
    address->addWidget(Eshoaddr, 1);
    ownerLayout->addWidget(Note("住所"), 0, 0);
    ownerLayout->addLayout(address, 0, 1);
    row(ownerLayout, 1, "氏名", Eshoname);
    row(ownerLayout, 2, "TEL", Eshotel);
    grid->addWidget(owner, 5, 0, 1, 3);

    QGroupBox* site = Group("建物所在地", page);
    auto* siteLayout = new QGridLayout(site);
    Eshozachiban = Edit("Eshozachiban", site);
    Eshozaaddr = Edit("Eshozaaddr", site);
    row(siteLayout, 0, "地番", Eshozachiban);
    row(siteLayout, 1, "住居表示", Eshozaaddr);
    grid->addWidget(site, 6, 0, 1, 3);

    QGroupBox* dates = Group("工事年月　（数字を含め全角文字で入力）", page);
    auto* datesLayout = new QGridLayout(dates);
    const char* rows[4] = {"新築年月", "第１回", "第２回", "第３回"};
    for (int k = 0; k < 4; ++k) {
        if (k == 0) {
            datesLayout->addWidget(Note(rows[0]), 0, 0);
        } else {
            Ekouzou[k] = new QCheckBox(U(rows[k]), dates);
            Ekouzou[k]->setObjectName(QStringLiteral("Ekouzou") + Digits(k));
            datesLayout->addWidget(Ekouzou[k], k, 0);
        }
        Ekouyearn[k] = new QComboBox(dates);
        Ekouyearn[k]->setObjectName(QStringLiteral("Ekouyearn") + Digits(k));
        FillEraCombo(Ekouyearn[k]);
        Ekouyear[k] = Edit("Ekouyear", dates, 60);
        Ekouyear[k]->setObjectName(QStringLiteral("Ekouyear") + Digits(k));
        Ekoumon[k] = Edit("Ekoumon", dates, 60);
        Ekoumon[k]->setObjectName(QStringLiteral("Ekoumon") + Digits(k));
        datesLayout->addWidget(Ekouyearn[k], k, 1);
        datesLayout->addWidget(Ekouyear[k], k, 2);
        datesLayout->addWidget(Note("年"), k, 3);
        datesLayout->addWidget(Ekoumon[k], k, 4);
        datesLayout->addWidget(Note("月"), k, 5);
    }
    datesLayout->addWidget(Note("増築･改築･その他"), 1, 6);
    grid->addWidget(dates, 7, 0, 1, 3);

    BuildingDataRecord& b = Doc.BuildingData;
    fields.add(Rules.EditionBinding())
        .radios(methodGroup_, Doc.DiagnosisMethod, RadioRule::OthersShowAs(MethodPreciseSimplified))
        .radios(structureGroup_, b.structureType, RadioRule::OthersShowAs(2))
        .radios(useGroup_, b.buildingUse, RadioRule::OthersShowAs(3))
        .text(Eyouto_sonota, b.buildingUseOther, 30)
        .radios(garageGroup_, b.garage, RadioRule::OthersShowAs(2))
        .radios(basementGroup_, b.basement, RadioRule::OthersShowAs(1))
        .text(Eshiaddr, b.clientAddress, 48)
        .text(Eshiname, b.clientName, 20)
        .text(Eshitel, b.clientPhone, 16)
        .add(std::make_unique<OwnerAddressBinding>(Epost, Eshoaddr, b.ownerAddress, 48))
        .text(Eshoname, b.ownerName, 20)
        .text(Eshotel, b.ownerPhone, 16)
        .text(Eshozachiban, b.siteLotNumber, 48)
        .text(Eshozaaddr, b.siteAddress, 48);
    for (int k = 0; k < 4; ++k) fields.date(Ekouyearn[k], Ekouyear[k], b.constructionEraYear[k]);
    for (int k = 0; k < 4; ++k) fields.text(Ekoumon[k], b.constructionMonth[k], 4);
    for (int k = 1; k < 4; ++k) fields.check(Ekouzou[k], b.extensionDone[k]);
    fields.radios(mixedGroup_, b.mixedStructure, RadioRule::OthersShowAs(2))
        .add(std::make_unique<SnowBinding>(Csekiset, b.snowLoadTerm))
        .add(std::make_unique<ZoneBinding>(CchiikiZ, b.zoneFactorZ));
}

void TGaiyouDlg::BuildStoreyPage(QWidget* page, FieldBindings& fields) {
    TabSheet21 = page;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Note("現状のデータを改修案にコピーする場合は、"
                           "診断対象のデータコピーを行って下さい。"));
    auto* columns = new QHBoxLayout;
    columns->setSpacing(2);
    layout->addLayout(columns);
    const char* scenarioCaptions[3] = {"現況", "改修案１", "改修案２"};
    const char* storeyCaptions[3] = {"１ 階床面積", "２ 階床面積", "３ 階床面積"};
    const char* heightCaptions[3] = {"１階階高", "２階階高", "３階階高"};
    const auto suffix = [](int s) { return s == 0 ? QString() : Digits(s); };
    for (int s = 0; s < 3; ++s) {
        QGroupBox* column = Group(scenarioCaptions[s], page);
        auto* columnLayout = new QVBoxLayout(column);
        // Narrow margins: the inner groups' captions need the width of a third of the page.
        columnLayout->setContentsMargins(4, 4, 4, 4);

        QGroupBox* storeys = Group("建物階数", column);
        auto* storeysLayout = new QVBoxLayout(storeys);
        Radios(Rkaisu[s], {"平屋", "２階建", "３階建"}, storeyGroups_[s], storeysLayout,
               U("Rkaisu") + suffix(s));
        columnLayout->addWidget(storeys);

        QGroupBox* areas = Group("基準法上の面積", column);
        auto* areasLayout = new QGridLayout(areas);
        const auto areaRow = [&](int r, const char* caption, QLineEdit* edit) {
            areasLayout->addWidget(Note(caption), r, 0);
            areasLayout->addWidget(edit, r, 1);
            areasLayout->addWidget(Note("㎡"), r, 2);
        };
        Ekenmen[s] = Edit("Ekenmen", areas, StoreyEditWidth);
        Ekenmen[s]->setObjectName(QStringLiteral("Ekenmen") + suffix(s));
        areaRow(0, "建 築 面 積", Ekenmen[s]);
        for (int f = 0; f < 3; ++f) {
            Eyuka[f][s] = Edit("Eyuka", areas, StoreyEditWidth);
            Eyuka[f][s]->setObjectName(QStringLiteral("Eyuka") + Digits(f + 1) + suffix(s));
            areaRow(1 + f, storeyCaptions[f], Eyuka[f][s]);
        }
        Enobe[s] = Edit("Enobe", areas, StoreyEditWidth);
        Enobe[s]->setObjectName(QStringLiteral("Enobe") + suffix(s));
        areaRow(4, "延べ床面積", Enobe[s]);
        columnLayout->addWidget(areas);

        QGroupBox* heights = Group("階高", column);
        auto* heightsLayout = new QGridLayout(heights);
        for (int f = 0; f < 3; ++f) {
            Etakasa[s][f] = Edit("Etakasa", heights, StoreyEditWidth);
            Etakasa[s][f]->setObjectName(QStringLiteral("Etakasa") + Digits(s) + Digits(f + 1));
            heightsLayout->addWidget(Note(heightCaptions[f]), f, 0);
            heightsLayout->addWidget(Etakasa[s][f], f, 1);
            heightsLayout->addWidget(Note("m"), f, 2);
        }
        columnLayout->addWidget(heights);

        QGroupBox* weight = Group("建物の重さの区分", column);
        auto* weightLayout = new QVBoxLayout(weight);
        Radios(Rishiyou[s], {"軽い建物", "重い建物", "非常に重い建物"}, weightGroups_[s],
               weightLayout, U("Rishiyou") + suffix(s));
        columnLayout->addWidget(weight);

        QGroupBox* attic = Group("小屋裏収納", column);
        auto* atticLayout = new QHBoxLayout(attic);
        Radios(Rkoyaura[s], {"無", "有"}, atticGroups_[s], atticLayout, U("Rkoyaura") + suffix(s));
        columnLayout->addWidget(attic);

        G2x3[s] = Group("建物仕様（精密診断法・vu版）", column);
        G2x3[s]->setObjectName(QStringLiteral("G2") + Digits(s + 1) + QStringLiteral("3"));
        auto* specLayout = new QVBoxLayout(G2x3[s]);
        Radios(Rsshiyou[s],
               {"軽い屋根・軽い壁", "軽い屋根・重い壁", "重い屋根・軽い壁", "重い屋根・重い壁"},
               roofWallGroups_[s], specLayout, U("Rsshiyou") + suffix(s));
        columnLayout->addWidget(G2x3[s]);
        columnLayout->addStretch(1);
        columns->addWidget(column);
    }
    Label108 = Note("「vu版の建物仕様」と「全国版の建物の重さの区分」は連動しません。");
    layout->addWidget(Label108);
    layout->addWidget(RedNote("旧データ読み込みの場合は階高に注意！"));

    StoreyDataRecord& d = Doc.StoreyData;
    for (int s = 0; s < 3; ++s)
        fields.radios(storeyGroups_[s], d.topStorey[s], RadioRule::OthersShowAs(2));
    for (int s = 0; s < 3; ++s)
        fields.radios(atticGroups_[s], d.atticStorage[s], RadioRule::OthersShowAs(1));
    for (int s = 0; s < 3; ++s)
        fields.radios(weightGroups_[s], d.weightClass[s], RadioRule::OthersShowAs(2));
    for (int s = 0; s < 3; ++s)
        fields.radios(roofWallGroups_[s], d.roofWallClass[s], RadioRule::OthersShowAs(3));
    // The refusals name the field as its caption does, after the scenario for the plans.
    constexpr double MaxArea = 99999.99, MaxHeight = 99.999;
    static constexpr const char* FieldNames[3][5] = {
        {"建築面積", "１階床面積", "２階床面積", "３階床面積", "延べ床面積"},
        {"改修案１の建築面積", "改修案１の１階床面積", "改修案１の２階床面積",
         "改修案１の３階床面積", "改修案１の延べ床面積"},
        {"改修案２の建築面積", "改修案２の１階床面積", "改修案２の２階床面積",
         "改修案２の３階床面積", "改修案２の延べ床面積"}};
    static constexpr const char* HeightNames[3][3] = {
        {"１階階高", "２階階高", "３階階高"},
        {"改修案１の１階階高", "改修案１の２階階高", "改修案１の３階階高"},
        {"改修案２の１階階高", "改修案２の２階階高", "改修案２の３階階高"}};
    const auto area = [](const char* name) { return NumberField{name, 0, MaxArea, "㎡"}; };
    for (int s = 0; s < 3; ++s)
        fields.number(Ekenmen[s], d.buildingArea[s], "%6.2f", area(FieldNames[s][0]));
    for (int f = 0; f < 3; ++f)
        for (int s = 0; s < 3; ++s)
            fields.number(Eyuka[f][s], d.floorArea[f][s], "%6.2f", area(FieldNames[s][1 + f]));
    for (int s = 0; s < 3; ++s)
        fields.number(Enobe[s], d.totalFloorArea[s], "%6.2f", area(FieldNames[s][4]));
    for (int s = 0; s < 3; ++s)
        for (int f = 0; f < 3; ++f)
            fields.number(Etakasa[s][f], d.storeyHeight[s][f], "%6.3f",
                          {HeightNames[s][f], 0, MaxHeight, "m"});
}

void TGaiyouDlg::BuildFoundationPage(QWidget* page, FieldBindings& fields) {
    TabSheet9 = page;
    auto* layout = new QGridLayout(page);

    QGroupBox* foundation =
        Group("基礎 （ここは計算の為の入力、劣化入力とは連動しません。）", page);
    auto* foundationLayout = new QGridLayout(foundation);
    QGroupBox* type = Group("形式", foundation);
    auto* typeLayout = new QVBoxLayout(type);
    Radios(Ekisok, {"鉄筋コンクリート", "無筋コンクリート", "玉石基礎", "その他"},
           foundationTypeGroup_, typeLayout, "Ekisok");
    for (QRadioButton* radio : Ekisok)
        connect(radio, &QRadioButton::toggled, this, [this] { EnableFoundationAnswers(); });
    Ekisomemo = Edit("Ekisomemo", type, 160);
    typeLayout->addWidget(Ekisomemo);
    foundationLayout->addWidget(type, 0, 0, 2, 1);
    QGroupBox* crack = Group("亀裂", foundation);
    auto* crackLayout = new QHBoxLayout(crack);
    Radios(Ekisoh, {"無", "有"}, crackGroup_, crackLayout, "Ekisoh");
    foundationLayout->addWidget(crack, 0, 1);
    QGroupBox* bracing = Group("足固め", foundation);
    auto* bracingLayout = new QHBoxLayout(bracing);
    Radios(Ekisoa, {"無", "有"}, footBracingGroup_, bracingLayout, "Ekisoa");
    foundationLayout->addWidget(bracing, 1, 1);
    Lkisoshu = new QLabel(foundation);
    Lkisoshu->setObjectName(QStringLiteral("Lkisoshu"));
    foundationLayout->addWidget(Note("基礎の種類"), 2, 0);
    foundationLayout->addWidget(Lkisoshu, 2, 1);
    layout->addWidget(foundation, 0, 0);

    QGroupBox* uniformFoundation = Group("基礎の個別入力", page);
    auto* uniformFoundationLayout = new QVBoxLayout(uniformFoundation);
    Ckisokobetsu = new QCheckBox(U("基礎(Ⅰ、Ⅱ、Ⅲ)の個別入力を行わない。(全て上記の基礎にする）"));
    Ckisokobetsu->setObjectName(QStringLiteral("Ckisokobetsu"));
    uniformFoundationLayout->addWidget(Ckisokobetsu);
    uniformFoundationLayout->addWidget(Note("注） チェック無しの場合は下記で計算します。"));
    uniformFoundationLayout->addWidget(Note("個別入力のある部分－－入力された基礎"));
    uniformFoundationLayout->addWidget(Note("個別入力のない部分－－上記の基礎"));
    layout->addWidget(uniformFoundation, 1, 0);

    QGroupBox* floor = Group("床仕様（１階・２階 天井面）", page);
    auto* floorLayout = new QGridLayout(floor);
    QGroupBox* material = Group("床材", floor);
    auto* materialLayout = new QVBoxLayout(material);
    Radios(Ryukashi, {"全て合板", "その他", "目視不可"}, floorMaterialGroup_, materialLayout,
           "Ryukashi");
    floorLayout->addWidget(material, 0, 0);
    QGroupBox* brace = Group("火打ち梁", floor);
    auto* braceLayout = new QVBoxLayout(brace);
    Radios(Rhiuchi, {"無", "有", "目視不可"}, horizontalBraceGroup_, braceLayout, "Rhiuchi");
    floorLayout->addWidget(brace, 0, 1);
    QGroupBox* largeVoid = Group("一辺４ｍ以上の吹抜け", floor);
    auto* voidLayout = new QVBoxLayout(largeVoid);
    Radios(Rfukinuke, {"無", "有"}, largeVoidGroup_, voidLayout, "Rfukinuke");
    floorLayout->addWidget(largeVoid, 0, 2);
    Lyukashu = new QLabel(floor);
    Lyukashu->setObjectName(QStringLiteral("Lyukashu"));
    floorLayout->addWidget(Note("床仕様の種類"), 1, 0);
    floorLayout->addWidget(Lyukashu, 1, 1);
    layout->addWidget(floor, 2, 0);

    QGroupBox* uniformFloor = Group("床仕様の個別入力", page);
    auto* uniformFloorLayout = new QVBoxLayout(uniformFloor);
    Cyukakobetsu =
        new QCheckBox(U("床仕様（Ⅰ、Ⅱ、Ⅲ）の個別入力を行わない。（上記床仕様で計算する）"));
    Cyukakobetsu->setObjectName(QStringLiteral("Cyukakobetsu"));
    uniformFloorLayout->addWidget(Cyukakobetsu);
    uniformFloorLayout->addWidget(Note("注） チェック無しの場合は下記で計算します。"));
    uniformFloorLayout->addWidget(Note("一般診断法－－上記の床仕様"));
    uniformFloorLayout->addWidget(Note("精密診断法－－個別入力が必須　入力無しの部分は床耐力無し"));
    layout->addWidget(uniformFloor, 3, 0);

    QGroupBox* soft = Group("著しく軟弱な地盤の指定", page);
    auto* softLayout = new QGridLayout(soft);
    Eichijiru = new QCheckBox(U("著しく軟弱な地盤"), soft);
    Eichijiru->setObjectName(QStringLiteral("Eichijiru"));
    Ekonkyo1 = Edit("Ekonkyo1", soft, 200);
    softLayout->addWidget(Eichijiru, 0, 0);
    softLayout->addWidget(Note("注） 軟弱地盤割増で計算します。"), 0, 1);
    softLayout->addWidget(Note("(必要耐力×1.5)"), 0, 2);
    softLayout->addWidget(Note("根拠"), 1, 0);
    softLayout->addWidget(Ekonkyo1, 1, 1, 1, 2);
    layout->addWidget(soft, 4, 0);
    layout->setRowStretch(5, 1);

    GroundFoundationSurveyRecord& g = Doc.GroundFoundationSurvey;
    FoundationFloorSpecRecord& f = Doc.FoundationFloorSpec;
    fields.add(std::make_unique<SoftGroundBinding>(Eichijiru, g.groundClass))
        .text(Ekonkyo1, g.softGroundBasis, 18)
        .radios(foundationTypeGroup_, f.foundationType, RadioRule::OthersShowAs(3))
        .radios(crackGroup_, f.foundationCrack, RadioRule::OthersShowAs(1))
        .radios(footBracingGroup_, f.footBracing, RadioRule::OthersShowAs(1))
        .text(Ekisomemo, f.foundationMemo, 32)
        .check(Ckisokobetsu, f.uniformFoundation)
        .radios(floorMaterialGroup_, f.floorMaterial, RadioRule::OthersShowAs(2))
        .radios(horizontalBraceGroup_, f.horizontalBrace, RadioRule::OthersShowAs(2))
        .radios(largeVoidGroup_, f.largeVoid, RadioRule::OthersShowAs(1))
        .check(Cyukakobetsu, f.uniformFloor, TickWhen::NonZero);
}

// --- Showing ------------------------------------------------------------------------------

void TGaiyouDlg::resetPages() {
    for (QTabWidget* pages : {PageControl1, PageControl2, PageControl3, PageControl4})
        if (pages->count() > 0) pages->setCurrentIndex(0);
}

void TGaiyouDlg::FitToMainWindow() {
    if (!host_) return;
    const int height = host_->mainWindowHeight();
    if (height >= 676) return;
    resize(width(), height);
    move(x(), 0);
}

void TGaiyouDlg::FitToPages() {
    // The pages' texts take more room than the design gave them: the dialog grows to show the
    // pages offered without scrolling sideways, and as tall as the tallest of them, as far as
    // the screen allows.
    for (QWidget* w :
         std::initializer_list<QWidget*>{PageControl2, PageControl3, PageControl4, TabSheet1,
                                         TabSheet7, TabSheet10, PageControl1, Panel1})
        w->updateGeometry();
    layout()->invalidate();
    // At least as wide as designed.
    const QSize needed = layout()->totalSizeHint().expandedTo(QSize(701, 0));
    QSize size = needed;
    if (const QScreen* display = screen()) {
        size = needed.boundedTo(display->availableGeometry().size() - FrameExtent(this));
    }
    if (host_ && host_->mainWindowHeight() < 676) size.setHeight(height());
    resize(size);
    KeepOnScreen(this);
    // Every showing starts at the top of its pages.
    for (QScrollArea* scroll : pageScrolls_) {
        scroll->verticalScrollBar()->setValue(0);
        scroll->horizontalScrollBar()->setValue(0);
    }
}

void TGaiyouDlg::TakeUserSize() {
    if (userSize_ == FormSize()) {
        givenSize_ = FormSize::Of(*this);
        return;
    }
    if (const QScreen* display = screen())
        userSize_.restore(*this, display->availableGeometry().size() - FrameExtent(this));
    KeepOnScreen(this);
    givenSize_ = FormSize::Of(*this);
}

void TGaiyouDlg::hideEvent(QHideEvent* event) {
    if (!event->spontaneous() && !(FormSize::Of(*this) == givenSize_))
        userSize_ = FormSize::Of(*this);
    ModalForm::hideEvent(event);
}

void TGaiyouDlg::ShowEditionChoice() {
    const bool city = App.CityEditionEnabled != 0;
    Rmodeb2->setEnabled(city);
    // The switch is out of sight in the About box: the disabled radio says where it is.
    const QString hint = city ? QString()
                              : U("［vu版］は「ヘルプ」→「バージョン情報」の「vu版使用」を"
                                  "チェックすると選べます。");
    Rmodeb2->setToolTip(hint);
    Rmodeb2->setStatusTip(hint);
    for (QWidget* cityOnly : {static_cast<QWidget*>(Label103), static_cast<QWidget*>(Label200),
                              static_cast<QWidget*>(Label100), static_cast<QWidget*>(Label96),
                              static_cast<QWidget*>(Label108)})
        cityOnly->setVisible(city);
    for (QGroupBox* spec : G2x3) spec->setVisible(city);
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet7), city);
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet10), city);
    // Hidden pages must not widen or heighten the dialog.
    const QSizePolicy::Policy policy = city ? QSizePolicy::Preferred : QSizePolicy::Ignored;
    for (QWidget* sheet : {TabSheet7, TabSheet10}) sheet->setSizePolicy(policy, policy);
    // Greyed with its radio, still to be read: it tells why the radio is off.
    SetReadableLabelColour(Label278, city ? Rgb(0, 0, 0) : Rgb(128, 128, 128));
    Rmodeb4->setEnabled(App.Revision2012Enabled != 0);
}

void TGaiyouDlg::EnableFoundationAnswers() {
    const int type = foundationTypeGroup_.checkedId();
    const bool crackCounts = type == 0 || type == 1, bracingCounts = type == 2;
    for (QRadioButton* radio : Ekisoh) radio->setEnabled(crackCounts);
    for (QRadioButton* radio : Ekisoa) radio->setEnabled(bracingCounts);
}

int TGaiyouDlg::GroundAnswer() const {
    return Report.groundAnswer();
}

void TGaiyouDlg::FormShow() {
    okChangedDocument_ = false;
    FitToMainWindow();
    Rules.ClearStoreyRadios();
    ShowEditionChoice();
    FitToPages();
    TakeUserSize();
    otherElementsGroup_.setCheckedId(OtherElementsMethod);
    for (FieldBindings& fields : pageFields_) fields.load();
    shownGround_ = {GroundAnswer(), Eichijiru->isChecked()};
    EnableFoundationAnswers();
    Rules.RefreshDerivedLabels();
}

// --- OK -----------------------------------------------------------------------------------

void TGaiyouDlg::OKBtnClick() {
    auto before = StoredOverview::FromDocument();
    // Every page as it is shown; OtherElementsMethod is the calculation's constant. A value a
    // field cannot take keeps the dialog open with nothing stored, before the edition's
    // notices and questions.
    if (!StoreAll(pageFields_)) return;
    if (App.DataLoading == 0) App.Modified = 1;

    // A class no radio shows stays until the user answers.
    GroundFoundationSurveyRecord& ground = Doc.GroundFoundationSurvey;
    if (GroundAnswer() != shownGround_.first || Eichijiru->isChecked() != shownGround_.second)
        ground.groundClass = ComposeGroundClass(GroundAnswer(), Eichijiru->isChecked());
    FoundationFloorSpecRecord& spec = Doc.FoundationFloorSpec;
    spec.foundationClass = FoundationClassOf(spec);
    CalcDeteriorationFactor();

    // What is typed must not be lost unasked: a changed document is modified also while a file
    // is loading, after a new document and at start-up.
    // The foundation class is derived, and not in the file.
    before->foundationFloorSpec.foundationClass = spec.foundationClass;
    okChangedDocument_ = !(*StoredOverview::FromDocument() == *before);
    if (okChangedDocument_) App.Modified = 1;

    if (host_) {
        host_->setFoundationModeEnabled(spec.uniformFoundation == 0);
        host_->setFloorSpecModeEnabled(spec.uniformFloor == 0);
        host_->updateStoreyControls();
        host_->showEditionAndClasses();
    }
    App.DataLoading = 0;
    if (host_) host_->documentChanged();
    accept();
}
