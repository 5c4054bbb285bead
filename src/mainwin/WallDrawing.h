#pragma once
// The walls on the plan sheet. Qt-free: both draw on a Canvas and only read the document,
// the results of the last recompute and the marking it ran.
class Canvas;

// The current storey's walls of the current scenario: symbols, and in wall mode (or under the
// 2012 revision) their element symbols or retrofit numbers and strengths.
void DrawWalls(Canvas& canvas);
// The other storeys' walls as light lines, in wall mode over bands coloured by strength; in
// foundation mode the current storey's walls in black.
void DrawOtherStoreyWalls(Canvas& canvas);
