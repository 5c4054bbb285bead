#pragma once
// The deterioration table "一般診断の劣化調査による劣化度": the points of the thirteen survey
// items, their sums and the factor, as the last OK of the overview dialog (or the last read)
// left them. It only shows them: the survey is changed in the overview dialog.
#include "ui/Forms.h"

class QCheckBox;
class QLabel;
class QPushButton;

class TRekkadoDlg final : public ModalForm {
    Q_OBJECT
public:
    explicit TRekkadoDlg(QWidget* parent);

    // Fills the table from ExistencePoints and DeteriorationPoints; nothing changes while the
    // dialog is open.
    void FormShow() override;

    static constexpr int Items = 13;
    QCheckBox* rs[Items] = {}; // rs1 to rs13: 存在点数, ticked when the item exists
    QCheckBox* rr[Items] = {}; // rr1 to rr13: 劣化点数, shown when it exists, ticked when it counts
    QLabel *rssum = nullptr, *rrsum = nullptr, *rekkakeisu = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // The factor the table shows; the diagnosis reads DeteriorationFactor.
    double DeteriorationTableFactor = 1.0;
};

extern TRekkadoDlg* RekkadoDlg;
