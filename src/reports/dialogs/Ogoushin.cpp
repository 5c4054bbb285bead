#include "reports/dialogs/Ogoushin.h"

#include "reports/WallReports.h"

TOgoushinDlg* OgoushinDlg = nullptr;

TOgoushinDlg::TOgoushinDlg(QWidget* parent)
    : TResultDlg(parent, QStringLiteral("剛心の算定"), 573) {}

ReportView TOgoushinDlg::BuildReport() {
    return RigidityReportView();
}
