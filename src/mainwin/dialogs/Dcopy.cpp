#include "mainwin/dialogs/Dcopy.h"

#include "document/BulkEdit.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Model.h"
#include "model/Slots.h"
#include "ui/Colors.h"
#include "ui/Controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TDcopyDlg* DcopyDlg = nullptr;

namespace {

constexpr int ModalOk = 1;
constexpr int ModalDeleted = 6;

const char* const ScenarioCaptions[Scenarios] = {"現況", "改修案１", "改修案２"};

QCheckBox* AddCheck(QGroupBox* box, const char* caption) {
    auto* check = new QCheckBox(QString::fromUtf8(caption), box);
    check->setChecked(true);
    box->layout()->addWidget(check);
    return check;
}

QLabel* RedLabel(QWidget* parent, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    SetLabelColours(label, Red);
    return label;
}

} // namespace

TDcopyDlg::TDcopyDlg(QWidget* parent)
    : ModalForm(parent, QStringLiteral("データの一括編集（先に診断対象を指示します）")) {
    setCentred(true);

    GroupBox1 = new QGroupBox(QStringLiteral("編集方法"), this);
    new QVBoxLayout(GroupBox1);
    method_ = new RadioGroup(this);
    Rmc = method_->addTo(GroupBox1, CopyWithSettings, "コピー　（ ←  ）");
    Rmp = method_->addTo(GroupBox1, SwapWithSettings, "入替　（←→）");

    GroupBox2 = new QGroupBox(QStringLiteral("編集元"), this);
    new QVBoxLayout(GroupBox2);
    source_ = new RadioGroup(this);
    Rs0 = source_->addTo(GroupBox2, 0, ScenarioCaptions[0]);
    Rs1 = source_->addTo(GroupBox2, 1, ScenarioCaptions[1]);
    Rs2 = source_->addTo(GroupBox2, 2, ScenarioCaptions[2]);

    GroupBox3 = new QGroupBox(QStringLiteral("編集先"), this);
    new QVBoxLayout(GroupBox3);
    destination_ = new RadioGroup(this);
    Rd0 = destination_->addTo(GroupBox3, 0, ScenarioCaptions[0]);
    Rd1 = destination_->addTo(GroupBox3, 1, ScenarioCaptions[1]);
    Rd2 = destination_->addTo(GroupBox3, 2, ScenarioCaptions[2]);

    GroupBox4 = new QGroupBox(QStringLiteral("対象階"), this);
    new QVBoxLayout(GroupBox4);
    Ck1 = AddCheck(GroupBox4, "１階");
    Ck2 = AddCheck(GroupBox4, "２階");
    Ck3 = AddCheck(GroupBox4, "3階");
    StaticText1 = RedLabel(this, "チェックされた階のみ編集する↑");

    CheckBox1 = new QCheckBox(QStringLiteral("階数・重さ・面積も編集する"), this);
    CheckBox1->setChecked(true);
    QPalette red = CheckBox1->palette();
    red.setColor(QPalette::WindowText, ColorFromRef(Red));
    red.setColor(QPalette::ButtonText, ColorFromRef(Red));
    CheckBox1->setPalette(red);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("キャンセル"), this);
    Button1 = new QPushButton(QStringLiteral("データ削除"), this);
    Button2 = new QPushButton(QStringLiteral("壁耐力要素削除"), this);
    Label1 = new QLabel(QStringLiteral("コピーの場合は、編集先のデータは上書きされます。"), this);
    Label2 = new QLabel(QStringLiteral("入替の場合は、データが入れ替わります。"), this);
    Label3 = new QLabel(QStringLiteral("データのコピー・入替・一括削除を行います。"), this);
    Label4 = new QLabel(QStringLiteral("編集階のデータを全て削除します。"), this);
    Label5 = new QLabel(QStringLiteral("編集階の壁耐力要素を全て削除します。"), this);

    auto* groups = new QHBoxLayout;
    groups->addWidget(GroupBox1);
    groups->addWidget(GroupBox2);
    groups->addWidget(GroupBox3);
    auto* storeys = new QVBoxLayout;
    storeys->addWidget(GroupBox4);
    storeys->addWidget(StaticText1);
    groups->addLayout(storeys);
    auto* deletes = new QGridLayout;
    deletes->addWidget(Button1, 0, 0);
    deletes->addWidget(Label4, 0, 1);
    deletes->addWidget(Button2, 1, 0);
    deletes->addWidget(Label5, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CheckBox1);
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label3);
    layout->addLayout(groups);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addLayout(buttons);
    layout->addLayout(deletes);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, [this] {
        OKBtnClick();
        done(ModalOk);
    });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button1, &QPushButton::clicked, this, [this] {
        Button1Click();
        done(ModalDeleted);
    });
    connect(Button2, &QPushButton::clicked, this, [this] {
        Button2Click();
        done(ModalDeleted);
    });
}

void TDcopyDlg::FormShow() {
    const int current = ClampIndex(App.CurrentScenario, Scenarios);
    QRadioButton* const destinations[Scenarios] = {Rd0, Rd1, Rd2};
    QRadioButton* const sources[Scenarios] = {Rs0, Rs1, Rs2};
    for (int s = 0; s < Scenarios; ++s) {
        destinations[s]->setEnabled(s == current);
        sources[s]->setEnabled(s != current);
    }
    destination_->setCheckedId(current);
    source_->setCheckedId(current == 0 ? 1 : 0);
    method_->setCheckedId(CopyWithSettings);
}

int TDcopyDlg::source() const {
    return source_->checkedId();
}
int TDcopyDlg::destination() const {
    return destination_->checkedId();
}
int TDcopyDlg::mode() const {
    const int swap = method_->checkedId() == SwapWithSettings ? 1 : 0;
    return swap + (CheckBox1->isChecked() ? 0 : 2);
}
int TDcopyDlg::storeyMask() const {
    return (Ck1->isChecked() ? 1 : 0) + (Ck2->isChecked() ? 2 : 0) + (Ck3->isChecked() ? 4 : 0);
}

void TDcopyDlg::OKBtnClick() {
    BulkCopyOntoCurrent(source(), destination(), mode(), storeyMask());
}

void TDcopyDlg::Button1Click() {
    BulkDeleteStoreyData();
}

void TDcopyDlg::Button2Click() {
    BulkDeleteWallElements();
}
