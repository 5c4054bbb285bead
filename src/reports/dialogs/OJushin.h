#pragma once
// The centre of gravity of every storey of the current scenario (重心の算定).
#include "reports/dialogs/ResultDialog.h"

class TOjushinDlg final : public TResultDlg {
    Q_OBJECT
public:
    explicit TOjushinDlg(QWidget* parent);
    ReportView BuildReport() override;
};

extern TOjushinDlg* OjushinDlg;
