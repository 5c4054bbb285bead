#include "reports/dialogs/Ohitsuyou.h"

#include "reports/RequiredReport.h"

TOhitsuyouDlg* OhitsuyouDlg = nullptr;

TOhitsuyouDlg::TOhitsuyouDlg(QWidget* parent)
    : TResultDlg(parent, QStringLiteral("必要耐力の算定"), 4124, 573, "Button1") {}

CanvasSize TOhitsuyouDlg::dispPaint(Canvas& canvas) {
    return PaintRequiredReport(canvas);
}
