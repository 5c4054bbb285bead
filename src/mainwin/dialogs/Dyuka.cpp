#include "mainwin/dialogs/Dyuka.h"

#include "document/RoofFloor.h"
#include "document/DocumentCommands.h"
#include "model/AppState.h"
#include "model/Model.h"
#include "ui/Controls.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

TYukaDlg* YukaDlg = nullptr;

void ChooseAreaShape(int shape) {
    App.CurAreaShape = shape;
    App.ClickStep = 0;
    // The rubber band of the dropped figure goes with the next drawing of the overlay.
    WindowView().repaintOverlay();
}

AreaShapeRadios MakeAreaShapeRadios(QWidget* form, Qt::Orientation orientation) {
    AreaShapeRadios r;
    r.box = new QGroupBox(QStringLiteral("入力形状"), form);
    r.rectangle = new QRadioButton(QStringLiteral("矩形"), r.box);
    r.triangle = new QRadioButton(QStringLiteral("三角形"), r.box);
    auto* layout = new QBoxLayout(
        orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, r.box);
    layout->addWidget(r.rectangle);
    layout->addWidget(r.triangle);
    r.group = new RadioGroup(form);
    r.group->add(r.rectangle, 0, [] { ChooseAreaShape(0); });
    r.group->add(r.triangle, 1, [] { ChooseAreaShape(1); });
    return r;
}

TYukaDlg::TYukaDlg(QWidget* mainWindow)
    : PaletteForm(mainWindow, QStringLiteral("屋根床等の入力")) {
    shape_ = MakeAreaShapeRadios(this, Qt::Horizontal);
    Rkukei = shape_.rectangle;
    Rsankaku = shape_.triangle;

    Cshiyou = new QComboBox(this);
    for (const char* item :
         {"0) 床(２階床or３階床)", "1) 吹抜部", "2) 跳ね出しバルコニー", "3) 軽い屋根",
          "4) 重い屋根", "5) 小屋裏収納", "    最大矩形（指示する場合）"})
        Cshiyou->addItem(QString::fromUtf8(item));
    BindComboChoice(Cshiyou, [this] { CshiyouChange(); });
    Cgaishu = new QCheckBox(
        QStringLiteral("外周壁に囲まれない部分（ポーチ屋根・オーバーハング等）"), this);
    BindCheckBox(Cgaishu, [this] { CgaishuClick(); });
    chuui = new QLabel(this);

    auto* kind = new QVBoxLayout;
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("↓見上げた時の仕様"), this));
    top->addWidget(chuui);
    kind->addLayout(top);
    kind->addWidget(Cshiyou);
    kind->addWidget(Cgaishu);
    auto* row = new QHBoxLayout(this);
    row->addWidget(shape_.box);
    row->addLayout(kind);
    row->setSizeConstraint(QLayout::SetFixedSize);

    fields_.radios(*shape_.group, App.CurAreaShape, RadioRule::Fallback(1))
        .comboIndex(Cshiyou, App.CurAreaKind)
        .check(Cgaishu, App.CurAreaNotEnclosed, TickWhen::NonZero);
}

void TYukaDlg::CshiyouChange() {
    if (Cshiyou->currentIndex() >= 0) App.CurAreaKind = Cshiyou->currentIndex();
}
void TYukaDlg::CgaishuClick() {
    App.CurAreaNotEnclosed = Cgaishu->isChecked() ? 1 : 0;
}

void TYukaDlg::FormShow() {
    fields_.load();
    fields_.store(); // a radio already checked for an unknown value still writes its own
    ShowLargestRectangle();
}

void TYukaDlg::ShowLargestRectangle() {
    if (LargestRectangleEntered()) {
        chuui->setText(QStringLiteral("最大矩形入力済"));
        SetLabelColours(chuui, 0x000000);
    } else {
        chuui->setText(QStringLiteral("最大矩形未入力"));
        SetLabelColours(chuui, 0x0000FF);
    }
}
