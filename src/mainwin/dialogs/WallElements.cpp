#include "mainwin/dialogs/WallElements.h"

#include "calc/WallElementTables.h"
#include "model/Bounded.h"
#include "model/Model.h"
#include "model/ShownNumbers.h"
#include "ui/Controls.h"
#include "ui/QtCanvas.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

namespace {

// Items 30..34 are the user materials; their texts follow the document's user panels.
constexpr int FirstUserPanelItem = 30;
constexpr int PanelItemCount = 35;
const char* const PanelItems[PanelItemCount] = {
    "   無し",
    "?? 不明",
    "K1 木ずり釘打ち",
    "P1 構造用合板大壁耐力壁",
    "Q1 構造用パネル",
    "HW 硬質木片ｾﾒﾝﾄ板",
    "PB ﾌﾚｷｼﾌﾞﾙﾎﾞｰﾄﾞ",
    "AP 石綿ﾊﾟｰﾗｲﾄ板",
    "AK 石綿ｹｲ酸ｶﾙｼｳﾑ板",
    "CM 炭酸ﾏｸﾞﾈｼｳﾑ板",
    "PS ﾊﾟﾙﾌﾟｾﾒﾝﾄ板",
    "SB ｼｰｼﾞﾝｸﾞﾎﾞｰﾄﾞ",
    "RS ﾗｽｼｰﾄ",
    " M ﾓﾙﾀﾙ塗壁",
    " S 窯業系ｻｲﾃﾞｨﾝｸﾞ",
    "G1 石膏ﾎﾞｰﾄﾞ12大壁耐力壁",
    "G2 石膏ﾎﾞｰﾄﾞ12真壁耐力壁",
    "P2 構造用合板真壁耐力壁",
    "P3 構造用合板大壁川の字",
    "Q3 構造用ﾊﾟﾈﾙ大壁川の字",
    "PB ﾊﾟｰﾃｨｸﾙﾎﾞｰﾄﾞ大壁川の字",
    "G5 石膏ﾎﾞｰﾄﾞ12大壁川の字",
    "K2 木ずり釘打ち非耐力壁",
    "G3 石膏ﾎﾞｰﾄﾞ9大壁非耐力壁",
    "L1 化粧合板5.5大壁",
    "P4 構造用合板大壁非耐力壁",
    "Q4 構造用ﾊﾟﾈﾙ大壁非耐力壁",
    "G4 石膏ﾎﾞｰﾄﾞ9真壁非耐力壁",
    "L2 化粧合板5.5真壁",
    "P5 構造用合板受材",
    "X1 その他1",
    "X2 その他2",
    "X3 その他3",
    "X4 その他4",
    "X5 その他5",
};
constexpr int BraceSizeCount = 7;
const char* const BraceSizeItems[BraceSizeCount] = {"無し",  "不明",  "鉄筋9mm", "90x15",
                                                    "90x30", "90x45", "90x90"};

// A combo as wide as its longest item, never stretched by its group.
QComboBox* Combo(QWidget* parent, const char* const* items, int count) {
    auto* combo = new QComboBox(parent);
    for (int i = 0; i < count; ++i) combo->addItem(QString::fromUtf8(items[i]));
    combo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return combo;
}

// The palette floats over the plan being drawn: its groups keep their contents close.
template <typename Layout>
Layout* Tight(QWidget* group) {
    auto* layout = new Layout(group);
    layout->setContentsMargins(2, 0, 2, 2);
    layout->setSpacing(0);
    return layout;
}

QGroupBox* Group(QWidget* parent, const char* caption) {
    return new QGroupBox(QString::fromUtf8(caption), parent);
}

QRadioButton* Radio(QWidget* parent, const char* caption, QLayout* layout) {
    auto* r = new QRadioButton(QString::fromUtf8(caption), parent);
    layout->addWidget(r);
    return r;
}

// The combo and the furring box of one face from its panel code; a code outside the lists
// shows the nearest item.
void ShowPanel(QComboBox* combo, QCheckBox* furring, int32_t code) {
    combo->setCurrentIndex(ClampIndex(code / 2, PanelItemCount));
    furring->setChecked(code % 2 != 0); // runs the box's handler when it changes
}

} // namespace

void DrawWallStrengthPreview(Canvas& canvas, double strength) {
    char text[32];
    FormatShown(text, sizeof text, "%5.2f", strength);
    canvas.setBrushStyle(BrushStyle::Clear);
    CanvasFont font;
    font.height = 13;
    canvas.setFont(font);
    canvas.textOut(0, 0, text);
}

WallStrengthPreview::WallStrengthPreview(QWidget* parent) : QWidget(parent) {
    setFixedSize(48, 16);
}

void WallStrengthPreview::setStrength(double strength) {
    strength_ = strength;
    update();
}

QString WallStrengthPreview::text() const {
    char text[32];
    FormatShown(text, sizeof text, "%5.2f", strength_);
    return QString::fromLatin1(text);
}

void WallStrengthPreview::paintEvent(QPaintEvent*) {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    {
        QPainter imagePainter(&image);
        QtCanvas canvas(imagePainter);
        DrawWallStrengthPreview(canvas, strength_);
    }
    QPainter p(this);
    p.drawImage(0, 0, image);
}

WallElementControls::WallElementControls(QWidget* form, WallSpecRefs spec) : spec_(spec) {
    G1 = Group(form, "壁の種類");
    auto* g1 = Tight<QVBoxLayout>(G1);
    Rmukaikou = Radio(G1, "無開口", g1);
    Rmado = Radio(G1, "マド", g1);
    Rto = Radio(G1, "戸", g1);
    Rzenkaikou = Radio(G1, "耐力無", g1);
    kinds_ = new RadioGroup(form);
    kinds_->add(Rmukaikou, 0, [this] { RmukaikouClick(); });
    kinds_->add(Rmado, 1, [this] { RmadoClick(); });
    kinds_->add(Rto, 4, [this] { RtoClick(); });
    kinds_->add(Rzenkaikou, WallKindNoStrength, [this] { RzenkaikouClick(); });

    G2 = Group(form, "左上面材");
    auto* g2 = Tight<QHBoxLayout>(G2);
    g2->setSpacing(4);
    Clumem = Combo(G2, PanelItems, PanelItemCount);
    Cludoubuchi = new QCheckBox(QStringLiteral("胴縁"), G2);
    g2->addWidget(Clumem);
    g2->addWidget(Cludoubuchi);
    BindComboChoice(Clumem, [this] { ClumemChange(); });
    BindCheckBox(Cludoubuchi, [this] { CludoubuchiClick(); });

    G3 = Group(form, "右下面材");
    auto* g3 = Tight<QHBoxLayout>(G3);
    g3->setSpacing(4);
    Crdmem = Combo(G3, PanelItems, PanelItemCount);
    Crddoubuchi = new QCheckBox(QStringLiteral("胴縁"), G3);
    g3->addWidget(Crdmem);
    g3->addWidget(Crddoubuchi);
    BindComboChoice(Crdmem, [this] { CrdmemChange(); });
    BindCheckBox(Crddoubuchi, [this] { CrddoubuchiClick(); });

    G4 = Group(form, "筋かい");
    auto* g4 = Tight<QGridLayout>(G4);
    g4->setHorizontalSpacing(2);
    Csujikai = Combo(G4, BraceSizeItems, BraceSizeCount);
    BindComboChoice(Csujikai, [this] { CsujikaiChange(); });
    G41 = Group(G4, "");
    auto* g41 = Tight<QVBoxLayout>(G41);
    Rsingle = Radio(G41, "一方向", g41);
    Rdouble = Radio(G41, "ﾀｽｷ掛け", g41);
    G42 = Group(G4, "");
    auto* g42 = Tight<QVBoxLayout>(G42);
    Rknashi = Radio(G42, "金物 無", g42);
    Rk15bai = Radio(G42, "1.5倍", g42);
    Rkkokuji = Radio(G42, "告示", g42);
    // The size above the direction, the hardware beside both.
    for (QGroupBox* g : {G41, G42}) {
        g->setFlat(true);
        g->layout()->setContentsMargins(0, 0, 0, 0);
    }
    g4->addWidget(Csujikai, 0, 0);
    g4->addWidget(G41, 1, 0);
    g4->addWidget(G42, 0, 1, 2, 1);
    directions_ = new RadioGroup(form);
    directions_->add(Rsingle, BraceOneWay, [this] { RsingleClick(); });
    directions_->add(Rdouble, BraceCross, [this] { RdoubleClick(); });
    hardware_ = new RadioGroup(form);
    hardware_->add(Rknashi, 0, [this] { RknashiClick(); });
    hardware_->add(Rk15bai, 1, [this] { Rk15baiClick(); });
    hardware_->add(Rkkokuji, 2, [this] { RkkokujiClick(); });

    // Two columns of thickness classes keep the group as low as the others.
    G5 = Group(form, "土壁");
    auto* g5 = Tight<QGridLayout>(G5);
    g5->setHorizontalSpacing(6);
    const char* const mudItems[] = {"無し", "不明", "<５cm", "<７cm", "<９cm", "≧９cm"};
    QRadioButton* mud[std::size(mudItems)];
    for (std::size_t i = 0; i < std::size(mudItems); ++i) {
        mud[i] = new QRadioButton(QString::fromUtf8(mudItems[i]), G5);
        g5->addWidget(mud[i], static_cast<int>(i % 3), static_cast<int>(i / 3));
    }
    Rtnashi = mud[0];
    Rtfumei = mud[1];
    Rt5 = mud[2];
    Rt7 = mud[3];
    Rt9 = mud[4];
    Rt9o = mud[5];
    Label6 = new QLabel(QStringLiteral("両面の場合は合計の厚さ"), G5);
    SetLabelColours(Label6, 0x0000FF);
    g5->addWidget(Label6, 3, 0, 1, 2);
    mudWalls_ = new RadioGroup(form);
    mudWalls_->add(Rtnashi, 0, [this] { RtnashiClick(); });
    mudWalls_->add(Rtfumei, 1, [this] { RtfumeiClick(); });
    mudWalls_->add(Rt5, 2, [this] { Rt5Click(); });
    mudWalls_->add(Rt7, 3, [this] { Rt7Click(); });
    mudWalls_->add(Rt9, 4, [this] { Rt9Click(); });
    mudWalls_->add(Rt9o, 5, [this] { Rt9oClick(); });

    G6 = Group(form, "劣化");
    auto* g6 = Tight<QVBoxLayout>(G6);
    Rzentai = Radio(G6, "劣化", g6);
    Rbubun = Radio(G6, "部分", g6);
    Rnashi = Radio(G6, "なし", g6);
    deterioration_ = new RadioGroup(form);
    deterioration_->add(Rzentai, 0, [this] { RzentaiClick(); });
    deterioration_->add(Rbubun, 1, [this] { RbubunClick(); });
    deterioration_->add(Rnashi, 2, [this] { RnashiClick(); });

    for (QGroupBox* g : {G1, G4, G5, G6}) g->layout()->setAlignment(Qt::AlignTop);

    Label5 = new QLabel(QStringLiteral("耐力＝"), form);
    Lbairitsu = new WallStrengthPreview(form);
}

// ---- Handlers: each stores its value and shows the new preview ------------------------------

void WallElementControls::RmukaikouClick() {
    spec_.kind = 0;
    ShowPreview();
}
void WallElementControls::RmadoClick() {
    spec_.kind = 1;
    ShowPreview();
}
void WallElementControls::RtoClick() {
    spec_.kind = 4;
    ShowPreview();
}
void WallElementControls::RzenkaikouClick() {
    spec_.kind = WallKindNoStrength;
    ShowPreview();
}
void WallElementControls::RzentaiClick() {
    spec_.deterioration = 0;
    ShowPreview();
}
void WallElementControls::RbubunClick() {
    spec_.deterioration = 1;
    ShowPreview();
}
void WallElementControls::RnashiClick() {
    spec_.deterioration = 2;
    ShowPreview();
}

void WallElementControls::PanelChanged(QComboBox* combo, QCheckBox* furring, int32_t& code) {
    code = std::max(combo->currentIndex(), 0) * 2 + (furring->isChecked() ? 1 : 0);
    ShowPreview();
}
void WallElementControls::ClumemChange() {
    PanelChanged(Clumem, Cludoubuchi, spec_.panelL);
}
void WallElementControls::CludoubuchiClick() {
    PanelChanged(Clumem, Cludoubuchi, spec_.panelL);
}
void WallElementControls::CrdmemChange() {
    PanelChanged(Crdmem, Crddoubuchi, spec_.panelR);
}
void WallElementControls::CrddoubuchiClick() {
    PanelChanged(Crdmem, Crddoubuchi, spec_.panelR);
}

void WallElementControls::CsujikaiChange() {
    spec_.braceSize = std::max(Csujikai->currentIndex(), 0);
    // A word without a direction (a new document's 0) takes one way with its first bracing.
    if (spec_.braceSize != 0 && spec_.braceDirection < BraceOneWay)
        spec_.braceDirection = BraceOneWay;
    RecomposeBrace(spec_);
    ShowPreview();
}

void WallElementControls::SetDirection(int32_t direction) {
    spec_.braceDirection = direction;
    RecomposeBrace(spec_);
    ShowPreview();
}
void WallElementControls::RsingleClick() {
    SetDirection(BraceOneWay);
}
void WallElementControls::RdoubleClick() {
    SetDirection(BraceCross);
}

void WallElementControls::SetHardware(int32_t hardware) {
    spec_.braceHardware = hardware;
    RecomposeBrace(spec_);
    ShowPreview();
}
void WallElementControls::RknashiClick() {
    SetHardware(0);
}
void WallElementControls::Rk15baiClick() {
    SetHardware(1);
}
void WallElementControls::RkkokujiClick() {
    SetHardware(2);
}

void WallElementControls::SetMudWall(int32_t mud) {
    spec_.mudWall = mud;
    RecomposeBrace(spec_);
    ShowPreview();
}
void WallElementControls::RtnashiClick() {
    SetMudWall(0);
}
void WallElementControls::RtfumeiClick() {
    SetMudWall(1);
}
void WallElementControls::Rt5Click() {
    SetMudWall(2);
}
void WallElementControls::Rt7Click() {
    SetMudWall(3);
}
void WallElementControls::Rt9Click() {
    SetMudWall(4);
}
void WallElementControls::Rt9oClick() {
    SetMudWall(5);
}

// ---- Presetting ------------------------------------------------------------------------------

void WallElementControls::PresetControls() {
    for (QComboBox* combo : {Clumem, Crdmem}) {
        for (int k = 0; k < PanelItemCount - FirstUserPanelItem; ++k) {
            const CustomPanelRecord& p = Doc.CustomPanels[k * 2]; // the plain, not furred one
            const std::string text = p.symbol.str() + " " + p.name.str();
            combo->setItemText(FirstUserPanelItem + k, QStringFromCp932(text));
        }
    }
    // Checking a radio that was not checked runs its handler; the word is decoded again after
    // the kind, before the bracing radios, so those handlers compose from the stored word.
    const int32_t kind = spec_.kind;
    kinds_->setCheckedId(InRange(kind, std::size(WallKindButton)) ? WallKindButton[kind]
                                                                  : WallKindNoStrength);
    const int32_t det = spec_.deterioration;
    deterioration_->setCheckedId(det == 0 || det == 1 ? det : 2);
    DecodeBrace(spec_);
    Csujikai->setCurrentIndex(ClampIndex(spec_.braceSize, BraceSizeCount));
    directions_->setCheckedId(spec_.braceDirection < BraceCross ? BraceOneWay : BraceCross);
    const int32_t hw = spec_.braceHardware;
    hardware_->setCheckedId(hw == 0 || hw == 1 ? hw : 2);
    ShowPanel(Clumem, Cludoubuchi, spec_.panelL);
    ShowPanel(Crdmem, Crddoubuchi, spec_.panelR);
    const int32_t mud = spec_.mudWall;
    mudWalls_->setCheckedId(mud >= 0 && mud <= 4 ? mud : 5);
    ShowPreview();
}

void WallElementControls::ShowPreview() {
    Lbairitsu->setStrength(WallPreviewStrength(spec_));
}
