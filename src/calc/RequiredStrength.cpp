#include "calc/RequiredStrength.h"

#include "calc/FloorCheck.h"

namespace {
// Static storage: zero at start, and no large object on any stack.
RequiredStrengthResults theRequiredStrength{};
FloorCheckResults theFloorCheck{};
} // namespace

RequiredStrengthResults& ReqResult = theRequiredStrength;
FloorCheckResults& FloorCheck = theFloorCheck;
