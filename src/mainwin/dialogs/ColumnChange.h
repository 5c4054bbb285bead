#pragma once
// The column change dialog "柱の変更": the column input shows it for a click on a node that
// holds a column. It offers the column's joint hardware and corner rule for change, or its
// deletion; the kind (管柱 or 通し柱) is not changed here. It exchanges everything through
// ColumnDlgResult, ColumnHardware and ColumnCornerMode (mainwin/Columns.h) and takes the undo
// snapshot for a change or deletion; the column input carries out the choice.
#include "mainwin/dialogs/Dhashira.h"
#include "ui/Forms.h"

#include <memory>

class QLabel;
class QPushButton;
class ColumnInputView;

class TColumnchangeDlg final : public ModalForm, public ColumnJointRadios {
    Q_OBJECT
public:
    explicit TColumnchangeDlg(QWidget* parent);
    ~TColumnchangeDlg() override;

    QLabel* Label1 = nullptr;
    QPushButton* shoukyo = nullptr;
    QLabel* Lchuui = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // Presets the radios from the exchange variables and shows the warning when a bearing
    // wall ends at the column.
    void FormShow() override;
    // 変更: snapshot, then the checked hardware and corner rule; a group with no radio checked
    // keeps the column's own value.
    void OKBtnClick();
    // 消去: snapshot, delete.
    void shoukyoClick();
    // キャンセル: nothing changes.
    void CancelBtnClick();

private:
    std::unique_ptr<ColumnInputView> view_;
};

extern TColumnchangeDlg* ColumnchangeDlg;
