#pragma once
// The palette of free-line mode "自由線の入力": the style and the colour of the next free line.
#include "ui/Bindings.h"
#include "ui/Forms.h"

#include <memory>

class ColourDialogService;
class PaintBox;
class QComboBox;
class QPushButton;

class TJiyuDlg final : public PaletteForm {
    Q_OBJECT
public:
    explicit TJiyuDlg(QWidget* mainWindow);
    ~TJiyuDlg() override;

    QComboBox* Cshurui = nullptr; // line style 0..5
    PaintBox* sencolor = nullptr; // swatch of the current line colour
    QPushButton* Bcolor = nullptr;

    void CshuruiChange();
    // The colour dialog, opening on the colour last chosen in it; OK makes its choice the line
    // colour, cancel changes nothing.
    void BcolorClick();
    void FormShow() override;

    // The colour dialog Bcolor runs (Qt's unless replaced; tests script one). Not owned.
    void setColourDialog(ColourDialogService* service);

private:
    std::unique_ptr<ColourDialogService> qtColourDialog_;
    ColourDialogService* colourDialog_ = nullptr;
    ColorRef lastChosen_ = 0x000000;
    FieldBindings fields_;
};

extern TJiyuDlg* JiyuDlg;
