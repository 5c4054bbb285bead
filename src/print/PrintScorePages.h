#pragma once
// The reduction-factor and score page and the retained-strength sheet of the calculation
// report, each one page of the current scenario made of the lines of its screen report.
#include "ports/PrintDevice.h"

void PrintReductionAndScore(PrintDevice& device, double dotsPerMm);
void PrintRetainedStrengthSheet(PrintDevice& device, double dotsPerMm);
