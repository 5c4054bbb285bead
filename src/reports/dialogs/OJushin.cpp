#include "reports/dialogs/OJushin.h"

#include "reports/GravityReport.h"
#include "reports/KeyPlans.h"

TOjushinDlg* OjushinDlg = nullptr;

TOjushinDlg::TOjushinDlg(QWidget* parent) : TResultDlg(parent, QStringLiteral("重心の算定"), 573) {}

ReportView TOjushinDlg::BuildReport() {
    return KeyPlanReportView(KeyPlanGravity, BuildGravityReport());
}
