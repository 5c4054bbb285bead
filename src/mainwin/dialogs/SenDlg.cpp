#include "mainwin/dialogs/SenDlg.h"

#include "document/DocumentCommands.h"
#include "document/FreeLines.h"
#include "document/NumberParse.h"
#include "model/ShownNumbers.h"
#include "ui/Controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

TSenoffDlg* SenoffDlg = nullptr;

namespace {

const char* const OffsetItems[] = {"0.754",  "0.607",  "0.455",  "0.303",  "0.156", "0",
                                   "-0.156", "-0.303", "-0.455", "-0.607", "-0.754"};

class WindowFreeLineView final : public FreeLineInputView {
public:
    explicit WindowFreeLineView(TSenoffDlg& dialog) : dialog_(dialog) {}
    bool showOffsetDialog() override { return ShowModal(dialog_) == QDialog::Accepted; }
    void repaintSheet() override { RepaintPlanSheet(); }

private:
    TSenoffDlg& dialog_;
};

QComboBox* OffsetCombo(TSenoffDlg* form, void (TSenoffDlg::*onChange)()) {
    auto* combo = new QComboBox(form);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(11);
    for (const char* item : OffsetItems) combo->addItem(QString::fromLatin1(item));
    SetComboText(combo, QStringLiteral("0"));
    BindComboTyping(combo, [form, onChange] { (form->*onChange)(); });
    return combo;
}

void StoreTyped(int field, const QComboBox* combo) {
    SetTypedOffset(field, ParseNumber(combo->currentText().toStdString()).value_or(0.0));
}

void ShowTyped(QComboBox* combo, int field) {
    char text[64];
    FormatShown(text, sizeof text, "%7.3f", TypedOffset(field));
    SetComboText(combo, QString::fromLatin1(text));
}

} // namespace

TSenoffDlg::TSenoffDlg(QWidget* parent)
    : ModalForm(parent, QStringLiteral("自由線　位置の調整")),
      view_(std::make_unique<WindowFreeLineView>(*this)) {
    setCentred(true);
    Label1 = new QLabel(QStringLiteral("１点目オフセット"), this);
    Label2 = new QLabel(QStringLiteral("Ｘ座標 ："), this);
    Label3 = new QLabel(QStringLiteral("Ｙ座標 ："), this);
    Cox1 = OffsetCombo(this, &TSenoffDlg::Cox1Change);
    Coy1 = OffsetCombo(this, &TSenoffDlg::Coy1Change);
    Label4 = new QLabel(QStringLiteral("２点目オフセット"), this);
    Label5 = new QLabel(QStringLiteral("Ｘ座標 ："), this);
    Label6 = new QLabel(QStringLiteral("Ｙ座標 ："), this);
    Cox2 = OffsetCombo(this, &TSenoffDlg::Cox2Change);
    Coy2 = OffsetCombo(this, &TSenoffDlg::Coy2Change);
    Label7 = new QLabel(QStringLiteral("オフセットに値を入れる場合は、指示した点を"), this);
    Label8 = new QLabel(QStringLiteral("忘れないように！（編集時に必要）"), this);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("キャンセル"), this);

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Label2, 0, 1);
    grid->addWidget(Cox1, 0, 2);
    grid->addWidget(Label3, 0, 3);
    grid->addWidget(Coy1, 0, 4);
    grid->addWidget(Label4, 1, 0);
    grid->addWidget(Label5, 1, 1);
    grid->addWidget(Cox2, 1, 2);
    grid->addWidget(Label6, 1, 3);
    grid->addWidget(Coy2, 1, 4);
    auto* notes = new QVBoxLayout;
    notes->addWidget(Label7);
    notes->addWidget(Label8);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(notes);
    bottom->addStretch(1);
    bottom->addWidget(OKBtn);
    bottom->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    SetFreeLineInputView(view_.get());
}

TSenoffDlg::~TSenoffDlg() {
    if (&FreeLineView() == view_.get()) SetFreeLineInputView(nullptr);
}

void TSenoffDlg::FormShow() {
    ShowTyped(Cox1, 0);
    ShowTyped(Coy1, 1);
    ShowTyped(Cox2, 2);
    ShowTyped(Coy2, 3);
}

void TSenoffDlg::Cox1Change() {
    StoreTyped(0, Cox1);
}
void TSenoffDlg::Coy1Change() {
    StoreTyped(1, Coy1);
}
void TSenoffDlg::Cox2Change() {
    StoreTyped(2, Cox2);
}
void TSenoffDlg::Coy2Change() {
    StoreTyped(3, Coy2);
}
