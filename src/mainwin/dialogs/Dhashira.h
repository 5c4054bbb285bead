#pragma once
// The palette of column mode "柱の入力": the kind (管柱 or a through column), the joint hardware
// and the corner rule of the next column placed.
#include "ui/Bindings.h"
#include "ui/Forms.h"

#include <Qt>

class QGroupBox;
class QRadioButton;
class RadioGroup;

// The joint boxes of the column palette and the column change dialog, each radio's id in its
// group the code it stands for (ColumnRecord.joint = corner rule × 4 + hardware).
class ColumnJointRadios {
public:
    QGroupBox* GroupBox2 = nullptr; // 金物仕様
    QRadioButton* Rkugi = nullptr;
    QRadioButton* RVP = nullptr;
    QRadioButton* Rkokuji = nullptr;
    QGroupBox* GroupBox3 = nullptr; // 出隅柱
    QRadioButton* Rdesumi0 = nullptr;
    QRadioButton* Rdesumi1 = nullptr;
    QRadioButton* Rdesumi2 = nullptr;

protected:
    // Where the boxes' hints show: on the status bar for both boxes and their radios (the
    // palette), or as the corner box's tool tip alone (the dialog).
    enum class Hints { StatusBar, CornerToolTip };
    // Makes the two boxes on `form`, their radios along `orientation`.
    void buildJointRadios(QWidget* form, Qt::Orientation orientation, Hints hints);

    RadioGroup* hardware_ = nullptr;
    RadioGroup* corner_ = nullptr;
};

class TColumnDlg final : public PaletteForm, public ColumnJointRadios {
    Q_OBJECT
public:
    explicit TColumnDlg(QWidget* mainWindow);

    QGroupBox* GroupBox1 = nullptr; // 柱の種類
    QRadioButton* Rkuda = nullptr;
    QRadioButton* Rtoushi = nullptr;  // through storeys 1-2
    QRadioButton* Rtoushi2 = nullptr; // through storeys 2-3

    void RkudaClick();
    void RtoushiClick();
    void Rtoushi2Click();
    void RkugiClick();
    void RVPClick();
    void RkokujiClick();
    void Rdesumi0Click();
    void Rdesumi1Click();
    void Rdesumi2Click();
    // The through columns the current storey can take (1-2 on storeys 1 and 2, 2-3 on storeys 2
    // and 3), and the radios of the three variables; a value no radio stands for becomes the
    // last radio's.
    void FormShow() override;

private:
    RadioGroup* kind_ = nullptr;
    FieldBindings fields_;
};

extern TColumnDlg* ColumnDlg;
