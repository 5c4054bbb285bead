#pragma once
// The required-strength report (必要耐力の算定) of the current scenario: per storey the roof
// and floor areas counted for the required strength (and the quarter-strip areas of the general
// approximate method), then the calculation: the factors, the required strength per floor area
// with the K factors, the storeys' required strengths, or the weights, Rt, Ai and Qr of precise
// method 1 (simplified). Every value is the one the calculation used; the only arithmetic here
// is the product at the end of each weight line. Qt-free.
#include "reports/KeyPlanReport.h"

KeyPlanReport BuildRequiredReport();
CanvasSize PaintRequiredReport(Canvas& canvas);
