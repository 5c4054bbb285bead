#pragma once
// A fixture for the result summary on its own: every input of CalcResultSummary (required
// strength, rigidity, floor results, grid extents, node map) starts at zero and the tests set
// what they need by hand. Axis i lies at i metres.
#include "calc/FloorCheck.h"
#include "calc/FloorReduction.h"
#include "calc/RequiredStrength.h"
#include "calc/ResultSummary.h"
#include "calc/Rigidity.h"
#include "calc/WallEvaluation.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

class SummaryFixture : public ::testing::Test {
protected:
    void SetUp() override {
        static const std::unique_ptr<const Document> blank = std::make_unique<Document>();
        Doc = *blank;
        App = AppState{};
        Grid = GridState{};
        std::memset(&ReqResult, 0, sizeof ReqResult);
        std::memset(&RigidityRes, 0, sizeof RigidityRes);
        std::memset(&FloorRes, 0, sizeof FloorRes);
        std::memset(&FloorCheck, 0, sizeof FloorCheck);
        std::memset(&WallEval, 0, sizeof WallEval);
        std::memset(&ScoreRes, 0, sizeof ScoreRes);
        for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = i * 1.0;
        for (int i = 0; i < AxisCountY; ++i) Doc.AxisY[i] = i * 1.0;
        for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 0;
        Doc.CriteriaEdition = 0;
        Doc.DiagnosisMethod = 0;
    }

    // One storey's strength inputs of the current scenario: required strength, wall strength
    // of every variant and reduction factor of every result column.
    static void SetStorey(int f, double qr, double wallX, double wallY, double eX = 1.0,
                          double eY = 1.0) {
        const int s = App.CurrentScenario;
        ReqResult.RequiredStrength[s][f] = qr;
        for (int v = 0; v < StrengthVariants; ++v) {
            RigidityRes.WallStrengthSumX[s][f][v] = wallX;
            RigidityRes.WallStrengthSumY[s][f][v] = wallY;
        }
        for (int col = 0; col < ResultColumns; ++col) {
            FloorRes.ReductionFactorX[s][f][col] = eX;
            FloorRes.ReductionFactorY[s][f][col] = eY;
        }
    }

    static void SetExtent(int f, int minX, int maxX, int minY, int maxY) {
        const int s = App.CurrentScenario;
        Grid.PlanMinX[s][f] = minX;
        Grid.PlanMaxX[s][f] = maxX;
        Grid.PlanMinY[s][f] = minY;
        Grid.PlanMaxY[s][f] = maxY;
    }
};
