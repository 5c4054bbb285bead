#include "reports/dialogs/Onchi.h"

#include "reports/NValueReport.h"

TOnchiDlg* OnchiDlg = nullptr;

TOnchiDlg::TOnchiDlg(QWidget* parent) : TResultDlg(parent, QStringLiteral("柱Ｎ値の算定"), 575) {}

ReportView TOnchiDlg::BuildReport() {
    return NValueReportView();
}
