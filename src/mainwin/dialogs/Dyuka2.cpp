#include "mainwin/dialogs/Dyuka2.h"

#include "calc/MethodTables.h"
#include "model/AppState.h"
#include "ui/Controls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <iterator>

TYuka2Dlg* Yuka2Dlg = nullptr;

namespace {

// Bracing codes follow the 17 boards: item i of Chiuchi (i > 0) is code 16 + i.
constexpr int32_t BraceCodeBase = 16;

constexpr const char* Boards[] = {
    " 0) 吹抜",
    " 1) 床合板12mm根太落込@340",
    " 2) 床合板12mm根太半欠@340",
    " 3) 床合板12mm根太転ばし@340",
    " 4) 床合板12mm根太落込@500",
    " 5) 床合板12mm根太半欠@500",
    " 6) 床合板12mm根太転ばし@500",
    " 7) 構造用合板厚24mm4周釘打",
    " 8) 構造用合板厚24mm川字釘打",
    " 9) 杉12*180根太落込半欠@340",
    "10) 杉12*180根太転ばし@340",
    "11) 杉12*180根太落込@500",
    "12) 杉12*180根太半欠転ばし",
    "13) 屋根5寸勾配合板厚9mm",
    "14) 屋根矩勾配合板厚9mm",
    "15) 屋根5寸勾配杉板厚9*180",
    "16) 屋根矩勾配杉板厚9*180",
};
constexpr const char* Braces[] = {
    " 0) 火打なし",
    "17) 火打負担面積2.5㎡梁成240",
    "18) 火打負担面積2.5㎡梁成150",
    "19) 火打負担面積2.5㎡梁成105",
    "20) 火打負担面積3.3㎡梁成240",
    "21) 火打負担面積3.3㎡梁成150",
    "22) 火打負担面積3.3㎡梁成105",
    "23) 火打負担面積5.0㎡以下",
};
constexpr const char* LegendCaptions[] = {"≧1.0", "≧0.9", "≧0.8", "≧0.7", "≧0.6", "≧0.5",
                                          "≧0.4", "≧0.3", "≧0.2", "≧0.1", "＜0.1"};
static_assert(std::size(LegendCaptions) == std::size(JudgementScale));

} // namespace

TYuka2Dlg::TYuka2Dlg(QWidget* mainWindow)
    : PaletteForm(mainWindow, QStringLiteral("屋根床仕様の入力")) {
    shape_ = MakeAreaShapeRadios(this, Qt::Vertical);
    Rkukei = shape_.rectangle;
    Rsankaku = shape_.triangle;

    Cshiyou = new QComboBox(this);
    for (const char* item : Boards) Cshiyou->addItem(QString::fromUtf8(item));
    BindComboChoice(Cshiyou, [this] { CshiyouChange(); });
    Chiuchi = new QComboBox(this);
    for (const char* item : Braces) Chiuchi->addItem(QString::fromUtf8(item));
    BindComboChoice(Chiuchi, [this] { ChiuchiChange(); });

    GroupBox2 = new QGroupBox(QStringLiteral("床耐力の検証（存在耐力／必要耐力）"), this);
    auto* legend = new QHBoxLayout(GroupBox2);
    for (std::size_t i = 0; i < std::size(JudgementScale); ++i) {
        auto* panel = new QLabel(QString::fromUtf8(LegendCaptions[i]), GroupBox2);
        panel->setAlignment(Qt::AlignCenter);
        panel->setMinimumWidth(34);
        SetLabelColours(panel, 0x000000, JudgementScale[i]);
        legend->addWidget(panel);
    }

    auto* lists = new QHBoxLayout;
    lists->addWidget(new QLabel(QStringLiteral("仕様"), this));
    lists->addWidget(Cshiyou);
    lists->addWidget(new QLabel(QStringLiteral("火打ち"), this));
    lists->addWidget(Chiuchi);
    auto* right = new QVBoxLayout;
    right->addLayout(lists);
    right->addWidget(GroupBox2);
    auto* row = new QHBoxLayout(this);
    row->addWidget(shape_.box);
    row->addLayout(right);
    row->setSizeConstraint(QLayout::SetFixedSize);

    fields_.radios(*shape_.group, App.CurAreaShape, RadioRule::Fallback(1))
        .comboIndex(Cshiyou, App.CurFloorSpec);
}

void TYuka2Dlg::CshiyouChange() {
    if (Cshiyou->currentIndex() >= 0) App.CurFloorSpec = Cshiyou->currentIndex();
}
void TYuka2Dlg::ChiuchiChange() {
    const int item = Chiuchi->currentIndex();
    if (item >= 0) App.CurFloorBrace = item == 0 ? 0 : BraceCodeBase + item;
}

void TYuka2Dlg::FormShow() {
    fields_.load();
    fields_.store(); // a radio already checked for an unknown value still writes its own
    const int32_t brace = App.CurFloorBrace;
    const int item = brace > BraceCodeBase ? brace - BraceCodeBase : brace;
    const QSignalBlocker block(Chiuchi);
    Chiuchi->setCurrentIndex(item >= 0 && item < Chiuchi->count() ? item : -1);
}
