#pragma once
// The required strength of the current scenario (必要耐力の算定).
#include "reports/dialogs/ResultDialog.h"

class TOhitsuyouDlg final : public TResultDlg {
    Q_OBJECT
public:
    explicit TOhitsuyouDlg(QWidget* parent);
    ReportView BuildReport() override;
};

extern TOhitsuyouDlg* OhitsuyouDlg;
