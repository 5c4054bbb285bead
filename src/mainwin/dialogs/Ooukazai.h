#pragma once
// The horizontal-member check: a white page, closed with "閉じる".
#include "ui/PaintBox.h"

#include "ui/Forms.h"

class QPushButton;
class QScrollArea;

class TOoukazaiDlg final : public ModalForm {
    Q_OBJECT
public:
    explicit TOoukazaiDlg(QWidget* parent);

    QScrollArea* ScrollBox1 = nullptr;
    PaintBox* disp = nullptr; // the page, 715 x 7212 pixels or as long as its content
    QPushButton* OKBtn = nullptr;

    CanvasSize dispPaint(Canvas& canvas);
};

extern TOoukazaiDlg* OoukazaiDlg;
