#pragma once
// The cover of the calculation report: one page that sums up the diagnosis of the current
// scenario (basis, building data, site, spec, calculation conditions, required
// strength per storey, result per storey and direction with its judgement, overall score).
// It only reads the settings, the options and the results of the last recompute.
#include "ports/PrintDevice.h"

void PrintCoverPage(PrintDevice& device, double dotsPerMm);
