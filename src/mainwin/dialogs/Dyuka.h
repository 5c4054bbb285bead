#pragma once
// The palette of roof/floor-area mode "屋根床等の入力": the shape of the next area (two-click
// rectangle or three-click triangle), what it is when seen from below, whether the outer walls
// enclose it, and whether the storey has its maximum rectangle yet.
#include "ui/Bindings.h"
#include "ui/Forms.h"

#include <Qt>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class RadioGroup;

// The area shape radios of the two area palettes. Switching drops a half-entered figure.
void ChooseAreaShape(int shape);

// The box "入力形状" of the two area palettes: 矩形 (shape 0) and 三角形 (1) along
// `orientation`, in one group whose clicks choose the shape.
struct AreaShapeRadios {
    QGroupBox* box = nullptr;
    QRadioButton* rectangle = nullptr;
    QRadioButton* triangle = nullptr;
    RadioGroup* group = nullptr;
};
AreaShapeRadios MakeAreaShapeRadios(QWidget* form, Qt::Orientation orientation);

class TYukaDlg final : public PaletteForm {
    Q_OBJECT
public:
    explicit TYukaDlg(QWidget* mainWindow);

    QRadioButton* Rkukei = nullptr;   // 矩形
    QRadioButton* Rsankaku = nullptr; // 三角形
    QComboBox* Cshiyou = nullptr;     // area kind 0..6
    QCheckBox* Cgaishu = nullptr;     // not enclosed by the outer walls
    QLabel* chuui = nullptr;          // maximum rectangle entered or not

    void CshiyouChange();
    void CgaishuClick();
    // Controls from the current-input variables, then the maximum-rectangle status of the
    // current scenario and storey.
    void FormShow() override;
    // The status label: whether the current storey has its largest rectangle (an area of kind 6,
    // enclosed or not, as the calculation counts it).
    void ShowLargestRectangle();

private:
    AreaShapeRadios shape_;
    FieldBindings fields_;
};

extern TYukaDlg* YukaDlg;
