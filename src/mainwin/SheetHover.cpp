#include "mainwin/SheetHover.h"

#include "document/Hover.h"
#include "mainwin/velquor2_MAIN.h"
#include "ui/Controls.h"
#include "ui/PaintBox.h"
#include "ui/StatusHints.h"

#include <QRect>
#include <QRegion>
#include <QString>

namespace {

// Whether the status bar shows the hover text of the last move: a hint shown while the pointer
// was elsewhere may have replaced it.
bool statusShown = false;
// The hover text last put on the status bar.
QString shownText;

void ShowHoverText() {
    shownText = QStringFromCp932(HoverStatusText());
    SetStatusText(shownText);
}

QRect RectOf(const HoverBounds& b) {
    return b.empty() ? QRect() : QRect(b.left, b.top, b.right - b.left, b.bottom - b.top);
}

QRegion RegionOf(const HoverArea& area) {
    QRect rects[HoverArea::MaxRects];
    for (int i = 0; i < area.count; ++i) rects[i] = RectOf(area.rects[i]);
    QRegion region;
    region.setRects(rects, area.count);
    return region;
}

// Only the pixels the move changed: a mark jumping across the view, or lying slanted across
// it, changes far less than the rectangle that holds its old and its new place.
void RepaintMark(PaintBox& sheet, const HoverChange& change) {
    if (change.markChanged && change.area.count > 0) sheet.invalidateOverlay(RegionOf(change.area));
}

} // namespace

void HoverOnSheet(PaintBox& sheet, int x, int y) {
    const HoverChange change = HoverMove(x, y);
    RepaintMark(sheet, change);
    if (change.statusChanged || !statusShown) {
        ShowHoverText();
        statusShown = true;
    }
}

void HoverLeftSheet(PaintBox& sheet) {
    const QRect mark = RectOf(HoverLeave());
    if (!mark.isEmpty()) sheet.invalidateOverlay(mark);
    statusShown = false;
}

void RefreshHoverText() {
    // Unless a hint has taken its place, the text describes the element under the pointer as it
    // was before the edit.
    if (StatusText() == shownText && RedescribeHover()) ShowHoverText();
}

QRegion HoverOverlayArea() {
    HoverArea area;
    HoverChangedArea(HoverMark{}, CurrentHoverMark(), false, area);
    return RegionOf(area);
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
