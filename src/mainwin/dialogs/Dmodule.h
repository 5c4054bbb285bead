#pragma once
// The module dialog "通り芯間隔一括変更": changes the standard axis spacing and re-spaces the
// whole grid, either every interval, only the intervals of the old module, or those and the
// others in proportion.
#include "ui/Forms.h"

#include <functional>

class QComboBox;
class QPushButton;
class QRadioButton;
class RadioGroup;

class TDmoduleDlg final : public ModalForm {
    Q_OBJECT
public:
    explicit TDmoduleDlg(QWidget* parent);

    QComboBox* Cmodule = nullptr;
    QRadioButton* Rchokusetsu = nullptr; // every interval becomes the module
    QRadioButton* Rhirei = nullptr;      // the others in proportion
    QRadioButton* Rnone = nullptr;       // the others keep their width
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // Runs after a module change, so that the plan follows the new grid (the window sets it).
    std::function<void()> GridChanged;

    void FormShow() override;
    // Checks the module and re-spaces the grid; closes with OK also after a refusal.
    void OKBtnClick();

private:
    RadioGroup* respacing_ = nullptr;
};

extern TDmoduleDlg* DmoduleDlg;
