#include "mainwin/dialogs/Axis_Dlg.h"

#include "document/NumberParse.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "model/ShownNumbers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

TAxisDlg* AxisDlg = nullptr;

namespace {

struct ModeTexts {
    const char* caption;
    const char* memo1;
    const char* memo2;
    const char* memo3;
    const char* ok;
    bool kindChoice;
};

// By AxisEditMode 0 add X, 1 change X, 2 add Y, 3 change Y.
constexpr ModeTexts Texts[4] = {
    {"Ｘ座標追加", "追加前の軸間距離　　＝", "新軸の左側からの距離＝",
     "マイナス値は右側からの距離↑", "追加", true},
    {"Ｘ座標変更", "変更前の軸間距離　　＝", "変更後の軸間距離　　＝", "マイナス値は無効", "変更",
     false},
    {"Ｙ座標追加", "追加前の軸間距離　　＝", "新軸の下からの距離　＝",
     "　マイナス値は上からの距離↑", "追加", true},
    {"Ｙ座標変更", "変更前の軸間距離　　＝", "変更後の軸間距離　　＝", "マイナス値は無効", "変更",
     false},
};

QString FiveDigits(double v) {
    char text[40];
    FormatShown(text, sizeof text, "%.5g", v);
    return QString::fromLatin1(text);
}

} // namespace

double ParseDistanceText(const QString& text) {
    if (text.trimmed().isEmpty()) return 0.0;
    return ParseNumber(text.toStdString()).value_or(std::numeric_limits<double>::quiet_NaN());
}

TAxisDlg::TAxisDlg(QWidget* parent) : ModalForm(parent) {
    setCentred(true);

    memo1 = new QLabel(this);
    memo2 = new QLabel(this);
    memo3 = new QLabel(this);
    oldnum = new QLabel(this);
    newnum = new QComboBox(this);
    newnum->setEditable(true);
    newnum->setMaxVisibleItems(12);
    newnum->setInsertPolicy(QComboBox::NoInsert);
    tourishinset = new QCheckBox(QStringLiteral("通り芯に設定"), this);
    tosize = new QCheckBox(QStringLiteral("寸法表示"), this);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("キャンセル"), this);

    auto* fields = new QGridLayout;
    fields->addWidget(memo1, 0, 0);
    fields->addWidget(oldnum, 0, 1);
    fields->addWidget(memo2, 1, 0);
    fields->addWidget(newnum, 1, 1);
    fields->addWidget(memo3, 2, 1);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(tourishinset);
    kinds->addWidget(tosize);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(kinds);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
}

void TAxisDlg::FormShow() {
    const int mode = App.AxisEditMode;
    if (mode >= 0 && mode < 4) {
        const ModeTexts& t = Texts[mode];
        setWindowTitle(QString::fromUtf8(t.caption));
        memo1->setText(QString::fromUtf8(t.memo1));
        memo2->setText(QString::fromUtf8(t.memo2));
        memo3->setText(QString::fromUtf8(t.memo3));
        OKBtn->setText(QString::fromUtf8(t.ok));
        // Changing an interval never touches the kind of an existing axis.
        tourishinset->setEnabled(t.kindChoice);
        tosize->setEnabled(t.kindChoice);
    }
    oldnum->setText(FiveDigits(AxisOldDistance));

    newnum->clear();
    double presets[10];
    AxisDistancePresets(Doc.Module, presets);
    for (double p : presets) {
        char text[40];
        FormatShown(text, sizeof text, "%6.3f", p);
        newnum->addItem(QString::fromLatin1(text));
    }
    newnum->setCurrentIndex(-1);
    newnum->setEditText(FiveDigits(AxisNewDistance));
}

void TAxisDlg::OKBtnClick() {
    AxisNewDistance = ParseDistanceText(newnum->currentText());
    if (tourishinset->isChecked())
        AxisDlgResult = AxisDlgMain;
    else if (tosize->isChecked())
        AxisDlgResult = AxisDlgHidden;
    else
        AxisDlgResult = AxisDlgSub;
    accept();
}

void TAxisDlg::CancelBtnClick() {
    AxisDlgResult = AxisDlgCancelled;
    reject();
}
