#pragma once
// The palette of floor-spec mode "屋根床仕様の入力": the shape of the next area, its
// board and its horizontal bracing, with the legend of the floor-strength check drawn on the
// plan.
#include "ui/Bindings.h"
#include "ui/Forms.h"

#include "mainwin/dialogs/Dyuka.h"

class QComboBox;
class QGroupBox;
class QRadioButton;

class TYuka2Dlg final : public PaletteForm {
    Q_OBJECT
public:
    explicit TYuka2Dlg(QWidget* mainWindow);

    QRadioButton* Rkukei = nullptr;
    QRadioButton* Rsankaku = nullptr;
    QComboBox* Cshiyou = nullptr;   // board 0..16
    QComboBox* Chiuchi = nullptr;   // " 0) 火打なし", then the bracing 17..23
    QGroupBox* GroupBox2 = nullptr; // floor-strength legend

    void CshiyouChange();
    // CurFloorBrace = the item index, plus 16 when it is not 0.
    void ChiuchiChange();
    void FormShow() override;

private:
    AreaShapeRadios shape_;
    FieldBindings fields_;
};

extern TYuka2Dlg* Yuka2Dlg;
