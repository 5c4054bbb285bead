#pragma once
// The floor ratios and the floor strength check of the current scenario (床倍率の算定).
#include "reports/dialogs/ResultDialog.h"

class TOyukaDlg final : public TResultDlg {
    Q_OBJECT
public:
    explicit TOyukaDlg(QWidget* parent);
    ReportView BuildReport() override;
};

extern TOyukaDlg* OyukaDlg;
