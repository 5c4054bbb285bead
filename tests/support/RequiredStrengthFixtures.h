#pragma once
// A small builder for the required-strength tests: a fresh document on a 1 m grid (axis i at
// i metres, so areas and centroids can be worked out by hand), with roof/floor rectangles and
// triangles added by axis index.
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"

#include <memory>

namespace reqfix {

// Area codes (not-enclosed flag x 8 + kind).
enum AreaCode : int32_t {
    Floor = 0,
    Void = 1,
    Balcony = 2,
    LightRoof = 3,
    HeavyRoof = 4,
    Attic = 5,
    Largest = 6,
    NotEnclosed = 8,
};

// Resets the document, the application state and the grid state; axes every `spacing` m.
inline void ResetHouse(double spacing = 1.0) {
    static const std::unique_ptr<const Document> fresh = std::make_unique<Document>();
    Doc = *fresh;
    App = AppState{};
    Grid = GridState{};
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = i * spacing;
    for (int i = 0; i < AxisCountY; ++i) Doc.AxisY[i] = i * spacing;
    for (int s = 0; s < Scenarios; ++s) {
        Doc.StoreyData.topStorey[s] = 0;
        Doc.StoreyData.weightClass[s] = 0;
        Doc.StoreyData.atticStorage[s] = 0;
        Doc.StoreyData.roofWallClass[s] = 0;
    }
    Doc.BuildingData.mixedStructure = 0;
    Doc.BuildingData.snowLoadTerm = 0.0;
    Doc.BuildingData.zoneFactorZ = 1.0;
    Doc.GroundFoundationSurvey.groundClass = 1;
    Doc.CriteriaEdition = 0;
    Doc.DiagnosisMethod = 0;
}

inline void AddRect(int s, int f, int x1, int y1, int x2, int y2, int32_t code) {
    int32_t& n = Doc.RoofFloorRectCount[s][f];
    Doc.RoofFloorRects[s][f][n++] = {x1, y1, x2, y2, code};
}

inline void AddTri(int s, int f, int x1, int y1, int x2, int y2, int x3, int y3, int32_t code) {
    int32_t& n = Doc.RoofFloorTriCount[s][f];
    Doc.RoofFloorTris[s][f][n++] = {x1, y1, x2, y2, x3, y3, code};
}

} // namespace reqfix
