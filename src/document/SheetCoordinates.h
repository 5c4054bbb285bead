#pragma once
// Where a position in metres lies on the plan sheet at the current scale, the scale itself and
// the snapping of a pointer position to an axis. Free of Qt, so that the pointer's hit tests
// and the sheet's mouse dispatch run in the core tests.
#include <string_view>

// ---- Sheet coordinates ----
// The sheet starts at 0 m, or at the first axis where that lies before 0 m (after axes were
// deleted or the data was centred), so that every axis of the grid is on the sheet. A node
// (ix, iy) is drawn at (SheetPixelX(AxisX[ix]), SheetPixelY(AxisY[iy])).
double SheetOriginX();
double SheetOriginY();
int SheetPixelX(double metres);
int SheetPixelY(double metres);
// The pixel of a node's axis; the index is brought onto the grid.
int NodePixelX(int ix);
int NodePixelY(int iy);
// The position in metres of a sheet pixel.
double SheetMetresX(int px);
double SheetMetresY(int py);
// The sheet's size at the current scale: from its origin to the last axis; at least 1 and at
// most what a widget can be.
int SheetWidthPixels();
int SheetHeightPixels();

// ---- Scale ----
inline constexpr int MinScaleDenominator = 30;
inline constexpr int MaxScaleDenominator = 200;
// A scale text as the scale box holds it ("75", " 100 "): true and the denominator when it
// is a whole number from 30 to 200.
bool ParseScale(std::string_view text, int& denominator);
// Scale 1/n: ScaleDenominator = n and PixelsPerMetre = 4000 / n (integer division). A scale
// outside 30..200 changes nothing and returns false.
bool SetScale(int denominator);
// A scroll position kept proportional when the scroll range changes from oldMaximum to
// newMaximum; with no range before, the middle of the new one.
int ProportionalScroll(int position, int oldMaximum, int newMaximum);

// ---- Snapping ----
inline constexpr int NoAxis = 100;
// The axis 1..99 whose catchment holds v: the catchment of axis i runs from the midpoint
// with axis i-1 (exclusive) to the midpoint with axis i+1 (inclusive); everything up to the
// first midpoint takes axis 1, everything past the last takes axis 99. Axis 0 is never taken.
int CatchmentAxis(const double (&axes)[100], double v);
// The axis just after the gap that holds v (1..99), or NoAxis when v lies on an axis or
// outside the grid.
int GapAxis(const double (&axes)[100], double v);
// The first axis within `tolerance` of v, or NoAxis.
int NearAxis(const double (&axes)[100], double v, double tolerance);
// How near a click must come to an axis to pick it for deleting or re-kinding: about 0.1 m
// at every scale.
double AxisPickTolerance();
