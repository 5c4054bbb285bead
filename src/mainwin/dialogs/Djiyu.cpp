#include "mainwin/dialogs/Djiyu.h"

#include "model/AppState.h"
#include "ui/Controls.h"
#include "ui/PaintBox.h"
#include "ui/QtPrintServices.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

TJiyuDlg* JiyuDlg = nullptr;

TJiyuDlg::TJiyuDlg(QWidget* mainWindow)
    : PaletteForm(mainWindow, QStringLiteral("自由線の入力")),
      qtColourDialog_(std::make_unique<QtColourDialogService>(this)),
      colourDialog_(qtColourDialog_.get()) {
    Cshurui = new QComboBox(this);
    for (const char* item : {"細線", "太線", "点線", "鎖線", "１点鎖線", "２点鎖線"})
        Cshurui->addItem(QString::fromUtf8(item));
    Cshurui->setCurrentIndex(0);
    BindComboChoice(Cshurui, [this] { CshuruiChange(); });

    sencolor = new PaintBox(this);
    sencolor->setFixedSize(40, 20);
    sencolor->setPainter([this](Canvas& canvas) {
        canvas.setBrushColour(ColorRef(App.CurLineColour) & 0xFFFFFF);
        canvas.fillRect(0, 0, sencolor->width(), sencolor->height());
        return CanvasSize{};
    });
    Bcolor = new QPushButton(QStringLiteral("色変更"), this);
    connect(Bcolor, &QPushButton::clicked, this, [this] { BcolorClick(); });

    auto* row = new QHBoxLayout(this);
    row->addWidget(new QLabel(QStringLiteral("線の種類"), this));
    row->addWidget(Cshurui);
    row->addWidget(sencolor);
    row->addWidget(Bcolor);
    row->setSizeConstraint(QLayout::SetFixedSize);

    fields_.comboIndex(Cshurui, App.CurLineStyle);
}

TJiyuDlg::~TJiyuDlg() = default;

void TJiyuDlg::setColourDialog(ColourDialogService* service) {
    colourDialog_ = service ? service : qtColourDialog_.get();
}

void TJiyuDlg::CshuruiChange() {
    if (Cshurui->currentIndex() >= 0) App.CurLineStyle = Cshurui->currentIndex();
}

void TJiyuDlg::BcolorClick() {
    ColorRef colour = lastChosen_;
    if (!colourDialog_->pickColour(colour)) return;
    lastChosen_ = colour;
    App.CurLineColour = int32_t(colour & 0xFFFFFF);
    sencolor->invalidate();
}

void TJiyuDlg::FormShow() {
    fields_.load();
    sencolor->invalidate();
}
