#include "mainwin/dialogs/WallChange.h"

#include "mainwin/dialogs/Dkabe.h"
#include "model/AppState.h"
#include "model/Model.h"
#include "ui/Controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TWallChangeDlg* WallChangeDlg = nullptr;

// Lets the wall input show this form modally.
class TWallChangeDlg::Runner final : public WallChangeDialogRunner {
public:
    explicit Runner(TWallChangeDlg& form) : form_(form) { SetWallChangeDialogRunner(this); }
    ~Runner() override { SetWallChangeDialogRunner(nullptr); }
    void showWallChangeDialog() override { ShowModal(form_); }

private:
    TWallChangeDlg& form_;
};

TWallChangeDlg::TWallChangeDlg(QWidget* mainWindow)
    : ModalForm(mainWindow, QStringLiteral("壁の変更")) {
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    setCentred(true);
    elements_ = std::make_unique<WallElementControls>(this, WallChangeSpec());
    WallElementControls& e = *elements_;

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("キャンセル"), this);
    Bget = new QPushButton(QStringLiteral("要素の取得"), this);
    Bput = new QPushButton(QStringLiteral("要素の貼付"), this);
    Bdel = new QPushButton(QStringLiteral("壁の消去"), this);
    Blast = new QPushButton(QStringLiteral("手前に表示"), this);
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
    connect(Bget, &QPushButton::clicked, this, [this] { BgetClick(); });
    connect(Bput, &QPushButton::clicked, this, [this] { BputClick(); });
    connect(Bdel, &QPushButton::clicked, this, [this] { BdelClick(); });
    connect(Blast, &QPushButton::clicked, this, [this] { BlastClick(); });

    Ckaishuu = new QCheckBox(this);
    Label1 = new QLabel(QStringLiteral("改修"), this);
    BindCheckBox(Ckaishuu, [this] { CkaishuuClick(); });
    Cckokuji = new QCheckBox(QStringLiteral("改修時両端柱を告示"), this);
    SetTextColour(Cckokuji, Rgb(255, 0, 0));
    BindCheckBox(Cckokuji, [this] { CckokujiClick(); });

    GroupBox1 = new QGroupBox(QStringLiteral("改修時の注意"), this);
    auto* cautions = new QVBoxLayout(GroupBox1);
    Lchuui1 = new QLabel(QStringLiteral("下階に柱無し"), GroupBox1);
    Lchuui2 = new QLabel(QStringLiteral("下階の耐力が小さい"), GroupBox1);
    Lchuui3 = new QLabel(QStringLiteral("筋かい金物の選択"), GroupBox1);
    Lchuui4 = new QLabel(QStringLiteral("基礎の補強が必要"), GroupBox1);
    for (QLabel* l : {Lchuui1, Lchuui2, Lchuui3, Lchuui4}) cautions->addWidget(l);
    cautions->setContentsMargins(4, 0, 4, 2);
    cautions->setSpacing(0);
    cautions->addStretch();

    auto* panels = new QVBoxLayout;
    panels->setSpacing(2);
    panels->addWidget(e.G2);
    panels->addWidget(e.G3);
    auto* preview = new QHBoxLayout;
    preview->addWidget(e.Label5);
    preview->addWidget(e.Lbairitsu);
    preview->addStretch();
    panels->addLayout(preview);
    panels->addStretch();

    auto* retrofit = new QVBoxLayout;
    retrofit->setSpacing(0);
    auto* mark = new QHBoxLayout;
    mark->addWidget(Ckaishuu);
    mark->addWidget(Label1);
    mark->addStretch();
    retrofit->addLayout(mark);
    retrofit->addWidget(Cckokuji);
    for (const char* note :
         {"↑チェックすると両端の柱の", "接合部を告示仕様にする。", "改修１･改修２の場合のみ。"})
        retrofit->addWidget(new QLabel(QString::fromUtf8(note), this));
    retrofit->addStretch();

    // Bracing, mud wall and deterioration side by side, the retrofit controls below them.
    auto* groups = new QHBoxLayout;
    groups->setSpacing(2);
    groups->addWidget(e.G4, 0, Qt::AlignTop);
    groups->addWidget(e.G5, 0, Qt::AlignTop);
    groups->addWidget(e.G6, 0, Qt::AlignTop);
    groups->addStretch();
    auto* below = new QHBoxLayout;
    below->addLayout(retrofit);
    below->addWidget(GroupBox1, 0, Qt::AlignTop);
    below->addStretch();
    auto* middle = new QVBoxLayout;
    middle->addLayout(groups);
    middle->addLayout(below);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    for (QPushButton* b : {OKBtn, CancelBtn, Bget, Bput, Bdel, Blast}) buttons->addWidget(b);
    buttons->addStretch();

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 6, 6, 6);
    row->setSpacing(4);
    row->addWidget(e.G1, 0, Qt::AlignTop);
    row->addLayout(panels);
    row->addLayout(middle);
    row->addLayout(buttons);
    row->setSizeConstraint(QLayout::SetFixedSize);

    runner_ = std::make_unique<Runner>(*this);
}

TWallChangeDlg::~TWallChangeDlg() = default;

void TWallChangeDlg::FormShow() {
    WallChangeLoad();
    Ckaishuu->setChecked(WallChangeRetrofit == 1);
    Cckokuji->setEnabled(App.CurrentScenario != 0);
    Cckokuji->setChecked(RetrofitEndColumnsNotice == 1);
    const WallRecord* w = WallChangeTarget();
    const int32_t cautions = w ? w->cautionFlags : 0;
    Lchuui1->setVisible(cautions & 1);
    Lchuui2->setVisible(cautions & 2);
    Lchuui3->setVisible(cautions & 4);
    Lchuui4->setVisible(cautions & 8);
    elements_->PresetControls();
}

void TWallChangeDlg::OKBtnClick() {
    if (WallChangeOk()) done(1);
}

void TWallChangeDlg::CancelBtnClick() {
    reject();
}

void TWallChangeDlg::reject() {
    WallChangeCancel();
    ModalForm::reject();
}

void TWallChangeDlg::BgetClick() {
    WallChangeGet();
    if (WallDlg) WallDlg->FormShow();
}

void TWallChangeDlg::BputClick() {
    WallChangePut();
    elements_->PresetControls();
}

void TWallChangeDlg::BdelClick() {
    WallChangeDelete();
    done(1);
}

void TWallChangeDlg::BlastClick() {
    WallChangeBringToFront();
    done(1);
}

void TWallChangeDlg::CkaishuuClick() {
    WallChangeRetrofit = Ckaishuu->isChecked() ? 1 : 0;
}

void TWallChangeDlg::CckokujiClick() {
    RetrofitEndColumnsNotice = Cckokuji->isChecked() ? 1 : 0;
}
