#pragma once
// The roof and floor areas (屋根床等) and the roof and floor spec areas (屋根床仕様) of
// the plan: rectangles on two grid nodes and triangles on three, placed from the current-input
// variables and removed by clicking the same nodes again.
//
// The input is free of Qt and built with the core; the repaint and the roof/floor palette's
// status label are reached through RoofFloorInputView, which the window installs and tests
// script. The plan painter (plan/) draws them, with the storey outline, the quarter strips of
// the approximate general method and the floor-strength overlay.
#include <cstdint>

inline constexpr int32_t AreaKindAttic = 5;            // 小屋裏収納
inline constexpr int32_t AreaKindLargestRectangle = 6; // 最大矩形

// What the area input needs of the window.
class RoofFloorInputView {
public:
    virtual ~RoofFloorInputView() = default;
    // The areas changed or a question was answered: repaint the plan, which recomputes.
    virtual void repaintSheet() {}
    // Whether the storey has a largest rectangle may have changed: the roof/floor palette
    // shows it again (LargestRectangleEntered()).
    virtual void largestRectangleChanged() {}
};

// The installed view; until one is installed repaints are dropped.
RoofFloorInputView& RoofFloorView();
void SetRoofFloorInputView(RoofFloorInputView* view);

// The area kind of a stored code (not-enclosed flag * 8 + kind), -1 for a code that names
// none (negative, from a damaged file).
int32_t AreaKindOfCode(int32_t code);

// True when the current storey of the current scenario holds a largest rectangle.
bool LargestRectangleEntered();

// Two clicked nodes of the current scenario and storey: removes the matching area, or adds one
// from CurAreaKind and CurAreaNotEnclosed after the overlap, top-storey and attic questions.
// 1 when an area was added or removed, 0 when refused.
int InputRoofFloorRect(int x1, int y1, int x2, int y2);
int InputRoofFloorTriangle(int x1, int y1, int x2, int y2, int x3, int y3);
// The same for spec areas (CurFloorBrace * 32 + CurFloorSpec), without questions.
int InputFloorSpecRect(int x1, int y1, int x2, int y2);
int InputFloorSpecTriangle(int x1, int y1, int x2, int y2, int x3, int y3);
