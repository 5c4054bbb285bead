#pragma once
// The palette of wall mode "壁の入力": what the next wall is made of (kind, face panels,
// bracing, mud wall, deterioration) with the strength of such a wall, and in its wide form the
// colour legends of the plan's floor-strength and beam pull-out overlays.
#include "mainwin/dialogs/WallElements.h"
#include "ui/Forms.h"

#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;

class TWallDlg final : public PaletteForm {
    Q_OBJECT
public:
    explicit TWallDlg(QWidget* mainWindow);
    ~TWallDlg() override;

    // The shared groups G1..G6 with their handlers and the preview Lbairitsu.
    WallElementControls& Elements() { return *elements_; }

    QPushButton* Bhyouji = nullptr; // ON／OFF
    QGroupBox* GroupBox2 = nullptr; // floor-strength legend
    QGroupBox* GroupBox1 = nullptr; // beam pull-out legend
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;

    // Narrow (kinds only) and wide form; floating, its right edge stays where it is.
    void BhyoujiClick();
    bool Expanded() const { return expanded_; }
    // Controls from the current wall input; runs on every showing and whenever the current
    // input changed from outside (要素の取得 of the wall-change dialog).
    void FormShow() override;
    // The beam legend follows the main window's 横架材応力 option.
    void ShowBeamLegend();

private:
    void ApplyForm();
    std::unique_ptr<WallElementControls> elements_;
    QWidget* groups_ = nullptr;  // beside the kinds in the wide form
    QWidget* legends_ = nullptr; // below everything in the wide form
    bool expanded_ = false;
};

extern TWallDlg* WallDlg;
