#pragma once
// The building overview: eight records, one instance each in the document. Texts are FixedText
// fields whose width is the width of their slot in the model file.
#include "model/FixedText.h"

#include <cstdint>

// Placeholder shapes: the full field lists follow.
struct BuildingDataRecord {};
struct StoreyDataRecord {
    int32_t topStorey[3] = {1, 1, 1};
};
struct GroundFoundationSurveyRecord {};
struct FoundationFloorSpecRecord {};
struct DeteriorationSurveyRecord {};
struct PermitRecordRecord {};
struct ReportTextsRecord {};
struct RetrofitApplicationRecord {};
