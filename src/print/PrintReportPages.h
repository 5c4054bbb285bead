#pragma once
// What the text pages of the calculation report share: the scenario in their titles, the bold
// title at its fixed place and the writing of a report line at a line position in dots.
#include "ports/PrintDevice.h"

#include <string>

// The word a page title opens with for scenario s, with its trailing blank (UTF-8): "現況 ",
// "補強計画 ", "補強計画案２ ".
const char* PrintedScenarioTitle(int s);

// A title (CP932) in the bold title font (5.0 x 2.5 mm) with its top left at (x, y) mm.
void PrintReportTitle(PrintDevice& device, double dotsPerMm, double xMm, double yMm,
                      const std::string& cp932);

// A line (CP932) at x mm and y printer dots, in the canvas's current font.
void PrintLineAt(PrintDevice& device, double dotsPerMm, double xMm, int y,
                 const std::string& cp932);
