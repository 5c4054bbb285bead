#pragma once
// The pointer over the plan sheet: the element (or grid axis) under it is marked and described on
// the status bar, and once the first node of a figure has been clicked the figure being entered
// follows the pointer as a rubber band. The mark tells which element a right click edits
// (PlanInput.HoverIndex, App.HoverState).
//
// Nothing here changes the document, runs the diagnosis or draws the plan: the mark is the
// sheet's overlay, drawn from the state kept here over the plan already drawn, and a mark made
// before the document, the mode, the storey, the scenario, the scale or the figure entry changed
// is not drawn at all. Free of Qt; the window passes the pointer in, repaints the area a move
// names (HoverChange::area) and shows HoverStatusText.
#include "model/ColorRef.h"
#include "ports/Canvas.h"

enum class HoverShape {
    None,
    Line,      // points 0 to 1
    Rectangle, // filled, corners 0 and 1
    Frame,     // outline only, corners 0 and 1
    Triangle   // filled, points 0, 1, 2
};

// A mark, in sheet pixels, drawn in xor with the pen of its mode (and its brush, for the
// filled shapes).
struct HoverMark {
    HoverShape shape = HoverShape::None;
    ColorRef colour = 0;
    int penWidth = 1;
    CanvasPoint points[3] = {};
};
bool SameMark(const HoverMark& a, const HoverMark& b);

// A pixel rectangle, right and bottom outside; empty when it holds no pixel.
struct HoverBounds {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
};

// The hover radius: 0.2 m at the current scale, in whole pixels.
int HoverRadius();

// The pixels whose overlay differs between two marks, as rectangles in bands of rows (top to
// bottom, left to right within a band, none overlapping).
struct HoverArea {
    static constexpr int MaxRects = 320;
    int count = 0;
    HoverBounds rects[MaxRects];
};

// What a pointer move changed: the status text, and the mark (its old and its new place, whose
// overlay must be drawn again).
struct HoverChange {
    bool statusChanged = false;
    bool markChanged = false;
    HoverBounds before, after;
    // Within the old and the new place, what must be drawn again: every pixel either mark may
    // cover, less those both cover for certain (the xor of one colour over the same plan shows
    // the same there). Much less than the rectangle that holds both when the mark jumps far or
    // lies slanted across the view.
    HoverArea area;
};

// The pointer moved to sheet pixel (x, y). Right after a handled click (App.HoverState 2) it
// only ends that state. Otherwise it marks and describes the element under the pointer, or with
// a figure half entered draws its rubber band to the node under the pointer.
HoverChange HoverMove(int x, int y);
// The pointer left the sheet: the mark and the rubber band go, App.HoverState becomes 0.
// Returns the pixels to draw again.
HoverBounds HoverLeave();

// The status text of the last move, CP932 bytes; empty when nothing is described.
const char* HoverStatusText();
// Describes again what lies where the pointer last moved, as the document is now (after an
// edit), leaving the mark and App.HoverState as they are; true when the text changed.
bool RedescribeHover();
// What the overlay draws now: the mark of the last move, or nothing when it is stale.
HoverMark CurrentHoverMark();
// The pixels a mark covers (pen included).
HoverBounds HoverMarkBounds(const HoverMark& mark);
// The area between the mark `before` and the mark `after`; `bothShown` when both are marks of
// the same plan, mode and scale, drawn over the same picture.
void HoverChangedArea(const HoverMark& before, const HoverMark& after, bool bothShown,
                      HoverArea& area);
// Draws the current mark; only reads.
void DrawHoverOverlay(Canvas& canvas);
// Draws a mark in xor.
void DrawHoverMark(Canvas& canvas, const HoverMark& mark);
