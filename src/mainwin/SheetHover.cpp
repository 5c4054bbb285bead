#include "mainwin/SheetHover.h"

#include "document/Hover.h"
#include "mainwin/velquor2_MAIN.h"
#include "ui/Controls.h"
#include "ui/PaintBox.h"
#include "ui/StatusHints.h"

#include <QRect>
#include <QString>

namespace {

// Whether the status bar shows the hover text of the last move: a hint shown while the pointer
// was elsewhere may have replaced it.
bool statusShown = false;

QRect RectOf(const HoverBounds& b) {
    return b.empty() ? QRect() : QRect(b.left, b.top, b.right - b.left, b.bottom - b.top);
}

long long Area(const QRect& r) {
    return r.isEmpty() ? 0 : (long long)r.width() * r.height();
}

// The old and the new place of a mark. Far apart (an axis line jumping across the sheet), the
// old place is drawn again at once on its own: the sheet draws the one rectangle that holds
// all that it is asked to draw, which would be everything between them.
void RepaintMark(PaintBox& sheet, const HoverChange& change) {
    if (!change.markChanged) return;
    const QRect before = RectOf(change.before), after = RectOf(change.after);
    if (Area(before | after) > 2 * (Area(before) + Area(after))) {
        sheet.repaint(before);
        if (!after.isEmpty()) sheet.invalidateOverlay(after);
    } else if (!(before | after).isEmpty()) {
        sheet.invalidateOverlay(before | after);
    }
}

} // namespace

void HoverOnSheet(PaintBox& sheet, int x, int y) {
    const HoverChange change = HoverMove(x, y);
    RepaintMark(sheet, change);
    if (change.statusChanged || !statusShown) {
        SetStatusText(QStringFromCp932(HoverStatusText()));
        statusShown = true;
    }
}

void HoverLeftSheet(PaintBox& sheet) {
    const QRect mark = RectOf(HoverLeave());
    if (!mark.isEmpty()) sheet.invalidateOverlay(mark);
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
