#include "mainwin/dialogs/Ooukazai.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

TOoukazaiDlg* OoukazaiDlg = nullptr;

TOoukazaiDlg::TOoukazaiDlg(QWidget* parent) : ModalForm(parent, QStringLiteral("横架材の検討")) {
    setCentred(true);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setBackgroundRole(QPalette::Base);
    QPalette white = ScrollBox1->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Window, Qt::white);
    ScrollBox1->setPalette(white);
    ScrollBox1->setAutoFillBackground(true);
    disp = new PaintBox(ScrollBox1);
    disp->setGrowToContent(QSize(715, 7212));
    disp->setPainter([this](Canvas& canvas) { return dispPaint(canvas); });
    ScrollBox1->setWidget(disp);

    OKBtn = new QPushButton(QStringLiteral("閉じる"), this);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(OKBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ScrollBox1, 1);
    layout->addLayout(bottom);
    resize(760, 600);
}

CanvasSize TOoukazaiDlg::dispPaint(Canvas& canvas) {
    canvas.setFontColour(0x000000);
    canvas.setBrushColour(0xFFFFFF);
    canvas.setBrushStyle(BrushStyle::Clear);
    return {};
}
