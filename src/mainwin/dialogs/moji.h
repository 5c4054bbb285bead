#pragma once
// The text dialog "文字の入力": the text input shows it for a new room text. Its combo box
// offers the usual room names, the vertical "@" forms and the orientation marks "*0" .. "*270",
// and takes any typed text up to what the model file keeps. OK puts the text into the text
// palette's current text (App.CurRoomText), which the text input then places.
#include "ui/Forms.h"

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class PlanTextInputView;

class TNameDlg final : public ModalForm {
    Q_OBJECT
public:
    explicit TNameDlg(QWidget* parent);
    ~TNameDlg() override;

    QLabel* Label1 = nullptr;
    QComboBox* name = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // Opens on the palette's current text.
    void FormShow() override;
    // The combo's text becomes the palette's current text, cut on a whole character to what
    // the model file keeps.
    void OKBtnClick();

private:
    std::unique_ptr<PlanTextInputView> view_;
};

extern TNameDlg* NameDlg;
