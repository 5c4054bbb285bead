#pragma once
// The column-joint N-values of the current scenario (柱Ｎ値の算定), on page frames.
#include "reports/dialogs/ResultDialog.h"

class TOnchiDlg final : public TResultDlg {
    Q_OBJECT
public:
    explicit TOnchiDlg(QWidget* parent);
    ReportView BuildReport() override;
};

extern TOnchiDlg* OnchiDlg;
