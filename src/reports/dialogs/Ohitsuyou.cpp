#include "reports/dialogs/Ohitsuyou.h"

#include "reports/KeyPlans.h"
#include "reports/RequiredReport.h"

TOhitsuyouDlg* OhitsuyouDlg = nullptr;

TOhitsuyouDlg::TOhitsuyouDlg(QWidget* parent)
    : TResultDlg(parent, QStringLiteral("必要耐力の算定"), 573, "Button1") {}

ReportView TOhitsuyouDlg::BuildReport() {
    return KeyPlanReportView(KeyPlanRequired, BuildRequiredReport());
}
