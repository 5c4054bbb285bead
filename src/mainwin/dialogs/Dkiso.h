#pragma once
// The palette of foundation mode "基礎の入力": the foundation class of the next foundation line.
// The section, opening, ground-improvement and anchor-bolt groups are shown disabled: the
// diagnosis does not use them.
#include "ui/Bindings.h"
#include "ui/Forms.h"

class QGroupBox;
class QRadioButton;
class RadioGroup;

class TKisoDlg final : public PaletteForm {
    Q_OBJECT
public:
    explicit TKisoDlg(QWidget* mainWindow);

    QGroupBox* GroupBox2 = nullptr; // 基礎仕様
    QRadioButton* Rkiso1 = nullptr;
    QRadioButton* Rkiso2 = nullptr;
    QRadioButton* Rkiso3 = nullptr;

    void Rkiso1Click();
    void Rkiso2Click();
    void Rkiso3Click();
    void FormShow() override;

private:
    RadioGroup* type_ = nullptr;
    FieldBindings fields_;
};

extern TKisoDlg* KisoDlg;
