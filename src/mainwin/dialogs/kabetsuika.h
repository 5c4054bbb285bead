#pragma once
// The user panel materials: five materials of the user's own, each plain and over furring
// strips, edited in one table ("壁要素（面材）変更") and exchanged with other documents through
// the panel-material file (".yd0").
//
// The dialog edits a copy of the document's materials, taken when it is shown: OK commits the
// copy, Cancel (or Esc, or the close box) discards it together with anything loaded meanwhile,
// and "データ保存" writes the values the edits show at that moment.
#include "model/CustomPanels.h"

#include "ui/Forms.h"
#include <QString>

#include <functional>

class QLineEdit;
class QPushButton;
class Cp932LimitValidator;

class TkabetsuikaDlg final : public ModalForm {
    Q_OBJECT
public:
    explicit TkabetsuikaDlg(QWidget* parent);

    // The edits of slot k: row i (1..5) edits slot 2(i-1) on its plain line (Ename1 ..
    // Ename5) and slot 2(i-1)+1 on its furred line (Ename11 .. Ename51).
    QLineEdit* Ename[CustomPanelCount] = {};     // name, at most 22 bytes
    QLineEdit* Ekigou[CustomPanelCount] = {};    // symbol, at most 4 bytes
    QLineEdit* Etairyoku[CustomPanelCount] = {}; // strength, "%5.2f"
    QLineEdit* Egousei[CustomPanelCount] = {};   // stiffness, "%7.2f"
    QLineEdit* Ebairitsu[CustomPanelCount] = {}; // ratio, "%5.2f"
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* Bload = nullptr;
    QPushButton* Bsave = nullptr;

    // The materials being edited.
    CustomPanelRecord Editing[CustomPanelCount];

    // Takes a fresh copy of the document's materials into the edits (when the dialog is shown,
    // never on a repaint, so that typing is kept until OK or Cancel).
    void FormShow() override;
    // Takes the edits into the copy and the copy into the document; the document counts as
    // modified when a material changed. Closes the dialog, unless a value is too large for the
    // files (the user is told and the dialog stays open).
    void OKBtnClick();
    bool ValuesStorable();
    // Asks for a file and loads it into the copy, or saves what the edits show.
    void BloadClick();
    void BsaveClick();
    // The same with the file given. A failure is reported to the user and returns false; a
    // failed load changes nothing. A save the user declined when asked returns false quietly.
    bool LoadFrom(const QString& path);
    bool SaveTo(const QString& path);

    // The edits into the copy: texts cut on whole characters to their byte limits, numbers
    // read from the start of their text (0 when it does not start with one). A number edit
    // still showing what ShowEditing put there keeps the copy's value exactly: the two decimals
    // shown must not round the thousandths of a loaded or stored value.
    void ReadEdits();
    // The copy into the edits.
    void ShowEditing();

    // Ask for the file to load and to save (an empty name cancels); tests replace them.
    std::function<QString()> ChooseOpenFile;
    std::function<QString()> ChooseSaveFile;

private:
    // What ShowEditing put into each number edit (strength, stiffness, ratio).
    QString shownNumbers_[3][CustomPanelCount];
    Cp932LimitValidator* nameLimit_ = nullptr;
    Cp932LimitValidator* symbolLimit_ = nullptr;
};

// A decimal number at the start of `text` (leading blanks skipped, full-width digits read),
// 0 when there is none or it is not finite.
double LeadingNumber(const QString& text);

extern TkabetsuikaDlg* kabetsuikaDlg;
