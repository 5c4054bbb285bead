#include "reports/dialogs/Ohantei.h"

#include "reports/ScoreReports.h"

TOhanteiDlg* OhanteiDlg = nullptr;

TOhanteiDlg::TOhanteiDlg(QWidget* parent)
    : TResultDlg(parent, QStringLiteral("上部構造評点の算定"), 1031, 575) {}

CanvasSize TOhanteiDlg::dispPaint(Canvas& canvas) {
    return PaintJudgementReport(canvas);
}
