#include "reports/dialogs/Okabe.h"

#include "reports/WallReports.h"

TOkabeDlg* OkabeDlg = nullptr;

TOkabeDlg::TOkabeDlg(QWidget* parent)
    : TResultDlg(parent, QStringLiteral("壁耐力・剛性の算定"), 575) {}

ReportView TOkabeDlg::BuildReport() {
    return WallStrengthReportView();
}
