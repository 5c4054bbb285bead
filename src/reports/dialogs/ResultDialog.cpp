#include "reports/dialogs/ResultDialog.h"

#include "reports/ScoreReports.h"
#include "ui/PaintBox.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int ClientWidth = 736;
constexpr int PanelHeight = 40;
} // namespace

TResultDlg::TResultDlg(QWidget* parent, const QString& caption, int dispHeight, int clientHeight,
                       const char* closeName)
    : ModalForm(parent, caption) {
    setWindowFlag(Qt::WindowSystemMenuHint);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setCentred(true);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    // Without a frame the page and the vertical scroll bar fit the client width.
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    QPalette white = ScrollBox1->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    ScrollBox1->setPalette(white);
    ScrollBox1->setBackgroundRole(QPalette::Base);
    ScrollBox1->setAutoFillBackground(true);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    disp = new PaintBox(ScrollBox1);
    disp->setObjectName(QStringLiteral("disp"));
    disp->setGrowToContent(QSize(ReportPageWidth, dispHeight));
    disp->setPainter([this](Canvas& canvas) { return dispPaint(canvas); });
    ScrollBox1->setWidget(disp);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(PanelHeight);
    SetFormColour(Panel1);
    OKBtn = new QPushButton(QStringLiteral("閉じる"), Panel1);
    OKBtn->setObjectName(QString::fromLatin1(closeName));
    OKBtn->setFixedSize(75, 25);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout(Panel1);
    buttons->setContentsMargins(0, 9, ClientWidth - 655 - 75, PanelHeight - 9 - 25);
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ScrollBox1, 1);
    layout->addWidget(Panel1);
    // The page beside the vertical scroll bar without a horizontal one, however wide the
    // style's scroll bar is.
    const int bar =
        ScrollBox1->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ScrollBox1);
    resize(std::max(ClientWidth, ReportPageWidth + bar), clientHeight);
}

void TResultDlg::FormShow() {
    disp->invalidate();
}
