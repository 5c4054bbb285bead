#pragma once
// The centre of rigidity, torsional stiffness and eccentricity of the current scenario
// (剛心の算定), below the key plans with the walls.
#include "reports/dialogs/ResultDialog.h"

class TOgoushinDlg final : public TResultDlg {
    Q_OBJECT
public:
    explicit TOgoushinDlg(QWidget* parent);
    ReportView BuildReport() override;
};

extern TOgoushinDlg* OgoushinDlg;
