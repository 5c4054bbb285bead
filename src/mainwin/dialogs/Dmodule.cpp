#include "mainwin/dialogs/Dmodule.h"

#include "mainwin/dialogs/Axis_Dlg.h"
#include "document/DocumentCommands.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "model/ShownNumbers.h"
#include "ui/Controls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdio>

TDmoduleDlg* DmoduleDlg = nullptr;

TDmoduleDlg::TDmoduleDlg(QWidget* parent)
    : ModalForm(parent, QStringLiteral("通り芯間隔一括変更")) {
    GridChanged = [] { WindowView().gridChanged(); };

    Cmodule = new QComboBox(this);
    Cmodule->setEditable(true);
    Cmodule->setInsertPolicy(QComboBox::NoInsert);
    for (const char* item : {"", "0.909", "0.910", "0.955", "0.985", "1.000", "1.220"})
        Cmodule->addItem(QString::fromUtf8(item));

    auto* group =
        new QGroupBox(QStringLiteral("通り芯間隔変更の指示（モジュール寸法以外の間隔）"), this);
    group->setToolTip(QStringLiteral("変更・追加をした所の変更を指示します。"));
    Rchokusetsu = new QRadioButton(QStringLiteral("モジュール寸法に変更"), group);
    Rhirei = new QRadioButton(QStringLiteral("新旧モジュールの寸法比に比例して変更"), group);
    Rnone = new QRadioButton(QStringLiteral("変更しない"), group);
    respacing_ = new RadioGroup(this);
    respacing_->add(Rchokusetsu, int(ModuleRespacing::ToModule));
    respacing_->add(Rhirei, int(ModuleRespacing::Proportional));
    respacing_->add(Rnone, int(ModuleRespacing::KeepOthers));
    Rnone->setChecked(true);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(Rchokusetsu);
    groupLayout->addWidget(Rhirei);
    groupLayout->addWidget(Rnone);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("キャンセル"), this);

    auto* moduleRow = new QHBoxLayout;
    moduleRow->addWidget(new QLabel(QStringLiteral("モジュール寸法"), this));
    moduleRow->addWidget(Cmodule);
    moduleRow->addWidget(
        new QLabel(QStringLiteral("間隔がモジュールと同じ場合は変更されます。"), this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(moduleRow);
    layout->addWidget(group);
    layout->addWidget(new QLabel(
        QStringLiteral("注）モジュール寸法を変更すると、画面表示位置が移動します。"), this));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { reject(); });
}

void TDmoduleDlg::FormShow() {
    char text[40];
    FormatShown(text, sizeof text, "%5.3f", Doc.Module);
    Cmodule->setCurrentIndex(-1);
    Cmodule->setEditText(QString::fromLatin1(text));
}

void TDmoduleDlg::OKBtnClick() {
    const double module = ParseDistanceText(Cmodule->currentText());
    const int checked = respacing_->checkedId();
    const ModuleRespacing respacing =
        checked < 0 ? ModuleRespacing::KeepOthers : static_cast<ModuleRespacing>(checked);
    if (ChangeModule(module, respacing) && GridChanged) GridChanged();
    accept();
}
