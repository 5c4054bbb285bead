#include "reports/dialogs/Ohantei.h"

#include "reports/ScoreReports.h"

TOhanteiDlg* OhanteiDlg = nullptr;

TOhanteiDlg::TOhanteiDlg(QWidget* parent)
    : TResultDlg(parent, QStringLiteral("上部構造評点の算定"), 575) {}

ReportView TOhanteiDlg::BuildReport() {
    return ReportPageView(BuildJudgementReport());
}
