#include "mainwin/SheetHover.h"

#include "mainwin/Hover.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/Cp932.h"
#include "ui/PaintBox.h"
#include "ui/StatusHints.h"

#include <QRect>
#include <QString>

namespace {

// Whether the status bar shows the hover text of the last move: a hint shown while the pointer
// was elsewhere may have replaced it.
bool statusShown = false;

void RepaintOverlay(PaintBox& sheet, const HoverBounds& b) {
    if (!b.empty())
        sheet.invalidateOverlay(QRect(b.left, b.top, b.right - b.left, b.bottom - b.top));
}

} // namespace

void HoverOnSheet(PaintBox& sheet, int x, int y) {
    const HoverChange change = HoverMove(x, y);
    RepaintOverlay(sheet, change.repaint);
    if (change.statusChanged || !statusShown) {
        SetStatusText(QString::fromStdString(cp932::toUtf8(HoverStatusText())));
        statusShown = true;
    }
}

void HoverLeftSheet(PaintBox& sheet) {
    RepaintOverlay(sheet, HoverLeave());
    statusShown = false;
}

// ---- The plan sheet's hooks ----

void Tvelquor2Form::SheetMouseMove(int x, int y) {
    HoverOnSheet(*Sheet, x, y);
}

void Tvelquor2Form::SheetMouseLeave() {
    HoverLeftSheet(*Sheet);
}

void Tvelquor2Form::SheetOverlayPaint(Canvas& canvas) {
    DrawHoverOverlay(canvas);
}
