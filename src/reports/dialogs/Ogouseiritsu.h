#pragma once
// The reduction factors and scores of the current scenario (低減係数・上部構造評点).
#include "reports/dialogs/ResultDialog.h"

class TOgouseiDlg final : public TResultDlg {
    Q_OBJECT
public:
    explicit TOgouseiDlg(QWidget* parent);
    ReportView BuildReport() override;
};

extern TOgouseiDlg* OgouseiDlg;
