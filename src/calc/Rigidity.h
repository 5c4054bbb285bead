#pragma once
// Rigidity, eccentricity and stiffness ratio of the current scenario: the wall strengths and
// stiffnesses of every storey summed per loading case, the centre of rigidity, the torsional
// stiffness, the elastic radii, the eccentricity ratios with their reduction factor Fe, the
// shear each grid line bears, the wall strength inside the four quarter strips, the storey
// drift and the stiffness ratio with its reduction factor Fsr per result column.
//
// Loading case n (0..4) takes brace variant CaseSubBlockX[n] along X and CaseSubBlockY[n]
// along Y; result column col (0..16) gives storey s the loading case StoreyCaseMap[s][col].
// Arrays are indexed [scenario][storey] first; metres, kilonewtons.
//
// Order in a diagnosis run: CalcRequiredStrength, BuildWallLineLists, ClassifyWalls,
// EvaluateWallStrengths, then CalcRigidity (it reads the directional strengths and
// stiffnesses of every wall), and only then the engines that read these results (column
// joints, floor reduction, result summary).
#include "calc/CalcCommon.h"
#include "calc/RequiredStrength.h"
#include "model/Model.h"

struct RigidityResults {
    // --- per loading case [scenario][storey][case] ---
    double WallStrengthSumX[Scenarios][Storeys][StrengthVariants]; // kN, 壁の耐力
    double WallStrengthSumY[Scenarios][Storeys][StrengthVariants];
    double StiffnessSumX[Scenarios][Storeys][StrengthVariants];     // ΣLx
    double StiffnessSumY[Scenarios][Storeys][StrengthVariants];     // ΣLy
    double StiffnessMomentYX[Scenarios][Storeys][StrengthVariants]; // ΣLy·X
    double StiffnessMomentXY[Scenarios][Storeys][StrengthVariants]; // ΣLx·Y
    // Centre of rigidity in the frame of the centre of gravity: X from the first main X axis to
    // the right, Y from the first main Y axis upward.
    double RigidityCentreX[Scenarios][Storeys][StrengthVariants];
    double RigidityCentreY[Scenarios][Storeys][StrengthVariants];
    double EccentricityX[Scenarios][Storeys][StrengthVariants]; // |gravity - rigidity|, m
    double EccentricityY[Scenarios][Storeys][StrengthVariants];
    double TorsionTermX[Scenarios][Storeys][StrengthVariants];       // Ix = ΣLy·X'²
    double TorsionTermY[Scenarios][Storeys][StrengthVariants];       // Iy = ΣLx·Y'²
    double TorsionalStiffness[Scenarios][Storeys][StrengthVariants]; // Kr = Ix + Iy
    double ElasticRadiusX[Scenarios][Storeys][StrengthVariants];     // rex = sqrt(Kr / ΣLx)
    double ElasticRadiusY[Scenarios][Storeys][StrengthVariants];     // rey = sqrt(Kr / ΣLy)
    double EccentricityRatioX[Scenarios][Storeys][StrengthVariants]; // Rex = ey / rex, 偏心率
    double EccentricityRatioY[Scenarios][Storeys][StrengthVariants]; // Rey = ex / rey
    double EccentricityReductionX[Scenarios][Storeys][StrengthVariants]; // Fe, 0.5..1.0
    double EccentricityReductionY[Scenarios][Storeys][StrengthVariants];
    // Factor on the line shears for the torsion of an eccentric storey, 1.0..1.5.
    double TorsionFactorX[Scenarios][Storeys][StrengthVariants];
    double TorsionFactorY[Scenarios][Storeys][StrengthVariants];
    // rs = ΣL / Qr, the reciprocal of the storey drift angle; 0 when Qr is 0.
    double StoreyDriftX[Scenarios][Storeys][StrengthVariants];
    double StoreyDriftY[Scenarios][Storeys][StrengthVariants];

    // --- per result column ---
    double StiffnessRatioX[Scenarios][Storeys][ResultColumns]; // Rs, 剛性率
    double StiffnessRatioY[Scenarios][Storeys][ResultColumns];
    double StiffnessReductionX[Scenarios][Storeys][ResultColumns]; // Fsr
    double StiffnessReductionY[Scenarios][Storeys][ResultColumns];
    double MeanStoreyDriftX[Scenarios][ResultColumns]; // mean of rs over the storeys
    double MeanStoreyDriftY[Scenarios][ResultColumns];

    // --- per grid line [scenario][storey][line][case] ---
    // Stiffness along X summed per Y axis line, along Y per X axis line.
    double LineStiffnessX[Scenarios][Storeys][GridLines][StrengthVariants];
    double LineStiffnessY[Scenarios][Storeys][GridLines][StrengthVariants];
    // kN, the share of the storey's required strength each line bears (負担せん断力).
    double LineShearX[Scenarios][Storeys][GridLines][StrengthVariants];
    double LineShearY[Scenarios][Storeys][GridLines][StrengthVariants];

    // kN, wall strength (basic case) inside the quarter strips [QuarterStrip][scenario][storey]:
    // 0 low Y and 1 high Y from the X-direction walls, 2 low X and 3 high X from the Y-direction
    // walls (strips as QuarterLines of the required strength).
    double QuarterWallStrength[QuarterStrips][Scenarios][Storeys];
};

// Zero at start; lives for the whole run.
extern RigidityResults& RigidityRes;

// The eccentricity ratio a direction without any stiffness gets by the option
// ZeroStrengthEccentricity: 1 treats it as infinitely eccentric, 0 as not eccentric.
inline constexpr double UnboundedEccentricityRatio = 99.99;

// Fe from an eccentricity ratio: 1 / (3.33 Re + 0.5), held within 0.5..1.0.
double EccentricityReductionOf(double eccentricityRatio);
// Torsion factor from an eccentricity ratio: Re x 10 / 3 + 0.5, held within 1.0..1.5.
double TorsionFactorOf(double eccentricityRatio);
// Fsr from a stiffness ratio: 1 / (2 - Rs / 0.6) below 0.6, else 1.0.
double StiffnessReductionOf(double stiffnessRatio);

// --- Stages, in the order CalcRigidity runs them ---

// Clears the storey results and the quarter strips of every storey of the current scenario,
// and the line tables of every scenario.
void ClearRigidityResults();
// Adds one wall's strengths, stiffnesses and moments of the five loading cases to its storey
// and its grid lines, and writes its end positions and moments into its wall result.
void AddWallRigidityTerms(int storey, int wall);
// Centre of rigidity, eccentricity, torsional stiffness, elastic radii, eccentricity ratios,
// reduction and torsion factors and line shears of one storey, after its walls were added;
// writes every wall's distances from the centre of rigidity and torsion terms into its wall
// result. A storey without walls gets the eccentricity ratio of the option and no line shears.
void CalcStoreyRigidity(int storey);
// Adds the wall strength inside the four quarter strips of one storey, from its wall lists.
void CalcQuarterWallStrength(int storey);
// Storey drifts, mean drifts, stiffness ratios and their reductions of the current scenario.
void CalcStiffnessRatio();

// The whole rigidity evaluation of the current scenario: clearing, then for every storey up to
// the top the wall terms, the storey step and the quarter strips, then the stiffness ratio.
void CalcRigidity();
