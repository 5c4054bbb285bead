#pragma once
// Required strength (必要耐力) and centre of gravity: the first engine of every diagnosis run.
// From the roof/floor areas of the plan it computes the floor areas, the centre of gravity,
// the storey extents and quarter strips and the shape factor of every scenario, and the
// required strength of every storey and quarter strip of the current scenario, either from the
// per-floor-area tables (precise method 1 approximate and the general method, detailed and
// approximate) or from storey weights and the seismic shear distribution (precise method 1
// simplified).
//
// All arrays are indexed [scenario][storey] first (scenario 0..2, storey 0 = 1F .. 2 = 3F);
// metres, square metres, kilonewtons.
#include "calc/CalcCommon.h"

#include <cstdint>

inline constexpr int RoofFloorElements = 30; // capacity of the rectangle and triangle lists

// Quarter strips, the last index of QuarterFloorArea, QuarterUnitRequiredStrength and
// QuarterRequiredStrength.
enum QuarterStrip : int {
    StripYLow = 0,  // Y min .. Y min + dy/4
    StripYHigh = 1, // Y max - dy/4 .. Y max
    StripXLow = 2,  // X min .. X min + dx/4
    StripXHigh = 3, // X max - dx/4 .. X max
};
inline constexpr int QuarterStrips = 4;

// The eight lines of the storey extent, the last index of QuarterLines (axis positions, m,
// in plan coordinates: Y grows downward on the plan).
enum QuarterLine : int {
    LineYMin = 0,
    LineYMinQuarter = 1, // Y min + dy/4
    LineYMaxQuarter = 2, // Y max - dy/4
    LineYMax = 3,
    LineXMin = 4,
    LineXMinQuarter = 5, // X min + dx/4
    LineXMaxQuarter = 6, // X max - dx/4
    LineXMax = 7,
};
inline constexpr int QuarterLineCount = 8;

// The three area sums of the weight calculation of precise method 1 simplified, the last index
// of WeightAreaSums.
enum WeightAreaSum : int {
    WeightRoofArea = 0, // A0: floor area of the roofs (kinds 3, 4)
    WeightWallArea =
        1, // A1: floor area carrying walls (rectangles 0, 1, 3, 4, 5; triangles 0, 1, 5)
    WeightFloorArea = 2, // A2: factored area of kinds 0, 2, 5
};

// One roof/floor rectangle or triangle.
struct RoofFloorAreaResult {
    double area;                     // m2
    double floorArea;                // the area, 0 for attic storage and the largest rectangle
    double factoredArea;             // area x the area-kind factor of the method
    double cityWeightedArea;         // area x the gravity weight of the kind
    double centroidX;                // m from the first main X axis, to the right
    double centroidY;                // m from the first main Y axis, upward
    double momentX, momentY;         // factoredArea x centroid
    double cityMomentX, cityMomentY; // cityWeightedArea x centroid
};

// Which formulas gave k1 .. k6: none formed (one storey, the general approximate method or
// precise method 1 simplified, no floor area), the formulas of the light and heavy buildings, or
// those of the very heavy ones.
enum KFormulaSet : int32_t {
    KFormulasNone = 0,
    KFormulasStandard = 1,
    KFormulasVeryHeavy = 2,
};

// The floor-area-ratio factors of precise method 1 approximate and the general detailed method
// (current scenario).
struct RequiredStrengthFactorsRecord {
    double k1, k2, k3, k4, k5, k6;
    double rf1;       // design floor area 2F / 1F
    double rf2;       // 3F / 2F
    int32_t formulas; // KFormulaSet
};

struct RequiredStrengthResults {
    // --- area phase: every scenario ---
    double PlanFloorArea[3][3];
    double DesignFloorArea[3][3];
    RoofFloorAreaResult RoofFloorRectResult[3][3][RoofFloorElements];
    RoofFloorAreaResult RoofFloorTriResult[3][3][RoofFloorElements];
    double WeightedAreaSum[3][3];
    double WeightedMomentX[3][3];
    double WeightedMomentY[3][3];
    double CityWeightedAreaSum[3][3];
    double CityWeightedMomentX[3][3];
    double CityWeightedMomentY[3][3];
    double GravityCentreX[3][3];    // m from the first main axes, X to the right; 0 when none
    double GravityCentreY[3][3];    // Y upward
    double WeightAreaSums[3][3][3]; // [s][f][WeightAreaSum]
    // 1 when the storey has an extent (roof/floor areas): only then do its quarter lines and
    // strips exist.
    int32_t StoreyExtentFlag[3][3];
    double QuarterLines[3][3][QuarterLineCount];  // [s][f][QuarterLine]
    double QuarterFloorArea[3][3][QuarterStrips]; // [s][f][QuarterStrip], enclosed kinds 0..4
    double ShortSideLength[3][3];
    double ShapeFactor[3][3]; // 1.0 unless raised
    int32_t LargestRectangleFlag[3][3];

    // --- required strength: current scenario only ---
    // Per floor area (every method but precise method 1 simplified).
    double UnitRequiredStrength[3][3]; // kN/m2
    // The table value per floor area UnitRequiredStrength was taken from, before K, kN/m2.
    double UnitTableValue[3][3];
    double QuarterUnitRequiredStrength[3][3][QuarterStrips]; // kN/m2
    double QuarterRequiredStrength[3][3][QuarterStrips];     // kN
    RequiredStrengthFactorsRecord RequiredStrengthFactors;
    // Precise method 1 simplified.
    double StoreyWeight[3][3];         // kN, the storey's own weight and that of the storeys above
    double WeightRatio[3][3];          // alpha = StoreyWeight / StoreyWeight of the 1F, 1e-7 for 0
    double BuildingHeight[3];          // H, m
    double NaturalPeriod[3];           // T, s
    double VibrationCharacteristic[3]; // Rt
    double GroundPeriod;               // Tc, s
    double ShearDistributionFactor[3][3]; // Ai
    double ShearCoefficient[3][3];        // Ci
    // Both roads.
    double RequiredStrength[3][3];  // Qr, kN, one value for both directions
    double SoftGroundFactor[3];     // beta as applied
    double MixedStructureFactor[3]; // gamma as applied
};

// Zero at start; lives for the whole run.
extern RequiredStrengthResults& ReqResult;

// The rules of the engine, for the reports.
namespace reqcalc {
// Area kind 0..6 of a roof/floor code; -1 for a code that names none (negative, or kind 7):
// such an element adds nothing anywhere.
int AreaKindOf(int32_t code);
// The factor of the factored area of an area kind under the current method, and the weight
// of the city's centre of gravity (both 0 for no kind).
double FactoredAreaFactor(int kind);
double CityWeightFactor(int kind);
} // namespace reqcalc

// Runs the area phase for all three scenarios and the required strength for
// App.CurrentScenario; notices for the user are added to `notices`. Arrays of the road not
// taken and of storeys above the top storey are cleared. The wall-line builder and the wall
// evaluation follow it in the run; it does not call them.
void CalcRequiredStrength(CalcNoticeList& notices);
// The same, for callers that do not show notices (tests of later engines).
void CalcRequiredStrength();
