#pragma once
// The frame of the eight result dialogs: a white page (`disp`) in a scroll box above a bottom
// panel with the close button "閉じる". The report is built from the results of the last
// recalculation once at every showing; the page is as long as its lines and draws what comes
// into view.
//
// The dialogs open as tall as the screen allows and at least as wide as the page; the size and
// the maximised state the user leaves one of them in are kept for the rest of the run and taken
// by the next one opened.
#include "ports/Canvas.h"
#include "reports/ReportView.h"
#include "ui/Forms.h"

class PaintBox;
class QPushButton;
class QScrollArea;
class QWidget;

class TResultDlg : public ModalForm {
    Q_OBJECT
public:
    // `clientHeight` is the client area's height where the screen gives no other (573, or 575
    // in some of the dialogs); `closeName` the object name of the close button.
    TResultDlg(QWidget* parent, const QString& caption, int clientHeight = 573,
               const char* closeName = "OKBtn");

    QScrollArea* ScrollBox1 = nullptr;
    PaintBox* disp = nullptr; // 715 pixels wide, wider for a report whose lines run further
    QWidget* Panel1 = nullptr;
    QPushButton* OKBtn = nullptr; // the close button, whatever its name

    // The dialog's report from the current results.
    virtual ReportView BuildReport() = 0;
    // Draws the report built for this showing (what the canvas can show of it); returns the
    // size it needs.
    CanvasSize dispPaint(Canvas& canvas);

    // The results may have changed since the last showing.
    void FormShow() override;
    // Builds the report anew from the current results and takes its size; the page is drawn
    // again at its next paint.
    void Refresh();
    // Shown: at the size of the run (see above), the report built anew. Hidden: the size and
    // state left are kept for the next result dialog.
    void setVisible(bool visible) override;

    // Forgets the size chosen in this run (tests).
    static void ForgetChosenSize();

private:
    const ReportView& report();
    // The size of the first showing of the run, or the one chosen since.
    void placeForShowing();

    int clientHeight_;
    ReportView report_;
    bool built_ = false;
};
