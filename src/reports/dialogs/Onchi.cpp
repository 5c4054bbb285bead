#include "reports/dialogs/Onchi.h"

#include "reports/NValueReport.h"

TOnchiDlg* OnchiDlg = nullptr;

TOnchiDlg::TOnchiDlg(QWidget* parent)
    : TResultDlg(parent, QStringLiteral("柱Ｎ値の算定"), 5151, 575) {}

CanvasSize TOnchiDlg::dispPaint(Canvas& canvas) {
    return PaintNValueReport(canvas);
}
