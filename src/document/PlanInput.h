#pragma once
// The state of the pointer on the plan sheet that the mouse release and the pointer's marks
// share: the nodes clicked for the figure being entered and the element marked under the
// pointer. Free of Qt.

struct PlanInputState {
    // The node of the last mouse release (axis mode: the gap or axis picked, 100 for none).
    int PickedAxisX = 1;
    int PickedAxisY = 1;
    // The first and second nodes of the figure being entered.
    int ClickNode1X = 0, ClickNode1Y = 0;
    int ClickNode2X = 0, ClickNode2Y = 0;
    // Pixels of the clicked nodes (x1, y1, x2, y2, x3, y3), for the rubber band.
    int RubberBandPixels[6] = {};
    // The record marked under the pointer in the current scenario and storey (rectangles and
    // triangles of modes 3 and 4 have their own indices); -1 for none.
    int HoverIndex = -1;
    int HoverTriangleIndex = -1;
};
extern PlanInputState PlanInput;
