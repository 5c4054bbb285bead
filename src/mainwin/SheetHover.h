#pragma once
// The window's side of the pointer's marks (Hover.h): pointer moves over a paint box go to the
// hover unit, the old and the new place of the mark are drawn again as overlay only, and the
// description goes to the status bar. The plan itself is neither recomputed nor drawn.
#include <QRegion>

class PaintBox;

void HoverOnSheet(PaintBox& sheet, int x, int y);
void HoverLeftSheet(PaintBox& sheet);
// After an edit: the status bar describes the element under the pointer as it is now.
void RefreshHoverText();
// The pixels the mark now shown may cover: where the sheet draws its overlay.
QRegion HoverOverlayArea();
