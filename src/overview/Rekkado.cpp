#include "overview/Rekkado.h"

#include "calc/Deterioration.h"
#include "model/AppState.h"
#include "model/ShownNumbers.h"
#include "ui/Controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

TRekkadoDlg* RekkadoDlg = nullptr;

namespace {

// The method's table of the items, one row a line; several materials of a row share its
// point cell.
struct TableRow {
    const char* part;
    const char* materials;
    const char* events;
    int points;
};
// clang-format off
constexpr TableRow Table[TRekkadoDlg::Items] = {
    {"屋根 葺き材",         "金属板\n瓦・スレート",                                   "変退色、さび、さび穴、ずれ、めくれがある\n割れ、欠け、ずれ、欠落がある", 2},
    {"樋",                  "樋・呼び樋",                                             "変退色、さび、割れ、ずれ、欠落がある", 2},
    {"樋",                  "竪樋",                                                   "変退色、さび、割れ、ずれ、欠落がある", 2},
    {"外壁 仕上げ",         "木製板、合板\n窯業系ｻｲﾃﾞｨﾝｸﾞ\n金属ｻｲﾃﾞｨﾝｸﾞ\nﾓﾙﾀﾙ", "水浸み痕、こけ、割れ、抜け節、ずれ、腐朽がある\nこけ、割れ、ずれ、欠落、シール切れがある\n変退色、さび、さび穴、ずれ、めくれ、目地空き、シール切れがある\nこけ、0.3mm以上の亀裂、剥落がある", 4},
    {"露出した躯体",        "",                                                       "水浸み痕、こけ、腐朽、蟻道、蟻害がある", 2},
    {"バルコニー 手すり壁", "木製板、合板\n窯業系ｻｲﾃﾞｨﾝｸﾞ\n金属ｻｲﾃﾞｨﾝｸﾞ",           "水浸み痕、こけ、割れ、抜け節、ずれ、腐朽がある\nこけ、割れ、ずれ、欠落、シール切れがある\n変退色、さび、さび穴、ずれ、めくれ、目地空き、シール切れがある", 1},
    {"バルコニー",          "外壁との接合部",                                         "外壁面との接合部に亀裂、隙間、緩み、シール切れ・剥離がある", 1},
    {"バルコニー 床排水",   "",                                                       "壁面を伝って流れている、または排水の仕組みが無い", 1},
    {"内壁 一般室",         "内壁、窓下",                                             "水浸み痕、はがれ、亀裂、カビがある", 2},
    {"内壁 浴室",           "タイル壁\nタイル以外",                                   "目地の亀裂、タイルの割れがある\n水浸み痕、変色、亀裂、カビ、腐朽、蟻害がある", 2},
    {"床 床面",             "一般室",                                                 "傾斜、過度の振動、床鳴りがある", 2},
    {"床 床面",             "廊下",                                                   "傾斜、過度の振動、床鳴りがある", 1},
    {"床 床下",             "",                                                       "基礎の亀裂や床下部材に腐朽、蟻道、蟻害がある", 2},
};
// clang-format on

QLabel* Cell(const QString& text, QWidget* parent) {
    auto* cell = new QLabel(text, parent);
    cell->setFrameShape(QFrame::Box);
    cell->setMargin(2);
    return cell;
}

// A point cell: the row's points on a box the user cannot change.
QCheckBox* PointBox(const char* prefix, int row, int points, QWidget* parent) {
    auto* box = new QCheckBox(QString::number(points), parent);
    box->setObjectName(QString::fromLatin1(prefix) + QString::number(row + 1));
    box->setEnabled(false);
    return box;
}

} // namespace

TRekkadoDlg::TRekkadoDlg(QWidget* parent) : ModalForm(parent, U("一般診断の劣化調査による劣化度")) {
    setCentred(true);
    auto* layout = new QVBoxLayout(this);
    auto* table = new QGridLayout;
    table->setSpacing(0);
    layout->addLayout(table);
    const char* heads[] = {"部位", "材料、部材等", "劣化事象", "存在点数", "劣化点数"};
    for (int c = 0; c < 5; ++c) table->addWidget(Cell(U(heads[c]), this), 0, c);
    for (int i = 0; i < Items; ++i) {
        const TableRow& row = Table[i];
        table->addWidget(Cell(U(row.part), this), i + 1, 0);
        table->addWidget(Cell(U(row.materials), this), i + 1, 1);
        table->addWidget(Cell(U(row.events), this), i + 1, 2);
        rs[i] = PointBox("rs", i, row.points, this);
        rr[i] = PointBox("rr", i, row.points, this);
        table->addWidget(rs[i], i + 1, 3, Qt::AlignCenter);
        table->addWidget(rr[i], i + 1, 4, Qt::AlignCenter);
    }
    const auto sumLabel = [this](const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        return label;
    };
    rssum = sumLabel("rssum");
    rrsum = sumLabel("rrsum");
    table->addWidget(new QLabel(U("合計"), this), Items + 1, 2, Qt::AlignRight);
    table->addWidget(rssum, Items + 1, 3, Qt::AlignCenter);
    table->addWidget(rrsum, Items + 1, 4, Qt::AlignCenter);

    auto* factor = new QHBoxLayout;
    factor->addWidget(new QLabel(U("劣化度による低減係数"), this));
    factor->addWidget(new QLabel(U("Ｄ＝１－（劣化点数／存在点数）＝"), this));
    rekkakeisu = sumLabel("rekkakeisu");
    factor->addWidget(rekkakeisu);
    factor->addStretch(1);
    layout->addLayout(factor);
    layout->addWidget(
        new QLabel(U("ここでは劣化度入力を変更出来ません。 概要の方で変更して下さい。"), this));
    layout->addStretch(1);

    OKBtn = new QPushButton(U("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(U("キャンセル"), this);
    CancelBtn->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    layout->addLayout(buttons);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    resize(649, 615);
}

void TRekkadoDlg::FormShow() {
    long existence = 0, deterioration = 0;
    for (int i = 0; i < Items; ++i) {
        const bool exists = App.ExistencePoints[i] != 0;
        rs[i]->setChecked(exists);
        rr[i]->setVisible(exists);
        rr[i]->setChecked(exists && App.DeteriorationPoints[i] != 0);
        existence += App.ExistencePoints[i];
        deterioration += App.DeteriorationPoints[i];
    }
    char text[32];
    std::snprintf(text, sizeof text, "%3li", existence);
    rssum->setText(QString::fromLatin1(text));
    std::snprintf(text, sizeof text, "%3li", deterioration);
    rrsum->setText(QString::fromLatin1(text));
    DeteriorationTableFactor =
        DeteriorationFactorFromPoints(App.ExistencePoints, App.DeteriorationPoints);
    if (existence > 0) {
        FormatShown(text, sizeof text, "%5.2f", DeteriorationTableFactor);
        rekkakeisu->setText(QString::fromLatin1(text));
    } else {
        rekkakeisu->setText(QStringLiteral("-.--"));
    }
    // The sums' widths follow their texts before the dialog appears.
    layout()->activate();
}
