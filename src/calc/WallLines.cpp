#include "calc/WallEvaluation.h"

namespace {
// About 5 MB: static storage, zero at start.
WallEvaluationResults theWallEvaluation;
} // namespace

WallEvaluationResults& WallEval = theWallEvaluation;
