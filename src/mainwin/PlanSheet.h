#pragma once
// The plan sheet: the paint box of the main window in which the plan is drawn and entered.
// Besides the widget, this unit holds what the sheet does without Qt: the order of the plan's
// layers, the figure entry state and the dispatch of a mouse release to the element unit of
// the input mode (or to the axis edit), so that both can be tested and timed without a window.
#include "document/PlanInput.h"
#include "plan/SheetPlan.h"
#include "ui/PaintBox.h"

class Canvas;
class Tvelquor2Form;

// The paint box of the plan. Its content is the plan as the main window draws it; the marks
// of the pointer are its overlay, so that moving the pointer never draws the plan again. Mouse
// moves, releases and the pointer leaving go to the main window.
class PlanSheet final : public PaintBox {
    Q_OBJECT
public:
    explicit PlanSheet(Tvelquor2Form& form);

    // The plan is drawn again with invalidate() and the pointer's marks with
    // invalidateOverlay(); update() would only copy the picture already drawn, so the sheet
    // does not offer it.
    void update() = delete;
};

// ---- Figure entry ----
// The state it keeps is PlanInput (PlanInput.h).

enum class SheetButton { Left, Right, Middle };

// Where a mouse release goes. The defaults call the element units and the axis edit; tests
// record the calls instead.
class PlanInputUnits {
public:
    virtual ~PlanInputUnits() = default;
    virtual int inputColumn(int x, int y);
    virtual int inputWall(int x1, int y1, int x2, int y2);
    virtual int inputRoofFloorRect(int x1, int y1, int x2, int y2);
    virtual int inputRoofFloorTriangle(int x1, int y1, int x2, int y2, int x3, int y3);
    virtual int inputFloorSpecRect(int x1, int y1, int x2, int y2);
    virtual int inputFloorSpecTriangle(int x1, int y1, int x2, int y2, int x3, int y3);
    virtual int inputRoomName(int x1, int y1, int x2, int y2);
    virtual int inputFoundation(int x1, int y1, int x2, int y2);
    virtual int inputFreeLine(int x1, int y1, int x2, int y2);
    virtual int editAxis(int ix, int iy, int px, int py);
    // The window: bring the palette to the front, repaint the sheet, fit the sheet to a
    // changed grid.
    virtual void refreshToolDialog() {}
    virtual void repaint() {}
    virtual void gridChanged() {}
};

// A mouse release at sheet pixel (px, py): snaps it to a grid node and hands it, or the
// figure it completes, to the unit of App.InputMode; in axis mode it edits the grid.
void DispatchSheetMouseUp(PlanInputUnits& units, SheetButton button, int px, int py);

// ---- Layers ----

enum class PlanLayer {
    Foundations,
    RoofFloorAreas,
    OtherStoreyWalls,
    OtherStoreyColumns,
    Walls,
    Columns,
    GravityCentres,
    RoomNames,
    FreeLines,
    FloorSpecs
};
inline constexpr int MaxPlanLayers = 16;

// The element layers of the current scenario and storey in the order they are drawn, some of
// them twice so that what is being entered lies on top. Returns their number.
int PlanLayerOrder(PlanLayer (&out)[MaxPlanLayers]);

// The whole plan on a canvas of the sheet's size: grid lines, axes, the element layers.
// Only reads and draws; the recompute step has run before.
void DrawPlanSheet(Canvas& canvas, int sheetWidth, int sheetHeight);

// ---- Element units ----
// Each checks, asks, takes an undo snapshot, changes the document and repaints by itself;
// 1 when the click changed the document, 0 when it was refused or changed nothing (the window
// marks the document modified only for a 1). Nodes are grid indices.
int InputColumn(int x, int y);
int InputWall(int x1, int y1, int x2, int y2);
int InputRoofFloorRect(int x1, int y1, int x2, int y2);
int InputRoofFloorTriangle(int x1, int y1, int x2, int y2, int x3, int y3);
int InputFloorSpecRect(int x1, int y1, int x2, int y2);
int InputFloorSpecTriangle(int x1, int y1, int x2, int y2, int x3, int y3);
int InputRoomName(int x1, int y1, int x2, int y2);
int InputFoundation(int x1, int y1, int x2, int y2);
int InputFreeLine(int x1, int y1, int x2, int y2);
