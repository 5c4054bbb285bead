#include "reports/dialogs/Okabe.h"

#include "reports/WallReports.h"

TOkabeDlg* OkabeDlg = nullptr;

TOkabeDlg::TOkabeDlg(QWidget* parent)
    : TResultDlg(parent, QStringLiteral("壁耐力・剛性の算定"), 6196, 575) {}

CanvasSize TOkabeDlg::dispPaint(Canvas& canvas) {
    return PaintWallStrengthReport(canvas);
}
