#include "reports/dialogs/ResultDialog.h"

#include "reports/ScoreReports.h"
#include "ui/PaintBox.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int ClientWidth = 736;
constexpr int PanelHeight = 40;

// What the user left the last result dialog at, for the next one of the run.
FormSize Chosen;
} // namespace

TResultDlg::TResultDlg(QWidget* parent, const QString& caption, int clientHeight,
                       const char* closeName)
    : ModalForm(parent, caption), clientHeight_(clientHeight) {
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
    // As long as the report, and as wide as its widest line: the scroll ranges end below its
    // last line and beside its longest one.
    disp->setGrowToContent(QSize(ReportPageWidth, 1));
    disp->setPainter([this](Canvas& canvas) { return dispPaint(canvas); });
    disp->setContentSize([this] { return report().size; });
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
    placeForShowing();
}

const ReportView& TResultDlg::report() {
    if (!built_) {
        report_ = BuildReport();
        built_ = true;
    }
    return report_;
}

CanvasSize TResultDlg::dispPaint(Canvas& canvas) {
    const ReportView& r = report();
    if (r.paint) r.paint(canvas);
    return r.size;
}

void TResultDlg::FormShow() {
    disp->invalidate();
}

void TResultDlg::Refresh() {
    built_ = false;
    report_ = {};
    disp->fitToContent();
    disp->invalidate();
}

void TResultDlg::setVisible(bool visible) {
    if (visible && !isVisible()) {
        // Built anew from the results as they are now, once for the showing.
        built_ = false;
        report_ = {};
        placeForShowing();
    } else if (!visible && isVisible()) {
        // Maximised without a normal size known, it keeps the size chosen before.
        const FormSize left = FormSize::Of(*this);
        Chosen = {left.size.isValid() ? left.size : Chosen.size, left.maximised};
    }
    ModalForm::setVisible(visible);
    if (!visible) report_ = {}; // nothing of the report is kept between showings
}

void TResultDlg::ForgetChosenSize() {
    Chosen = {};
}

void TResultDlg::placeForShowing() {
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    // The page beside the vertical scroll bar without a horizontal one, however wide the
    // style's scroll bar is.
    const int bar =
        ScrollBox1->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ScrollBox1);
    QSize wanted(std::max(ClientWidth, ReportPageWidth + bar), clientHeight_);
    QSize room(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (screen) {
        room = screen->availableGeometry().size() - FrameExtent(this);
        // As tall as the screen allows; a screen narrower than the page makes it narrower.
        wanted.setHeight(room.height());
    }
    resize(wanted.boundedTo(room));
    Chosen.restore(*this, room);
    setCentred(!Chosen.maximised);
}
