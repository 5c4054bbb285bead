#pragma once
// Where a plan position in metres is drawn: on the plan sheet (pixels per metre of the chosen
// scale, from the sheet's origin), in the key plans (pixels) or on paper (printer dots). Every
// layer of the plan painter places its figures through one of these. Qt-free.
#include "ports/Canvas.h"

#include <cstdint>

// Plan metres to pixels: x = trunc((X - x0) k), y = trunc((Y - y0) k) + off.
struct PlanTransform {
    double u = 1;  // pixels per drawing millimetre (1 on the sheet, which measures in pixels)
    double k = 1;  // pixels per plan metre
    double x0 = 0; // plan point drawn at the left edge
    double y0 = 0; // plan point drawn at the top
    int off = 0;   // top of the storey band
    bool paper = false;

    double px(double x) const { return (x - x0) * k; }
    double py(double y) const { return (y - y0) * k; }
    // A grid node, without the band offset.
    CanvasPoint node(int32_t ix, int32_t iy) const;
};

// The plan sheet at the current scale: the pixels per metre of the scale, from the sheet's
// origin (document/SheetCoordinates.h).
PlanTransform SheetPlanTransform();

// Pixels per plan metre for a frame of 150 units: the used grid's larger extent fills it, but
// never larger than 1:50 (20 `capUnit`s a metre, capUnit being a millimetre of the drawing),
// which also holds for an empty plan.
double KeyPlanScale(double unit, double capUnit);
