#include "mainwin/dialogs/Dkabe.h"

#include "model/AppState.h"
#include "ui/Colors.h"
#include "ui/Controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TWallDlg* WallDlg = nullptr;

namespace {

struct LegendEntry {
    const char* caption;
    ColorRef colour;
};
// The colours of the plan's judgement scale, best first.
constexpr LegendEntry FloorLegend[] = {
    {"≧1.0", 0xFFFFFF}, {"≧0.9", 0xF6CF6D}, {"≧0.8", 0x9CCA82},  {"≧0.7", 0x99FFCE},
    {"≧0.6", 0x00F2FF}, {"≧0.5", 0x85D3FE}, {"≧0.4", 0x568EF6},  {"≧0.3", 0xC19AF4},
    {"≧0.2", 0x8C00EC}, {"≧0.1", 0x241CED}, {"＜0.1", 0x969696},
};
constexpr LegendEntry BeamLegend[] = {
    {"≦3.0", 0xB5B54A},  {"≦7.5", 0x4AB54A},  {"≦8.5", 0x4AB5B5},
    {"≦10.1", 0x4A83B5}, {"≦15.9", 0x4A4AB5}, {">15.9", 0xB5B5B5},
};

template <std::size_t N>
QGroupBox* Legend(QWidget* parent, const char* caption, const LegendEntry (&entries)[N]) {
    auto* box = new QGroupBox(QString::fromUtf8(caption), parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(3, 1, 3, 3);
    row->setSpacing(1);
    for (const LegendEntry& e : entries) {
        auto* panel = new QLabel(QString::fromUtf8(e.caption), box);
        panel->setAlignment(Qt::AlignCenter);
        panel->setContentsMargins(1, 0, 1, 0);
        SetLabelColours(panel, 0x000000, e.colour);
        row->addWidget(panel);
    }
    return box;
}

} // namespace

TWallDlg::TWallDlg(QWidget* mainWindow) : PaletteForm(mainWindow) {
    setWindowTitle(QStringLiteral("壁の入力"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ColorFromRef(15000804));
    setPalette(pal);

    elements_ = std::make_unique<WallElementControls>(this, CurrentWallSpec());
    WallElementControls& e = *elements_;

    Bhyouji = new QPushButton(QStringLiteral("ON／OFF"), this);
    connect(Bhyouji, &QPushButton::clicked, this, [this] { BhyoujiClick(); });
    auto* switchColumn = new QVBoxLayout;
    switchColumn->setSpacing(0);
    for (const char* text : {"要素及び", "床耐力の", "表示"}) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setAlignment(Qt::AlignRight);
        switchColumn->addWidget(label);
    }
    switchColumn->addSpacing(2);
    switchColumn->addWidget(Bhyouji);
    switchColumn->addSpacing(4);
    switchColumn->addWidget(e.Label5);
    switchColumn->addWidget(e.Lbairitsu, 0, Qt::AlignRight);
    switchColumn->addStretch();

    // The wide form adds the elements beside the kinds and the legends below all.
    groups_ = new QWidget(this);
    legends_ = new QWidget(this);
    for (QWidget* w : {e.G2, e.G3, e.G4, e.G5, e.G6}) w->setParent(groups_);
    GroupBox2 = Legend(legends_, "床耐力の検証（存在耐力／必要耐力）", FloorLegend);
    GroupBox1 = Legend(legends_, "横架材引抜力（最大の推定値 ｋN）", BeamLegend);
    StaticText1 = new QLabel(QStringLiteral("床耐力･横架材引抜力は"), legends_);
    StaticText2 = new QLabel(QStringLiteral("改修計画の参考値です。"), legends_);
    SetLabelColours(StaticText1, 0x000080);
    SetLabelColours(StaticText2, 0x000080);

    auto* panels = new QVBoxLayout;
    panels->setSpacing(2);
    panels->addWidget(e.G2);
    panels->addWidget(e.G3);
    panels->addStretch();
    auto* groups = new QHBoxLayout(groups_);
    groups->setContentsMargins(4, 0, 0, 0);
    groups->setSpacing(2);
    groups->addLayout(panels);
    groups->addWidget(e.G4, 0, Qt::AlignTop);
    groups->addWidget(e.G5, 0, Qt::AlignTop);
    groups->addWidget(e.G6, 0, Qt::AlignTop);

    auto* notes = new QVBoxLayout;
    notes->setSpacing(0);
    notes->addStretch();
    notes->addWidget(StaticText1);
    notes->addWidget(StaticText2);
    auto* legends = new QHBoxLayout(legends_);
    legends->setContentsMargins(0, 0, 0, 0);
    legends->setSpacing(2);
    legends->addWidget(GroupBox2);
    legends->addWidget(GroupBox1);
    legends->addLayout(notes);
    legends->addStretch();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(2);
    grid->addWidget(e.G1, 0, 0, Qt::AlignTop);
    grid->addLayout(switchColumn, 0, 1);
    grid->addWidget(groups_, 0, 2);
    grid->addWidget(legends_, 1, 0, 1, 3);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    ApplyForm();
}

TWallDlg::~TWallDlg() = default;

void TWallDlg::ApplyForm() {
    groups_->setVisible(expanded_);
    elements_->Label5->setVisible(expanded_);
    elements_->Lbairitsu->setVisible(expanded_);
    legends_->setVisible(expanded_);
}

void TWallDlg::BhyoujiClick() {
    expanded_ = !expanded_;
    ApplyForm();
    fitToControls();
}

void TWallDlg::FormShow() {
    elements_->PresetControls();
    ShowBeamLegend();
}

void TWallDlg::ShowBeamLegend() {
    GroupBox1->setVisible(App.Options.ShowBeamStress == 1);
}
