#pragma once
// The retrofit cost estimate "概算集計": the work a retrofit plan brings, by kind, at unit
// prices the user may change, with the total, the consumption tax and the estimated sum. The
// quantities come from the last diagnosis of the scenario on screen; the prices, the roof area
// and the extra amounts stay in their edits for the rest of the run and are stored nowhere.
#include "reports/CostEstimate.h"
#include "ui/Forms.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TShuukeiDlg final : public ModalForm {
    Q_OBJECT
public:
    explicit TShuukeiDlg(QWidget* parent);

    // One control of each kind per priced row (EstimateRow order), named as the form names
    // them (Lshinzai11, Eshinzai11, Lgshinzai11, ...). The roof row's quantity is the edit
    // Eyanes, so its quantity label is null.
    QLabel* Quantity[EstimateRows] = {};
    QLineEdit* UnitPrice[EstimateRows] = {};
    QLabel* Amount[EstimateRows] = {};
    QLineEdit* Eyanes = nullptr;    // roof area, m²
    QLineEdit* Esonota1 = nullptr;  // 設備工事・リフォーム工事等
    QLineEdit* Esonota2 = nullptr;  // 設計費等
    QLabel* Lgkei = nullptr;        // 計
    QLabel* Lgzei = nullptr;        // 消費税
    QLabel* Lggoukei = nullptr;     // 概算額
    QPushButton* Button1 = nullptr; // 再計算
    QPushButton* Button2 = nullptr; // 閉じる
    QPushButton* Button3 = nullptr; // 単価設定 (no settings behind it yet: disabled)

    // The working values of the last recalculation.
    CostEstimate Estimate;

    // Every showing recalculates, so the estimate follows the plan as it is now.
    void FormShow() override;
    // 再計算: recalculates with the prices and amounts as typed.
    void Button1Click();

private:
    // Counts, prices and shows the whole estimate. Runs only from the showing and the button,
    // never from a paint.
    void Recalculate();
};

extern TShuukeiDlg* ShuukeiDlg;
