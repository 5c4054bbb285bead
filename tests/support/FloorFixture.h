#pragma once
// A fixture for the floor engine: a grid of 1 m axes, no floor-spec areas, cleared
// results, and a stand-in for the rigidity results the engine is given. The
// global state it changes is put back afterwards.
#include "calc/FloorCheck.h"
#include "calc/FloorReduction.h"
#include "calc/RequiredStrength.h"
#include "model/AppState.h"
#include "model/Model.h"

#include <cstring>

#include <gtest/gtest.h>

// The rigidity results the floor engine reads, quarter strips in strip-first order.
struct FloorTestRigidity {
    double EccentricityRatioX[3][3][5];
    double EccentricityRatioY[3][3][5];
    double EccentricityReductionX[3][3][5];
    double EccentricityReductionY[3][3][5];
    double QuarterWallStrength[4][3][3];
};

class FloorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::memcpy(savedAxisX_, Doc.AxisX, sizeof savedAxisX_);
        std::memcpy(savedAxisY_, Doc.AxisY, sizeof savedAxisY_);
        savedStoreys_ = Doc.StoreyData;
        savedFloorSpec_ = Doc.FoundationFloorSpec;
        savedEdition_ = Doc.CriteriaEdition;
        savedMethod_ = Doc.DiagnosisMethod;
        savedScenario_ = App.CurrentScenario;

        for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = i;
        for (int j = 0; j < AxisCountY; ++j) Doc.AxisY[j] = j;
        for (int s = 0; s < Scenarios; ++s)
            for (int f = 0; f < Storeys; ++f) {
                Doc.FloorSpecRectCount[s][f] = 0;
                Doc.FloorSpecTriCount[s][f] = 0;
            }
        Doc.StoreyData.topStorey[0] = 0;
        Doc.FoundationFloorSpec = FoundationFloorSpecRecord{};
        Doc.CriteriaEdition = 0;
        Doc.DiagnosisMethod = 3;
        App.CurrentScenario = 0;
        FloorRes = FloorResults{};
        std::memset(FloorCheck.FloorCheckLineTables, 0, sizeof FloorCheck.FloorCheckLineTables);
        std::memset(ReqResult.QuarterRequiredStrength, 0, sizeof ReqResult.QuarterRequiredStrength);
        rig = FloorTestRigidity{};
    }

    void TearDown() override {
        std::memcpy(Doc.AxisX, savedAxisX_, sizeof savedAxisX_);
        std::memcpy(Doc.AxisY, savedAxisY_, sizeof savedAxisY_);
        for (int s = 0; s < Scenarios; ++s)
            for (int f = 0; f < Storeys; ++f) {
                Doc.FloorSpecRectCount[s][f] = 0;
                Doc.FloorSpecTriCount[s][f] = 0;
            }
        Doc.StoreyData = savedStoreys_;
        Doc.FoundationFloorSpec = savedFloorSpec_;
        Doc.CriteriaEdition = savedEdition_;
        Doc.DiagnosisMethod = savedMethod_;
        App.CurrentScenario = savedScenario_;
    }

    static void AddRect(int f, int x1, int y1, int x2, int y2, int code, int s = 0) {
        int32_t& n = Doc.FloorSpecRectCount[s][f];
        Doc.FloorSpecRects[s][f][n++] = {x1, y1, x2, y2, code};
    }
    static void AddTri(int f, int x1, int y1, int x2, int y2, int x3, int y3, int code, int s = 0) {
        int32_t& n = Doc.FloorSpecTriCount[s][f];
        Doc.FloorSpecTris[s][f][n++] = {x1, y1, x2, y2, x3, y3, code};
    }
    // Every loading case of storey f gets the same eccentricity ratios and reductions.
    void SetEccentricity(int f, double reX, double reY, double fepX = 1.0, double fepY = 1.0) {
        for (int v = 0; v < StrengthVariants; ++v) {
            rig.EccentricityRatioX[0][f][v] = reX;
            rig.EccentricityRatioY[0][f][v] = reY;
            rig.EccentricityReductionX[0][f][v] = fepX;
            rig.EccentricityReductionY[0][f][v] = fepY;
        }
    }
    void Calc() { CalcFloorReduction(FloorRigidityViewOf(rig)); }
    static double Line(int member, int f, int line) {
        return FloorCheck.FloorCheckLineTables[member][0][f][line];
    }

    FloorTestRigidity rig{};

private:
    double savedAxisX_[AxisCountX];
    double savedAxisY_[AxisCountY];
    StoreyDataRecord savedStoreys_;
    FoundationFloorSpecRecord savedFloorSpec_;
    int32_t savedEdition_ = 0, savedMethod_ = 0, savedScenario_ = 0;
};
