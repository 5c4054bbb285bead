#pragma once
// The strength and stiffness of every wall of the current scenario, by wall line
// (壁耐力・剛性の算定).
#include "reports/dialogs/ResultDialog.h"

class TOkabeDlg final : public TResultDlg {
    Q_OBJECT
public:
    explicit TOkabeDlg(QWidget* parent);
    ReportView BuildReport() override;
};

extern TOkabeDlg* OkabeDlg;
