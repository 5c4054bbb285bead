#pragma once
// Seeded random houses for the tests that compare whole runs: one to three storeys of roof and
// floor areas, floor specs, columns, walls of every direction and code, foundations and
// overview settings, under every criteria edition, diagnosis method and calculation option.
// Every seventh house or so is damaged: codes past their tables, elements off the grid, counts
// past the capacity or negative, axes out of order, a negative snow term.
//
// The numbers come from a hand-written SplitMix64, not from the standard distributions, whose
// output differs between standard libraries: the same seed gives the same house everywhere.
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"

#include <cstdint>
#include <iterator>
#include <memory>

namespace randomhouse {

class SplitMix64 {
public:
    explicit SplitMix64(uint64_t seed) : state_(seed) {}
    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // lo .. hi, both included (the small bias of the modulo does not matter here).
    int32_t in(int32_t lo, int32_t hi) {
        const uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(hi) - lo + 1);
        return static_cast<int32_t>(lo + static_cast<int64_t>(next() % span));
    }
    bool chance(int percent) { return in(0, 99) < percent; }

private:
    uint64_t state_;
};

inline constexpr int32_t Editions[4] = {0, 1, 2, 4};

// Builds house number `index` of the sequence of `seed` in the current scenario's slot 0 and
// copies it into the plans with a few changes of their own.
inline void Build(uint64_t seed, int index) {
    SplitMix64 r(seed * 0x100000001B3ull + static_cast<uint64_t>(index));
    static const std::unique_ptr<const Document> blank = std::make_unique<Document>();
    Doc = *blank;
    App = AppState{};
    Grid = GridState{};

    // The grid: a module of 0.91 or 1.0 m, some axes a little off the module.
    const double module = r.chance(50) ? 0.91 : 1.0;
    double x = 0, y = 0;
    for (int i = 0; i < AxisCountX; ++i, x += module + (r.chance(10) ? r.in(-20, 40) / 100.0 : 0))
        Doc.AxisX[i] = x;
    for (int i = 0; i < AxisCountY; ++i, y += module + (r.chance(10) ? r.in(-20, 40) / 100.0 : 0))
        Doc.AxisY[i] = y;
    Doc.Module = module;

    const int top = r.in(0, 2);
    for (int s = 0; s < Scenarios; ++s) {
        Doc.StoreyData.topStorey[s] = top;
        Doc.StoreyData.weightClass[s] = r.in(0, 2);
        Doc.StoreyData.roofWallClass[s] = r.in(0, 3);
        Doc.StoreyData.atticStorage[s] = r.in(0, 1);
        for (int f = 0; f < Storeys; ++f) Doc.StoreyData.storeyHeight[s][f] = r.in(0, 40) / 10.0;
    }
    // Heights not entered: method 3 tells the user.
    if (r.chance(15))
        for (auto& scenario : Doc.StoreyData.storeyHeight)
            for (double& h : scenario) h = 0.0;
    Doc.CriteriaEdition = Editions[r.in(0, 3)];
    Doc.DiagnosisMethod = r.in(0, 3);
    Doc.GroundFoundationSurvey.groundClass = r.in(0, 2) + (r.chance(20) ? 8 : 0);
    Doc.BuildingData.zoneFactorZ = r.in(7, 10) / 10.0;
    Doc.BuildingData.snowLoadTerm = r.chance(20) ? r.in(0, 30) / 10.0 : 0.0;
    Doc.BuildingData.mixedStructure = r.in(0, 2);
    FoundationFloorSpecRecord& spec = Doc.FoundationFloorSpec;
    spec.foundationClass = r.in(0, 2);
    spec.uniformFoundation = r.in(0, 1);
    spec.floorMaterial = r.in(0, 2);
    spec.horizontalBrace = r.in(0, 1);
    spec.largeVoid = r.in(0, 1);
    App.Options.NValueMethod = r.in(0, 2);
    App.Options.WallRatioFromBaseStrength = r.in(0, 1);
    App.Options.ZeroStrengthEccentricity = r.in(0, 1);
    App.Options.IgnoreDeterioration = r.in(0, 1);
    App.Options.ConsiderBraceDirection = r.in(0, 1);
    App.Options.DiagonalWallCosSquared = r.in(0, 1);
    App.Options.CityCentreOfGravity = r.in(0, 1);
    App.Options.CityJointJudgement = r.in(0, 1);
    App.Options.CityWallBaseStrength = r.in(0, 1);
    App.Options.CountNonBearingWalls = r.in(0, 1);
    App.DeteriorationFactor = r.in(70, 100) / 100.0;

    // The plan lies within x 1..16, y 1..12; upper storeys on a part of it.
    for (int f = 0; f <= top; ++f) {
        const int x0 = 1 + r.in(0, f * 2), y0 = 1 + r.in(0, f * 2);
        const int x1 = x0 + r.in(3, 14 - f * 3), y1 = y0 + r.in(3, 10 - f * 3);
        const int areaKind = f < top ? 0 : r.in(3, 4);
        int n = 0;
        Doc.RoofFloorRects[0][f][n++] = {x0, y0, x1, y1, areaKind};
        for (int k = r.in(0, 3); k > 0; --k) {
            const int ax = r.in(x0, x1 - 1), ay = r.in(y0, y1 - 1);
            Doc.RoofFloorRects[0][f][n++] = {ax, ay, r.in(ax + 1, x1), r.in(ay + 1, y1),
                                             r.in(0, 6) + (r.chance(15) ? 8 : 0)};
        }
        Doc.RoofFloorRectCount[0][f] = n;
        n = 0;
        for (int k = r.in(0, 2); k > 0; --k) {
            const int ax = r.in(x0, x1 - 1), ay = r.in(y0, y1 - 1);
            Doc.RoofFloorTris[0][f][n++] = {
                ax, ay, r.in(ax + 1, x1), ay, ax, r.in(ay + 1, y1), r.in(0, 6)};
        }
        Doc.RoofFloorTriCount[0][f] = n;
        n = 0;
        const int brace = r.chance(50) ? 0 : r.in(17, 23);
        Doc.FloorSpecRects[0][f][n++] = {x0, y0, x1, y1, brace * 32 + r.in(0, 16)};
        for (int k = r.in(0, 2); k > 0; --k) {
            const int ax = r.in(x0, x1 - 1), ay = r.in(y0, y1 - 1);
            Doc.FloorSpecRects[0][f][n++] = {ax, ay, r.in(ax + 1, x1), r.in(ay + 1, y1),
                                             r.in(0, 23) * 32 + r.in(0, 16)};
        }
        Doc.FloorSpecRectCount[0][f] = n;
        if (r.chance(30)) {
            Doc.FloorSpecTris[0][f][0] = {x0, y0, x1, y0, x0, y1, r.in(0, 16)};
            Doc.FloorSpecTriCount[0][f] = 1;
        }

        // Columns on nodes of the storey, walls between nodes along X, along Y or oblique.
        n = 0;
        for (int k = r.in(0, 40); k > 0; --k)
            Doc.Columns[0][f][n++] = {r.in(x0, x1), r.in(y0, y1), r.in(1, 3),
                                      r.in(0, 2) * 4 + r.in(0, 2), 0};
        Doc.ColumnCount[0][f] = n;
        n = 0;
        for (int k = r.in(0, 60); k > 0; --k) {
            WallRecord w{};
            w.x1 = r.in(x0, x1), w.y1 = r.in(y0, y1);
            const int along = r.in(0, 9), length = r.in(1, 3);
            w.x2 = along == 1 ? w.x1 : w.x1 + (r.chance(50) ? length : -length);
            w.y2 = along == 0 ? w.y1 : w.y1 + (r.chance(50) ? length : -length);
            if (along >= 2 && along < 7) w.y2 = w.y1; // most walls run along a grid line
            if (along >= 7 && along < 9) w.x2 = w.x1;
            w.type = r.chance(60) ? 0 : r.in(0, 14);
            w.bracing = r.chance(30) ? 0 : r.in(0, 83) | r.in(0, 5) << 7;
            w.panelL = r.chance(50) ? 0 : r.in(0, 69);
            w.panelR = r.chance(70) ? 0 : r.in(0, 69);
            w.deterioration = r.in(0, 2);
            Doc.Walls[0][f][n++] = w;
        }
        Doc.WallCount[0][f] = n;
        if (f == 0) {
            n = 0;
            for (int k = r.in(0, 4); k > 0; --k) {
                const int fx = r.in(x0, x1 - 1), fy = r.in(y0, y1);
                Doc.Foundations[0][0][n++] = {fx, fy, r.in(fx + 1, x1), fy, r.in(0, 3)};
            }
            Doc.FoundationCount[0][0] = n;
        }
    }

    // Damage: codes past their tables, elements off the grid, counts out of range.
    if (r.chance(15)) {
        const int f = r.in(0, top);
        switch (r.in(0, 8)) {
        case 0:
            for (int i = 0; i < Doc.WallCount[0][f]; ++i) {
                WallRecord& w = Doc.Walls[0][f][i];
                w.type = r.chance(50) ? 15 : -1;
                w.bracing = r.chance(50) ? INT32_MAX : -1;
                w.panelL = 70;
                w.deterioration = 3;
            }
            break;
        case 1:
            for (int i = 0; i < Doc.ColumnCount[0][f]; ++i) {
                Doc.Columns[0][f][i].kind = 99;
                Doc.Columns[0][f][i].joint = -1;
            }
            Doc.RoofFloorRects[0][f][0].code = 99;
            Doc.FloorSpecRects[0][f][0].code = -5;
            break;
        case 2:
            if (Doc.WallCount[0][f] > 0) Doc.Walls[0][f][0].x2 = 100, Doc.Walls[0][f][0].y1 = -1;
            if (Doc.ColumnCount[0][f] > 0) Doc.Columns[0][f][0].x = 250;
            break;
        case 3:
            Doc.WallCount[0][f] = MaxWalls + r.in(1, 1000);
            break;
        case 4:
            Doc.ColumnCount[0][f] = -r.in(1, 5);
            break;
        case 5:
            Doc.RoofFloorRectCount[0][f] = MaxRoofFloorRects;
            break;
        case 6: // axes out of order: the grid is repaired and the user told
            Doc.AxisX[r.in(1, 20)] = -1.0;
            break;
        case 7: // a negative snow term: weights the method cannot take
            Doc.BuildingData.snowLoadTerm = -r.in(1, 50);
            Doc.DiagnosisMethod = 3;
            break;
        default:
            Doc.StoreyData.topStorey[0] = r.chance(50) ? 3 : -1;
            Doc.DiagnosisMethod = r.chance(50) ? 4 : -1;
            break;
        }
    }

    // The plans: the current state with a few walls strengthened and one added.
    for (int s = 1; s < Scenarios; ++s)
        ForEachElementKind(Doc, [&](auto& counts, auto& records, int, ElementKind) {
            for (int f = 0; f < Storeys; ++f) {
                counts[s][f] = counts[0][f];
                for (std::size_t i = 0; i < std::size(records[0][f]); ++i)
                    records[s][f][i] = records[0][f][i];
            }
        });
    for (int s = 1; s < Scenarios; ++s) {
        const int n = LiveCount(Doc.WallCount[s][0], MaxWalls);
        for (int i = 0; i < n; ++i)
            if (r.chance(20)) Doc.Walls[s][0][i].panelL = 6 + s, Doc.Walls[s][0][i].type = 0;
        if (n < MaxWalls && Doc.WallCount[s][0] == n) {
            Doc.Walls[s][0][n] = {1, 1, 3, 1, 0, 5 * 12 + 4 + 3 + RetrofitWallBit, 6, 0, 0,
                                  2, 0, 0, 0, 0};
            Doc.WallCount[s][0] = n + 1;
        }
    }
    App.CurrentScenario = r.in(0, 2);
    App.CurrentStorey = r.in(0, 2);
}

} // namespace randomhouse
