#pragma once
// The horizontal-member check: a white page, left empty for now, closed with "閉じる".
#include <QDialog>

class QPushButton;
class QScrollArea;

class TOoukazaiDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TOoukazaiDlg(QWidget* parent);

    QScrollArea* ScrollBox1 = nullptr;
    QWidget* disp = nullptr; // the page, 715 x 7212 pixels
    QPushButton* OKBtn = nullptr;

    void dispPaint(QPainter& painter);

protected:
    void showEvent(QShowEvent* event) override;
};

extern TOoukazaiDlg* OoukazaiDlg;
