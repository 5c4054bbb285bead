#pragma once
// The dialog "壁の変更" on one wall of the plan: its kind and elements (the palette's groups on
// a working copy), the retrofit mark, delete, bring to front, and the copies between the wall
// and the palette. What its buttons do lives in mainwin/WallInput (WallChange*); the dialog
// answers through WallChangeDlgResult.
#include "mainwin/dialogs/WallElements.h"

#include "ui/Forms.h"

#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

class TWallChangeDlg final : public ModalForm {
    Q_OBJECT
public:
    explicit TWallChangeDlg(QWidget* mainWindow);
    ~TWallChangeDlg() override;

    WallElementControls& Elements() { return *elements_; }

    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* Bget = nullptr;  // 要素の取得
    QPushButton* Bput = nullptr;  // 要素の貼付
    QPushButton* Bdel = nullptr;  // 壁の消去
    QPushButton* Blast = nullptr; // 手前に表示
    QCheckBox* Ckaishuu = nullptr;
    QLabel* Label1 = nullptr;
    QCheckBox* Cckokuji = nullptr;  // 改修時両端柱を告示
    QGroupBox* GroupBox1 = nullptr; // 改修時の注意
    QLabel* Lchuui1 = nullptr;
    QLabel* Lchuui2 = nullptr;
    QLabel* Lchuui3 = nullptr;
    QLabel* Lchuui4 = nullptr;

    // The working copy from the wall, then every control from it.
    void FormShow() override;
    // Writes the wall and closes; a refused check keeps the dialog open.
    void OKBtnClick();
    void CancelBtnClick();
    void BgetClick();
    void BputClick();
    void BdelClick();
    void BlastClick();
    void CkaishuuClick();
    void CckokujiClick();

    // The close box and Escape answer as キャンセル does.
    void reject() override;

private:
    class Runner;
    std::unique_ptr<WallElementControls> elements_;
    std::unique_ptr<Runner> runner_;
};

extern TWallChangeDlg* WallChangeDlg;
