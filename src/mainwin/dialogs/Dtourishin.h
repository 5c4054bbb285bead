#pragma once
// The palette of axis mode "通り芯の設定": what a click on the grid does (add or change an X
// or a Y interval, delete an axis or change its kind) and the module with its button, which
// opens the module dialog.
#include "ui/Forms.h"

class QLabel;
class QPushButton;
class QRadioButton;
class RadioGroup;

class TShinDlg final : public PaletteForm {
    Q_OBJECT
public:
    explicit TShinDlg(QWidget* mainWindow);

    QRadioButton* Rxadd = nullptr;
    QRadioButton* Rxchange = nullptr;
    QRadioButton* Ryadd = nullptr;
    QRadioButton* Rychange = nullptr;
    QRadioButton* Rdel = nullptr;
    QLabel* Label3 = nullptr; // "(L)変更・(R)削除", red
    QLabel* Lmodule = nullptr;
    QPushButton* Bikkatsu = nullptr;

    void RxaddClick();
    void RxchangeClick();
    void RyaddClick();
    void RychangeClick();
    void RdelClick();
    // The module dialog, then the module label, whatever the dialog's result.
    void BikkatsuClick();
    // Module label and the radio of App.AxisEditMode (anything unknown checks Rdel).
    void FormShow() override;

private:
    void ShowModule();
    RadioGroup* modes_ = nullptr;
};

extern TShinDlg* ShinDlg;
