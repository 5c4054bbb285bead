#pragma once
// The About box. Besides the program's name and version it holds the two switches that make
// the city edition and the 2012 revision of the criteria available in the overview dialog
// (App.CityEditionEnabled, App.Revision2012Enabled; kept for the run, not in the document).
#include "ui/Forms.h"

class QCheckBox;
class QPushButton;

class TAboutBox final : public ModalForm {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent);

    QCheckBox* Cvu = nullptr;     // "vu版使用"
    QCheckBox* Ckaitei = nullptr; // "2012年改訂版"
    QPushButton* OKButton = nullptr;

    void CvuClick();
    void CkaiteiClick();
};

extern TAboutBox* AboutBox;
