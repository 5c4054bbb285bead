#pragma once
// The horizontal-member check: a white page, left empty for now, closed with "閉じる".
#include "ui/PaintBox.h"

#include <QDialog>

class QPushButton;
class QScrollArea;

class TOoukazaiDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TOoukazaiDlg(QWidget* parent);

    QScrollArea* ScrollBox1 = nullptr;
    PaintBox* disp = nullptr; // the page, 715 x 7212 pixels or as long as its content
    QPushButton* OKBtn = nullptr;

    CanvasSize dispPaint(Canvas& canvas);

protected:
    void showEvent(QShowEvent* event) override;
};

extern TOoukazaiDlg* OoukazaiDlg;
