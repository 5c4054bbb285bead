#pragma once
// The last blank application sheets of the first print job: the site survey (four pages) and
// the retained-strength and retrofit-effect sheet, whose reduction-factor table is printed as
// fixed texts. No survey answer and no result of the calculation appears on them.
#include "ports/PrintDevice.h"

// "現地調査シート", four pages.
void PrintSiteSurveySheet(PrintDevice& device, double dotsPerMm);
// "保有耐力診断書・補強効果判定書".
void PrintRetainedStrengthEffectSheet(PrintDevice& device, double dotsPerMm);
