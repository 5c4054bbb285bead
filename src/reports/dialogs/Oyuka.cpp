#include "reports/dialogs/Oyuka.h"

#include "reports/FloorReport.h"
#include "reports/KeyPlans.h"

TOyukaDlg* OyukaDlg = nullptr;

TOyukaDlg::TOyukaDlg(QWidget* parent) : TResultDlg(parent, QStringLiteral("床倍率の算定"), 573) {}

ReportView TOyukaDlg::BuildReport() {
    return KeyPlanReportView(KeyPlanFloorSpecs, BuildFloorReport());
}
