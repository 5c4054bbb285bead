#pragma once
// Floor ratings of the floor-spec areas, the mean floor ratio of every storey, the
// floor strengths of the floor-diaphragm check, the floor class and the reduction factors E
// (and Fef under the precise methods) of every result column.
//
// CalcFloorReduction runs once per diagnosis, after the required strength (quarter-strip
// required strengths, cleared floor-check rows), the wall evaluation (quarter-strip wall
// strengths, eccentricity) and the column joints, and before the result summary, which reads
// ReductionFactorX/Y and rows 2..5 of FloorCheck.FloorCheckLineTables.
#include "calc/CalcCommon.h"
#include "calc/RequiredStrength.h"
#include "model/Model.h"
#include "model/Overview.h"

#include <cstdint>

// One floor-spec area: its plan area (m2) and area x floor rating.
struct FloorSpecAreaResult {
    double area;
    double ratioArea;
};

// Results of the floor engine, [scenario][storey] first; zero at start-up. Each run writes the
// storeys 0..topStorey of the current scenario and clears those above the top; other scenarios
// keep what an earlier run left.
struct FloorResults {
    FloorSpecAreaResult FloorSpecRectResult[Scenarios][Storeys][MaxFloorSpecRects];
    FloorSpecAreaResult FloorSpecTriResult[Scenarios][Storeys][MaxFloorSpecTris];
    double FloorSpecAreaSum[Scenarios][Storeys];  // m2
    double FloorRatioAreaSum[Scenarios][Storeys]; // m2 (area x rating)
    double MeanFloorRatio[Scenarios][Storeys];    // 0 when the storey has no area
    // Fef by strength variant; written by the precise methods outside the 2012 revision, 0
    // where no Fef is part of the method.
    double FloorReductionX[Scenarios][Storeys][StrengthVariants];
    double FloorReductionY[Scenarios][Storeys][StrengthVariants];
    // E by result column.
    double ReductionFactorX[Scenarios][Storeys][ResultColumns];
    double ReductionFactorY[Scenarios][Storeys][ResultColumns];
    // Wall sufficiency of each quarter strip [scenario][storey][QuarterStrip]; written under
    // the general approximate method only (0 otherwise).
    double QuarterWallRatio[Scenarios][Storeys][QuarterStrips];
    // Floor class 0 (I), 1 (II), 2 (III) the reduction factors were taken with.
    int32_t FloorClass[Scenarios][Storeys];
};

extern FloorResults& FloorRes;

// The rigidity results this engine reads, given by every caller: the eccentricity ratios and
// their reductions Fep by [scenario][storey][variant] and the wall strength inside the quarter
// strips, kN, by [QuarterStrip][scenario][storey], as the rigidity engine writes them.
struct FloorRigidityView {
    const double (&EccentricityRatioX)[Scenarios][Storeys][StrengthVariants];
    const double (&EccentricityRatioY)[Scenarios][Storeys][StrengthVariants];
    const double (&EccentricityReductionX)[Scenarios][Storeys][StrengthVariants];
    const double (&EccentricityReductionY)[Scenarios][Storeys][StrengthVariants];
    const double (&QuarterWallStrength)[QuarterStrips][Scenarios][Storeys];
};

// Any results struct with these five members (the rigidity engine's, a test's stand-in).
template <typename R>
FloorRigidityView FloorRigidityViewOf(const R& r) {
    return {r.EccentricityRatioX, r.EccentricityRatioY, r.EccentricityReductionX,
            r.EccentricityReductionY, r.QuarterWallStrength};
}

// Runs the floor engine for App.CurrentScenario.
void CalcFloorReduction(const FloorRigidityView& rigidity);

// The rules of the engine, for the reports and the tests.
namespace floorcalc {

// Floor rating of a floor-spec code (brace x 32 + board): board rating plus brace
// rating; boards beyond the table read as its last row, braces other than 17..23 as none.
double FloorRating(int32_t code);
// The rows of FloorBoardRatings (0..16) and FloorBraceRatings (0..7) FloorRating reads for a
// code; a negative code reads as no board and no brace.
int FloorBoardIndex(int32_t code);
int FloorBraceIndex(int32_t code);

// Floor class of the precise methods from the mean floor ratio: 0 from 1.0, 1 from 0.5, else 2.
int FloorClassFromMeanRatio(double meanFloorRatio);
// Floor class of the overview's floor settings before any void: 0 (I) for plywood throughout,
// else 1 (II) with horizontal braces, 2 (III) without (or when they could not be seen).
int FloorBaseClass(const FoundationFloorSpecRecord& spec);
// Floor class of the general methods from the overview settings and whether a void of 4 m or
// more was found on this storey or one above.
int FloorClassFromOverview(const FoundationFloorSpecRecord& spec, bool voidFound);

// Eccentricity class: 0 below 0.3, 1 below 0.6, else 2.
int EccentricityClass(double eccentricityRatio);
// Quarter-strip class: 0 below 0.33, 1 below 0.66, 2 below 1.0, else 3.
int QuarterStripClass(double ratio);

// E of the 2012 revision from the eccentricity ratio and the mean floor ratio, at most 1.0.
double ReductionFactor2012(double eccentricityRatio, double meanFloorRatio);
// E of the quarter method of the 2012 revision from the wall ratios of the two strips of one
// direction and the floor class.
double QuarterReduction2012(double ratioA, double ratioB, int floorClass);

} // namespace floorcalc
