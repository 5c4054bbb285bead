#pragma once
// The survey's derived values: the existence and deterioration points of the thirteen items,
// the deterioration factor from them, and the foundation class from the foundation answers.
// The overview dialog shows them and the diagnosis reads them.
#include "model/Overview.h"

#include <cstdint>

// The existence and deterioration points of the thirteen survey items as the overview dialog's
// OK derives them from the stored answers.
void DeteriorationPointsFromSurvey(const DeteriorationSurveyRecord& survey,
                                   int32_t (&existence)[13], int32_t (&deterioration)[13]);

// max(0.7, 1 - sum of deterioration points / sum of existence points); 0.7 when no item
// exists.
double DeteriorationFactorFromPoints(const int32_t (&existence)[13],
                                     const int32_t (&deterioration)[13]);

// 基礎Ⅰ (0), 基礎Ⅱ (1) or 基礎Ⅲ (2) from the foundation type, crack and 足固め answers.
int32_t FoundationClassOf(const FoundationFloorSpecRecord& spec);
