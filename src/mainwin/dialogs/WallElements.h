#pragma once
// The controls that the wall palette (Dkabe) and the wall-change dialog (WallChange) share:
// the groups of wall kind, face panels, bracing, mud wall and deterioration, and the strength
// preview. One set edits one WallSpecRefs: the palette's the current wall input, the dialog's
// its working copy of the wall.
#include "document/WallInput.h"

#include <QWidget>

class Canvas;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class RadioGroup;

// The preview text "%5.2f" of a strength in kN/m, drawn at the canvas origin.
void DrawWallStrengthPreview(Canvas& canvas, double strength);

// The small box that shows the preview; it draws only what it was given.
class WallStrengthPreview final : public QWidget {
public:
    explicit WallStrengthPreview(QWidget* parent);
    void setStrength(double strength);
    double strength() const { return strength_; }
    QString text() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double strength_ = 0;
};

class WallElementControls {
public:
    // Builds the groups as children of `form`.
    WallElementControls(QWidget* form, WallSpecRefs spec);

    QGroupBox* G1 = nullptr; // 壁の種類
    QRadioButton* Rmukaikou = nullptr;
    QRadioButton* Rmado = nullptr;
    QRadioButton* Rto = nullptr;
    QRadioButton* Rzenkaikou = nullptr;
    QGroupBox* G2 = nullptr; // 左上面材
    QComboBox* Clumem = nullptr;
    QCheckBox* Cludoubuchi = nullptr;
    QGroupBox* G3 = nullptr; // 右下面材
    QComboBox* Crdmem = nullptr;
    QCheckBox* Crddoubuchi = nullptr;
    QGroupBox* G4 = nullptr; // 筋かい
    QComboBox* Csujikai = nullptr;
    QGroupBox* G41 = nullptr;
    QRadioButton* Rsingle = nullptr;
    QRadioButton* Rdouble = nullptr;
    QGroupBox* G42 = nullptr;
    QRadioButton* Rknashi = nullptr;
    QRadioButton* Rk15bai = nullptr;
    QRadioButton* Rkkokuji = nullptr;
    QGroupBox* G5 = nullptr; // 土壁
    QRadioButton* Rtnashi = nullptr;
    QRadioButton* Rtfumei = nullptr;
    QRadioButton* Rt5 = nullptr;
    QRadioButton* Rt7 = nullptr;
    QRadioButton* Rt9 = nullptr;
    QRadioButton* Rt9o = nullptr;
    QLabel* Label6 = nullptr;
    QGroupBox* G6 = nullptr; // 劣化
    QRadioButton* Rzentai = nullptr;
    QRadioButton* Rbubun = nullptr;
    QRadioButton* Rnashi = nullptr;
    QLabel* Label5 = nullptr; // 耐力＝
    WallStrengthPreview* Lbairitsu = nullptr;

    void RmukaikouClick();
    void RmadoClick();
    void RtoClick();
    void RzenkaikouClick();
    void RzentaiClick();
    void RbubunClick();
    void RnashiClick();
    void ClumemChange();
    void CludoubuchiClick();
    void CrdmemChange();
    void CrddoubuchiClick();
    void CsujikaiChange();
    void RsingleClick();
    void RdoubleClick();
    void RknashiClick();
    void Rk15baiClick();
    void RkkokujiClick();
    void RtnashiClick();
    void RtfumeiClick();
    void Rt5Click();
    void Rt7Click();
    void Rt9Click();
    void Rt9oClick();

    // Sets every control from the values: the user panel names, the radios (a radio that was
    // not checked runs its handler, which brings a value outside the choices to the radio's),
    // the combos and the preview. Runs when the form is shown and when the values changed
    // from outside, never on a repaint.
    void PresetControls();
    // The preview of the values as they stand.
    void ShowPreview();

private:
    void SetKind(int32_t kind);
    void SetDeterioration(int32_t value);
    void SetDirection(int32_t direction);
    void SetHardware(int32_t hardware);
    void SetMudWall(int32_t mud);
    void PanelChanged(QComboBox* combo, QCheckBox* furring, int32_t& code);

    WallSpecRefs spec_;
    RadioGroup* kinds_ = nullptr;
    RadioGroup* directions_ = nullptr;
    RadioGroup* hardware_ = nullptr;
    RadioGroup* mudWalls_ = nullptr;
    RadioGroup* deterioration_ = nullptr;
};
