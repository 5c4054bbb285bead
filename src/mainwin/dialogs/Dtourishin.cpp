#include "mainwin/dialogs/Dtourishin.h"

#include "mainwin/dialogs/Dmodule.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "model/ShownNumbers.h"
#include "ui/Controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdio>

TShinDlg* ShinDlg = nullptr;

TShinDlg::TShinDlg(QWidget* mainWindow) : PaletteForm(mainWindow, QStringLiteral("通り芯の設定")) {

    Rxadd = new QRadioButton(QStringLiteral("追加"), this);
    Rxchange = new QRadioButton(QStringLiteral("変更"), this);
    Ryadd = new QRadioButton(QStringLiteral("追加"), this);
    Rychange = new QRadioButton(QStringLiteral("変更"), this);
    Rdel = new QRadioButton(QStringLiteral("削除・通り芯変更"), this);
    Label3 = new QLabel(QStringLiteral("(L)変更・(R)削除"), this);
    SetLabelColours(Label3, 0x0000FF);
    modes_ = new RadioGroup(this);
    modes_->add(Rxadd, AxisModeAddX, [this] { RxaddClick(); });
    modes_->add(Rxchange, AxisModeChangeX, [this] { RxchangeClick(); });
    modes_->add(Ryadd, AxisModeAddY, [this] { RyaddClick(); });
    modes_->add(Rychange, AxisModeChangeY, [this] { RychangeClick(); });
    modes_->add(Rdel, AxisModeDelete, [this] { RdelClick(); });

    auto* moduleBox = new QGroupBox(QStringLiteral("モジュール"), this);
    Lmodule = new QLabel(moduleBox);
    Bikkatsu = new QPushButton(QStringLiteral("変更"), moduleBox);
    auto* moduleRow = new QHBoxLayout(moduleBox);
    moduleRow->addWidget(Lmodule);
    moduleRow->addWidget(Bikkatsu);
    connect(Bikkatsu, &QPushButton::clicked, this, [this] { BikkatsuClick(); });

    auto* row = new QHBoxLayout(this);
    row->addWidget(new QLabel(QStringLiteral("Ｘ座標"), this));
    row->addWidget(Rxadd);
    row->addWidget(Rxchange);
    row->addWidget(new QLabel(QStringLiteral("←"), this));
    row->addWidget(new QLabel(QStringLiteral("Ｙ座標"), this));
    row->addWidget(Ryadd);
    row->addWidget(Rychange);
    row->addWidget(new QLabel(QStringLiteral("↓"), this));
    auto* del = new QVBoxLayout;
    del->addWidget(Rdel);
    del->addWidget(Label3);
    row->addLayout(del);
    row->addWidget(moduleBox);
    row->setSizeConstraint(QLayout::SetFixedSize);
}

void TShinDlg::RxaddClick() {
    App.AxisEditMode = AxisModeAddX;
}
void TShinDlg::RxchangeClick() {
    App.AxisEditMode = AxisModeChangeX;
}
void TShinDlg::RyaddClick() {
    App.AxisEditMode = AxisModeAddY;
}
void TShinDlg::RychangeClick() {
    App.AxisEditMode = AxisModeChangeY;
}
void TShinDlg::RdelClick() {
    App.AxisEditMode = AxisModeDelete;
}

void TShinDlg::ShowModule() {
    char text[40];
    FormatShown(text, sizeof text, "%5.3f", Doc.Module);
    Lmodule->setText(QString::fromLatin1(text));
}

void TShinDlg::BikkatsuClick() {
    if (DmoduleDlg) ShowModal(*DmoduleDlg);
    ShowModule();
}

void TShinDlg::FormShow() {
    ShowModule();
    const int mode = App.AxisEditMode;
    // Checking a radio runs its handler, which also brings an unknown mode back to Rdel's.
    if (mode >= AxisModeAddX && mode <= AxisModeChangeY) {
        modes_->setCheckedId(mode);
    } else {
        modes_->setCheckedId(AxisModeDelete);
        App.AxisEditMode = AxisModeDelete;
    }
}
