#pragma once
// The report pages with a key plan: required strength (box "必要耐力"), centre of gravity
// ("重心"), mean floor ratio ("平均床倍率"), floor check ("床耐力検定") and rigidity and
// eccentricity ("剛心・偏心率"). Each storey of the current scenario gets a page with the
// report header, the storey's plan, a bold title and the lines of the screen report, laid out
// in millimetres at x = 20 mm; long tables continue on further pages. The lines come from the
// screen reports' producers, so that screen and paper never disagree. Qt-free.
#include "ports/PrintDevice.h"

void PrintRequiredStrength(PrintDevice& device, double dotsPerMm);
void PrintCentreOfGravity(PrintDevice& device, double dotsPerMm);
void PrintAverageFloorRatio(PrintDevice& device, double dotsPerMm);
void PrintFloorCheck(PrintDevice& device, double dotsPerMm);
void PrintRigidityEccentricity(PrintDevice& device, double dotsPerMm);

// Whether a line that would end below the design page first starts the page's continuation
// (on by default; the tests switch it off to show that it changes nothing on pages that fit).
extern bool ReportPageSafetyBreak;
