#pragma once
// The centre-of-gravity report (重心の算定) of the current scenario: per storey its roof and
// floor areas with their weighting, centroids and moments, the weighted sums of the storey and
// of the storeys above it, and the stored centre of gravity. Built from the results of the last
// recalculation; Qt-free.
#include "reports/KeyPlanReport.h"

KeyPlanReport BuildGravityReport();
CanvasSize PaintGravityReport(Canvas& canvas);
