#include "mainwin/dialogs/Dhashira.h"

#include "model/AppState.h"
#include "ui/Controls.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

TColumnDlg* ColumnDlg = nullptr;

namespace {

// A box for radios along `orientation`. A status-bar hint shows over the box and, through
// RadioGroup::addTo, over every radio added to it.
QGroupBox* Box(QWidget* form, const char* caption, Qt::Orientation orientation,
               const char* statusHint = nullptr) {
    auto* box = new QGroupBox(QString::fromUtf8(caption), form);
    if (statusHint) box->setStatusTip(QString::fromUtf8(statusHint));
    if (orientation == Qt::Horizontal) {
        new QHBoxLayout(box);
    } else {
        new QVBoxLayout(box);
    }
    return box;
}

constexpr const char* CornerHint = "出隅柱の判定を指示します。";

} // namespace

void ColumnJointRadios::buildJointRadios(QWidget* form, Qt::Orientation orientation, Hints hints) {
    const bool onStatusBar = hints == Hints::StatusBar;
    hardware_ = new RadioGroup(form);
    GroupBox2 =
        Box(form, "金物仕様", orientation, onStatusBar ? "金物仕様を指定します。" : nullptr);
    Rkugi = hardware_->addTo(GroupBox2, 0, "釘打ち");
    RVP = hardware_->addTo(GroupBox2, 1, "ＶＰ");
    Rkokuji = hardware_->addTo(GroupBox2, 2, "告示");

    corner_ = new RadioGroup(form);
    GroupBox3 = Box(form, "出隅柱", orientation, onStatusBar ? CornerHint : nullptr);
    if (!onStatusBar) GroupBox3->setToolTip(QString::fromUtf8(CornerHint));
    Rdesumi0 = corner_->addTo(GroupBox3, 0, "自動");
    Rdesumi1 = corner_->addTo(GroupBox3, 1, "出隅柱");
    Rdesumi2 = corner_->addTo(GroupBox3, 2, "一般柱");
}

TColumnDlg::TColumnDlg(QWidget* mainWindow) : PaletteForm(mainWindow, QStringLiteral("柱の入力")) {
    kind_ = new RadioGroup(this);
    GroupBox1 = Box(this, "柱の種類", Qt::Vertical, "柱の種類を選びます。");
    Rkuda = kind_->addTo(GroupBox1, 1, "管柱", [this] { RkudaClick(); });
    Rtoushi = kind_->addTo(GroupBox1, 2, "通し柱(1-2)", [this] { RtoushiClick(); });
    Rtoushi2 = kind_->addTo(GroupBox1, 3, "通し柱(2-3)", [this] { Rtoushi2Click(); });
    Rtoushi2->setEnabled(false);

    buildJointRadios(this, Qt::Vertical, Hints::StatusBar);
    BindRadio(Rkugi, [this] { RkugiClick(); });
    BindRadio(RVP, [this] { RVPClick(); });
    BindRadio(Rkokuji, [this] { RkokujiClick(); });
    BindRadio(Rdesumi0, [this] { Rdesumi0Click(); });
    BindRadio(Rdesumi1, [this] { Rdesumi1Click(); });
    BindRadio(Rdesumi2, [this] { Rdesumi2Click(); });

    auto* row = new QHBoxLayout(this);
    row->addWidget(GroupBox1);
    row->addWidget(GroupBox2);
    row->addWidget(GroupBox3);
    row->setSizeConstraint(QLayout::SetFixedSize);

    fields_.radios(*kind_, App.CurColumnKind, RadioRule::Fallback(3))
        .radios(*hardware_, App.CurColumnHardware, RadioRule::Fallback(2))
        .radios(*corner_, App.CurColumnCorner, RadioRule::Fallback(2));
}

void TColumnDlg::RkudaClick() {
    App.CurColumnKind = 1;
}
void TColumnDlg::RtoushiClick() {
    App.CurColumnKind = 2;
}
void TColumnDlg::Rtoushi2Click() {
    App.CurColumnKind = 3;
}
void TColumnDlg::RkugiClick() {
    App.CurColumnHardware = 0;
}
void TColumnDlg::RVPClick() {
    App.CurColumnHardware = 1;
}
void TColumnDlg::RkokujiClick() {
    App.CurColumnHardware = 2;
}
void TColumnDlg::Rdesumi0Click() {
    App.CurColumnCorner = 0;
}
void TColumnDlg::Rdesumi1Click() {
    App.CurColumnCorner = 1;
}
void TColumnDlg::Rdesumi2Click() {
    App.CurColumnCorner = 2;
}

void TColumnDlg::FormShow() {
    // Every storey change resets the kind to 管柱 and shows the palette again, so a through
    // column the storey cannot take is never the one checked.
    Rtoushi->setEnabled(App.CurrentStorey == 0 || App.CurrentStorey == 1);
    Rtoushi2->setEnabled(App.CurrentStorey == 1 || App.CurrentStorey == 2);
    fields_.load();
    fields_.store(); // a radio already checked for an unknown value still writes its own
}
