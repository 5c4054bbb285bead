#pragma once
// The plan sheet as a configuration of the plan painter: each layer draws its elements of the
// current scenario and storey at the current scale, in the style of the current input mode and
// display options. The sheet widget (mainwin/PlanSheet) orders the layers. Qt-free.
class Canvas;

// Grid lines of every axis, dotted, in the colour of the axis kind, over the whole sheet.
void DrawGridLines(Canvas& canvas, int sheetWidth, int sheetHeight);
// Bubbles, extension lines and dimensions of the axes of the data range (nothing for an
// empty plan). Reads the extents, which the recompute step has brought up to date.
void DrawAxes(Canvas& canvas);

// The foundations of the current storey, the strongest on top; named in foundation mode.
void DrawFoundations(Canvas& canvas);
// The areas of the current storey; in roof/floor mode with the outline, diagonals and kinds;
// under the approximate general method the quarter strips.
void DrawRoofFloorAreas(Canvas& canvas);
// In spec mode the floor-spec areas; in wall and spec mode the floor strength and
// horizontal-member overlay beside the plan.
void DrawFloorSpecs(Canvas& canvas);
// The current storey's walls: symbols, and in wall mode (or under the 2012 revision) their
// element symbols or retrofit numbers and strengths.
void DrawWalls(Canvas& canvas);
// The other storeys' walls as light lines, in wall mode over bands coloured by strength; in
// foundation mode the current storey's walls in black.
void DrawOtherStoreyWalls(Canvas& canvas);
// The columns of the current storey with their joint classes, and in column mode their
// numbers in report order.
void DrawColumns(Canvas& canvas);
// The columns of the other storeys as light grey crosses; in foundation mode those of the
// current storey, in black.
void DrawOtherStoreyColumns(Canvas& canvas);
// Not called under the approximate general method (the plan's paint order decides).
void DrawGravityCentres(Canvas& canvas);
void DrawRoomNames(Canvas& canvas);
// The free lines of the current storey; in free-line mode each with its dotted reference line
// between its two nodes.
void DrawFreeLines(Canvas& canvas);
