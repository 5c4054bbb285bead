#include "mainwin/dialogs/ColumnChange.h"

#include "document/Columns.h"
#include "document/DocumentCommands.h"
#include "ui/Controls.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TColumnchangeDlg* ColumnchangeDlg = nullptr;

namespace {

constexpr int ModalChange = 1;
constexpr int ModalOther = 2; // 消去 and キャンセル

// The window's side of the column input: this dialog and the plan's repaint.
class WindowColumnView final : public ColumnInputView {
public:
    explicit WindowColumnView(TColumnchangeDlg& dialog) : dialog_(dialog) {}
    void showColumnChangeDialog() override { ShowModal(dialog_); }
    void repaintSheet() override { RepaintPlanSheet(); }

private:
    TColumnchangeDlg& dialog_;
};

} // namespace

TColumnchangeDlg::TColumnchangeDlg(QWidget* parent)
    : ModalForm(parent, QStringLiteral("柱の変更")),
      view_(std::make_unique<WindowColumnView>(*this)) {
    setCentred(true);

    Label1 =
        new QLabel(QStringLiteral("管柱⇔通し柱の変更は、一旦消去し、再入力して下さい。"), this);

    buildJointRadios(this, Qt::Horizontal, Hints::CornerToolTip);

    shoukyo = new QPushButton(QStringLiteral("消去"), this);
    Lchuui = new QLabel(QStringLiteral("壁の耐力が無くなります。"), this);
    SetLabelColours(Lchuui, 0x0000FF);
    OKBtn = new QPushButton(QStringLiteral("変更"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("キャンセル"), this);

    auto* groups = new QHBoxLayout;
    groups->addWidget(GroupBox2);
    groups->addWidget(GroupBox3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(shoukyo);
    buttons->addWidget(Lchuui);
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, [this] {
        OKBtnClick();
        done(ModalChange);
    });
    connect(shoukyo, &QPushButton::clicked, this, [this] {
        shoukyoClick();
        done(ModalOther);
    });
    connect(CancelBtn, &QPushButton::clicked, this, [this] {
        CancelBtnClick();
        done(ModalOther);
    });

    SetColumnInputView(view_.get());
}

TColumnchangeDlg::~TColumnchangeDlg() {
    if (&ColumnView() == view_.get()) SetColumnInputView(nullptr);
}

void TColumnchangeDlg::FormShow() {
    // A value no radio stands for (a damaged file) leaves its group without a check, so that
    // no earlier column's choice shows.
    hardware_->setCheckedId(ColumnHardware);
    corner_->setCheckedId(ColumnCornerMode);
    Lchuui->setVisible(ColumnDlgResult == 1);
}

void TColumnchangeDlg::OKBtnClick() {
    ColumnChangeOk(hardware_->checkedId(), corner_->checkedId());
}

void TColumnchangeDlg::shoukyoClick() {
    ColumnChangeDelete();
}

void TColumnchangeDlg::CancelBtnClick() {
    ColumnChangeCancel();
}
