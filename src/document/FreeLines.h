#pragma once
// Free lines (自由線): drawing aids between two grid nodes of the current scenario and storey,
// each end shifted by an offset in metres, in one of six line styles and any colour. They take
// no part in the diagnosis. Clicking the two nodes of a line again removes it, whatever its
// offsets.
//
// The input is free of Qt and built with the core; the offset dialog and the repaint are reached
// through FreeLineInputView, which the window installs and tests script. The plan painter
// (plan/) draws them.
#include <cstdint>

// Line styles of FreeLineRecord.style.
inline constexpr int32_t LineThin = 0;       // 細線
inline constexpr int32_t LineThick = 1;      // 太線
inline constexpr int32_t LineDotted = 2;     // 点線
inline constexpr int32_t LineDashed = 3;     // 鎖線
inline constexpr int32_t LineDashDot = 4;    // １点鎖線
inline constexpr int32_t LineDashDotDot = 5; // ２点鎖線

// Offsets beyond this many metres asked about before the line is placed.
inline constexpr double OffsetAskBeyond = 1.0;
// The widest offset the model file's "%7.3f" field holds with its sign.
inline constexpr double OffsetLimit = 99.999;

// The offset dialog's fields as typed (Y upwards on the screen) from App.CurLineOffset, which
// holds the Y offsets negated; and back. Index 0 dx1, 1 dy1, 2 dx2, 3 dy2.
double TypedOffset(int field);
void SetTypedOffset(int field, double typed);

// What the free-line input needs of the window.
class FreeLineInputView {
public:
    virtual ~FreeLineInputView() = default;
    // Shows the offset dialog modally, which leaves its values in App.CurLineOffset; true for
    // OK.
    virtual bool showOffsetDialog() { return false; }
    // The lines changed: repaint the plan.
    virtual void repaintSheet() {}
};

// The installed view; until one is installed the dialog counts as cancelled and repaints are
// dropped.
FreeLineInputView& FreeLineView();
void SetFreeLineInputView(FreeLineInputView* view);

// A click pair on nodes (x1, y1) and (x2, y2) (axis indices): removes the line joining them in
// either order, or asks for the offsets and adds a line in the current style and colour.
// Returns 1 when a line was added or removed (also after a cancelled dialog) and 0 when
// refused: the same node twice, a node off the grid, a full storey, an offset that is no
// number or beyond what the file holds, or a wide offset the user did not confirm.
int InputFreeLine(int x1, int y1, int x2, int y2);
