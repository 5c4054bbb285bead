#include "reports/dialogs/OJushin.h"

#include "reports/GravityReport.h"

TOjushinDlg* OjushinDlg = nullptr;

TOjushinDlg::TOjushinDlg(QWidget* parent)
    : TResultDlg(parent, QStringLiteral("重心の算定"), 3093, 573) {}

CanvasSize TOjushinDlg::dispPaint(Canvas& canvas) {
    return PaintGravityReport(canvas);
}
