#pragma once
// The building overview: eight records, one instance each in the document. Texts are FixedText
// fields whose width is the width of their slot in the model file.
#include "model/FixedText.h"

#include <cstdint>

// Placeholder shapes: the full field lists follow.
struct BuildingDataRecord {};
struct StoreyDataRecord {
    int32_t topStorey[3] = {1, 1, 1};
    int32_t atticStorage[3] = {};
    int32_t weightClass[3] = {};
    int32_t roofWallClass[3] = {};
    double buildingArea[3] = {};
    double floorArea[3][3] = {}; // [storey][scenario]
    double totalFloorArea[3] = {};
    // [scenario][storey]
    double storeyHeight[3][3] = {{2.8, 2.8, 2.8}, {2.8, 2.8, 2.8}, {2.8, 2.8, 2.8}};
};
struct GroundFoundationSurveyRecord {};
struct FoundationFloorSpecRecord {};
struct DeteriorationSurveyRecord {};
struct PermitRecordRecord {};
struct ReportTextsRecord {};
struct RetrofitApplicationRecord {};
