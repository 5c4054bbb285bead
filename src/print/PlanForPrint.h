#pragma once
// The plan of one storey of the current scenario on paper: the full plan of the plan pages
// (mode 0) and the key plans beside the tables of the report pages (1 roof and floor areas
// with the centres, 2 the areas, 4 floor specifications, 5 foundations, 6 walls with the
// centres): paper's configuration of the plan painter (plan/PlanPainter.h), measured in printer
// millimetres; the drawing always sits at the same place of the page. Also the foundation plan
// page around a mode-5 drawing. Qt-free; draws only.
#include "model/ColorRef.h"
#include "plan/PlanPainter.h"
#include "ports/PrintDevice.h"

#include <string>

enum PrintPlanMode : int {
    PrintPlanFull = 0,
    PrintPlanGravity = 1,
    PrintPlanRequired = 2,
    PrintPlanFloorSpecs = 4,
    PrintPlanFoundations = 5,
    PrintPlanWalls = 6,
};

// The transform of a drawing in `mode` at `dotsPerMm`: u is the drawing unit e (a millimetre
// on the plan pages, two thirds of one on the table pages), k the dots per plan metre (the
// used grid fills a frame of 150 e, never larger than 1:50 of the design page), the leftmost
// used axis at 20 mm + 25 e and the largest used Y axis at 20 mm + 155 e.
PlanTransform PrintPlanTransform(int mode, double dotsPerMm);

// "SCALE = 1/%5.0f": the true scale of the printed plan, the fit factor of the run taken out.
std::string PrintScaleCaption(double dotsPerMm, double k, double printScale);

// Draws storey `storey` of the current scenario in `mode` on the current page.
void DrawPlanForPrint(PrintDevice& device, int mode, int storey, double dotsPerMm);

// The foundation plan page (box "基礎伏図"): header, the mode-5 drawing of the ground storey,
// title and legend.
void PrintFoundationPlan(PrintDevice& device, double dotsPerMm);
