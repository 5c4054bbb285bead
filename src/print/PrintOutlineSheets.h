#pragma once
// Blank application sheets of the first print job, for the diagnostician to fill in by hand:
// the retrofit plan outline, the general items and retrofit policy (two pages) and the owner
// hearing sheet. Their tick columns and write-in cells stay empty whatever the document holds.
#include "ports/PrintDevice.h"

// "耐震補強計画概要書".
void PrintRetrofitPlanOutline(PrintDevice& device, double dotsPerMm);
// "一般事項・補強方針", two pages.
void PrintGeneralItemsSheet(PrintDevice& device, double dotsPerMm);
// "ヒアリングシート".
void PrintHearingSheet(PrintDevice& device, double dotsPerMm);
