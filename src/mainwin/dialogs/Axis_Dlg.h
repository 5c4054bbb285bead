#pragma once
// The axis dialog: asks for the distance of a new axis, or the new width of an interval, when
// the user clicks the grid in axis mode. The caller sets AxisOldDistance and AxisNewDistance
// (the proposal) before showing it and reads AxisNewDistance and AxisDlgResult afterwards.
#include "ui/Forms.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class TAxisDlg final : public ModalForm {
    Q_OBJECT
public:
    explicit TAxisDlg(QWidget* parent);

    QLabel* memo1 = nullptr;
    QLabel* memo2 = nullptr;
    QLabel* memo3 = nullptr;
    QLabel* oldnum = nullptr;
    QComboBox* newnum = nullptr;
    QCheckBox* tourishinset = nullptr; // "通り芯に設定": a main axis
    QCheckBox* tosize = nullptr;       // "寸法表示"
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    double AxisOldDistance = 0.0; // metres, shown read-only
    double AxisNewDistance = 0.0; // the proposal on entry, the entered distance after OK
    // 0 cancelled, 1 main axis, 2 sub axis, 3 hidden axis.
    int AxisDlgResult = 0;

    // Texts for App.AxisEditMode, the two distances and the list of presets.
    void FormShow() override;
    // Reads the distance (an empty text reads as 0, anything else that is not a number as
    // NaN, which the edit refuses) and the kind, and closes.
    void OKBtnClick();
    void CancelBtnClick();
};

extern TAxisDlg* AxisDlg;

// A distance as the dialogs read it: empty (or blank) is 0, a number must fill the text.
double ParseDistanceText(const QString& text);
