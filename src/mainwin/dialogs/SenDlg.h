#pragma once
// The offset dialog "自由線　位置の調整": the free-line input shows it for every new line. Its
// four combo boxes edit the offsets of the line's two ends in App.CurLineOffset, which keep
// their values from one line to the next; Y is typed upwards on the screen.
#include "ui/Forms.h"

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class FreeLineInputView;

class TSenoffDlg final : public ModalForm {
    Q_OBJECT
public:
    explicit TSenoffDlg(QWidget* parent);
    ~TSenoffDlg() override;

    QLabel* Label1 = nullptr; // １点目オフセット
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* Cox1 = nullptr;
    QComboBox* Coy1 = nullptr;
    QLabel* Label4 = nullptr; // ２点目オフセット
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* Cox2 = nullptr;
    QComboBox* Coy2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // The four texts from the current offsets, "%7.3f" with the typed sign. Runs on showing
    // only, so that a repaint never rewrites what the user is typing.
    void FormShow() override;
    // Every change of a text is stored at once; a text that is no number counts as 0.
    void Cox1Change();
    void Coy1Change();
    void Cox2Change();
    void Coy2Change();

private:
    std::unique_ptr<FreeLineInputView> view_;
};

extern TSenoffDlg* SenoffDlg;
