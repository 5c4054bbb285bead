#include "mainwin/velquor2_About.h"

#include "model/AppState.h"
#include "model/Version.h"
#include "ui/Controls.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* parent) : ModalForm(parent, QStringLiteral("Velquor")) {
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    setCentred(true);

    auto* name = new QLabel(QStringLiteral("Velquor"), this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    name->setFont(big);
    auto* version =
        new QLabel(QStringLiteral("Version %1").arg(QString::fromLatin1(VelquorVersion)), this);
    auto* purpose = new QLabel(QStringLiteral("木造住宅の耐震診断と補強計画"), this);

    Cvu = new QCheckBox(QStringLiteral("vu版使用"), this);
    Ckaitei = new QCheckBox(QStringLiteral("2012年改訂版"), this);
    BindCheckBox(Cvu, [this] { CvuClick(); });
    BindCheckBox(Ckaitei, [this] { CkaiteiClick(); });

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* switches = new QHBoxLayout;
    switches->addWidget(Cvu);
    switches->addWidget(Ckaitei);
    switches->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(purpose);
    layout->addSpacing(12);
    layout->addLayout(switches);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::CvuClick() {
    App.CityEditionEnabled = Cvu->isChecked() ? 1 : 0;
}

void TAboutBox::CkaiteiClick() {
    App.Revision2012Enabled = Ckaitei->isChecked() ? 1 : 0;
}
