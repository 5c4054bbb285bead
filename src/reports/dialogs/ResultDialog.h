#pragma once
// The frame of the eight result dialogs: a white page (`disp`) in a scroll box above a bottom
// panel with the close button "閉じる". The page is drawn by the dialog's dispPaint from the
// results of the last recalculation, anew at every showing, and grows to its content so that
// a long report is never cut off.
#include "document/Canvas.h"
#include "ui/Forms.h"

class PaintBox;
class QPushButton;
class QScrollArea;
class QWidget;

class TResultDlg : public ModalForm {
    Q_OBJECT
public:
    // `dispHeight` is the page's height at the least; `clientHeight` the client area's (573,
    // or 575 in some of the dialogs); `closeName` the object name of the close button.
    TResultDlg(QWidget* parent, const QString& caption, int dispHeight, int clientHeight = 573,
               const char* closeName = "OKBtn");

    QScrollArea* ScrollBox1 = nullptr;
    PaintBox* disp = nullptr; // 715 pixels wide
    QWidget* Panel1 = nullptr;
    QPushButton* OKBtn = nullptr; // the close button, whatever its name

    // Draws the whole report; returns the size it needs.
    virtual CanvasSize dispPaint(Canvas& canvas) = 0;

    // The results may have changed since the last showing.
    void FormShow() override;
};
