#pragma once
// The city's application sheets of the first print job: the two approval application forms
// filled in from the overview settings of the current scenario, and the sheets that carry only
// the sheet header (the planning sheet and the three retrofit explanation sheets).
#include "ports/PrintDevice.h"

// "【耐震設計】計画承認申請書", form No. 1.
void PrintDesignApprovalApplication(PrintDevice& device, double dotsPerMm);
// "【補強工事】計画承認申請書", form No. 3: the design form with the works firm, the score before
// and after the retrofit and the design approval's notice.
void PrintWorksApprovalApplication(PrintDevice& device, double dotsPerMm);
// The header line alone.
void PrintBlankSheet(PrintDevice& device, double dotsPerMm);
