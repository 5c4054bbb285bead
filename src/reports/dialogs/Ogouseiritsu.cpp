#include "reports/dialogs/Ogouseiritsu.h"

#include "reports/ScoreReports.h"

TOgouseiDlg* OgouseiDlg = nullptr;

TOgouseiDlg::TOgouseiDlg(QWidget* parent)
    : TResultDlg(parent, QStringLiteral("低減係数・上部構造評点"), 575) {}

ReportView TOgouseiDlg::BuildReport() {
    return ReportPageView(BuildScoreReport());
}
