#include "reports/dialogs/Oyuka.h"

#include "reports/FloorReport.h"

TOyukaDlg* OyukaDlg = nullptr;

TOyukaDlg::TOyukaDlg(QWidget* parent)
    : TResultDlg(parent, QStringLiteral("床倍率の算定"), 7212, 573) {}

CanvasSize TOyukaDlg::dispPaint(Canvas& canvas) {
    return PaintFloorReport(canvas);
}
