#pragma once
// The judgement sheet of the current scenario (上部構造評点の算定): required strength,
// wall strength, reduction factors, strength held and scores of every storey.
#include "reports/dialogs/ResultDialog.h"

class TOhanteiDlg final : public TResultDlg {
    Q_OBJECT
public:
    explicit TOhanteiDlg(QWidget* parent);
    ReportView BuildReport() override;
};

extern TOhanteiDlg* OhanteiDlg;
