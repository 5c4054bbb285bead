#include "mainwin/dialogs/Dhashira.h"

#include "model/AppState.h"
#include "ui/Controls.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

TColumnDlg* ColumnDlg = nullptr;

namespace {

QGroupBox* Group(QWidget* parent, const char* caption, const char* hint) {
    auto* box = new QGroupBox(QString::fromUtf8(caption), parent);
    box->setStatusTip(QString::fromUtf8(hint));
    new QVBoxLayout(box);
    return box;
}

} // namespace

TColumnDlg::TColumnDlg(QWidget* mainWindow) : PaletteForm(mainWindow, QStringLiteral("柱の入力")) {
    kind_ = new RadioGroup(this);
    hardware_ = new RadioGroup(this);
    corner_ = new RadioGroup(this);

    GroupBox1 = Group(this, "柱の種類", "柱の種類を選びます。");
    Rkuda = kind_->addTo(GroupBox1, 1, "管柱", [this] { RkudaClick(); });
    Rtoushi = kind_->addTo(GroupBox1, 2, "通し柱(1-2)", [this] { RtoushiClick(); });
    Rtoushi2 = kind_->addTo(GroupBox1, 3, "通し柱(2-3)", [this] { Rtoushi2Click(); });
    Rtoushi2->setEnabled(false);

    GroupBox2 = Group(this, "金物仕様", "金物仕様を指定します。");
    Rkugi = hardware_->addTo(GroupBox2, 0, "釘打ち", [this] { RkugiClick(); });
    RVP = hardware_->addTo(GroupBox2, 1, "ＶＰ", [this] { RVPClick(); });
    Rkokuji = hardware_->addTo(GroupBox2, 2, "告示", [this] { RkokujiClick(); });

    GroupBox3 = Group(this, "出隅柱", "出隅柱の判定を指示します。");
    Rdesumi0 = corner_->addTo(GroupBox3, 0, "自動", [this] { Rdesumi0Click(); });
    Rdesumi1 = corner_->addTo(GroupBox3, 1, "出隅柱", [this] { Rdesumi1Click(); });
    Rdesumi2 = corner_->addTo(GroupBox3, 2, "一般柱", [this] { Rdesumi2Click(); });

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
