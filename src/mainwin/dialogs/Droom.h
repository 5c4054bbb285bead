#pragma once
// The palette of text mode "文字（室名）の入力": the text the next two clicks place (a room name
// and the like), and the button that clears every text of the storey.
#include "ui/Forms.h"

#include <string>

class QLineEdit;
class QPushButton;

class TRoomDlg final : public PaletteForm {
    Q_OBJECT
public:
    explicit TRoomDlg(QWidget* mainWindow);

    QLineEdit* name = nullptr; // the current text, at most what a text record keeps
    QPushButton* Ballclear = nullptr;

    // The text of `name` in CP932, as the text input stores it.
    std::string RoomText() const;
    // Shows the current text (App.CurRoomText): on showing, and when the input took a text back
    // or the text dialog chose one.
    void ShowCurrentText();
    void FormShow() override { ShowCurrentText(); }

    // Asks, then removes every text of the current scenario and storey as one undoable edit.
    void BallclearClick();
};

extern TRoomDlg* RoomDlg;
