#pragma once
// The bulk edit dialog "データの一括編集": copies or swaps the element lists of chosen storeys
// between another scenario and the one on screen (with the scenarios' storey data when asked),
// or empties the storey on screen, or strips the strength elements of its walls. Every change
// takes one undo snapshot first and marks the document modified; the main window repaints and
// brings its storey controls in line afterwards.
#include "ui/Forms.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class RadioGroup;

class TDcopyDlg final : public ModalForm {
    Q_OBJECT
public:
    explicit TDcopyDlg(QWidget* parent);

    QGroupBox* GroupBox1 = nullptr; // 編集方法
    QRadioButton* Rmc = nullptr;
    QRadioButton* Rmp = nullptr;
    QGroupBox* GroupBox2 = nullptr; // 編集元
    QRadioButton* Rs0 = nullptr;
    QRadioButton* Rs1 = nullptr;
    QRadioButton* Rs2 = nullptr;
    QGroupBox* GroupBox3 = nullptr; // 編集先
    QRadioButton* Rd0 = nullptr;
    QRadioButton* Rd1 = nullptr;
    QRadioButton* Rd2 = nullptr;
    QGroupBox* GroupBox4 = nullptr; // 対象階
    QCheckBox* Ck1 = nullptr;
    QCheckBox* Ck2 = nullptr;
    QCheckBox* Ck3 = nullptr;
    QLabel* StaticText1 = nullptr;
    QCheckBox* CheckBox1 = nullptr; // 階数・重さ・面積も編集する
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* Button1 = nullptr; // データ削除
    QPushButton* Button2 = nullptr; // 壁耐力要素削除
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;

    // On showing: the destination is the scenario on screen, the source another one, the
    // method copy. The storey boxes keep their last state. A repaint resets nothing.
    void FormShow() override;
    // One snapshot, then the copy or swap the radios and boxes choose.
    void OKBtnClick();
    // Empty the storey on screen / strip its walls' strength elements, each only on Yes.
    void Button1Click();
    void Button2Click();

    // The choice as it stands: source and destination scenario, mode (0 copy, 1 swap, plus 2
    // without the storey data) and storey mask.
    int source() const;
    int destination() const;
    int mode() const;
    int storeyMask() const;

private:
    RadioGroup* method_ = nullptr;
    RadioGroup* source_ = nullptr;
    RadioGroup* destination_ = nullptr;
};

extern TDcopyDlg* DcopyDlg;
