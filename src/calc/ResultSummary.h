#pragma once
// The last engine of every diagnosis run: the retained strength and the upper-structure score
// of every storey, direction and result column, the building's least score, the marks of upper
// walls standing over a weaker line below (caution bit 2), the floor-diaphragm check of every
// grid line, the floor moment values the plan draws, and the result panel of the main window.
//
// The panel comes back as plain data (texts as CP932 bytes with their colours); the window
// copies it into its labels. Nothing here allocates.
#include "calc/CalcCommon.h"
#include "calc/MethodTables.h" // ResultColumnVariant, JudgementScale
#include "model/ColorRef.h"
#include "model/Model.h"

#include <cstdint>

// Number of result columns that combine loading cases, by topStorey (one, two, three storeys).
inline constexpr int32_t ResultCaseCounts[Storeys] = {5, 9, 17};

// Score colours by ScoreRank 0..3: blue, green, dark yellow, red; muted for the rows of the
// storeys not being edited.
inline constexpr ColorRef ScoreColours[4] = {Rgb(0, 0, 183), Rgb(0, 183, 0), Rgb(183, 165, 0),
                                             Rgb(183, 0, 0)};
inline constexpr ColorRef ScoreColoursMuted[4] = {Rgb(74, 74, 108), Rgb(74, 108, 74),
                                                  Rgb(106, 103, 77), Rgb(106, 77, 77)};
// Eccentricity colours by EccentricityRank 0..2: green, dark yellow, red.
inline constexpr ColorRef EccentricityColours[3] = {Rgb(0, 183, 0), Rgb(183, 165, 0),
                                                    Rgb(183, 0, 0)};
inline constexpr ColorRef EccentricityColoursMuted[3] = {Rgb(74, 108, 74), Rgb(106, 103, 77),
                                                         Rgb(106, 77, 77)};
inline constexpr ColorRef PanelNeutral = Rgb(228, 228, 228);
inline constexpr ColorRef PanelBlack = Rgb(0, 0, 0);
inline constexpr ColorRef PanelRed = Rgb(255, 0, 0);

// 3 below 0.7, 2 below 1.0, 1 below 1.5, else 0; a score within the shared tolerance of a
// boundary counts as on it (0.7 is rank 2). Not a number: 3.
int ScoreRank(double score);
// 2 above 0.3, 1 above 0.15, else 0; a ratio within the tolerance of a boundary counts as on
// it (0.3 is rank 1). Not a number: 2.
int EccentricityRank(double ratio);

// The score as it is shown: truncated to `decimals` places (two on the panel, three for the
// storey scores of the reports), with a score that lies within the shared tolerance below a
// step counting as that step (0.7 computed as 0.69999999999 shows as 0.70, 0.699 as 0.69).
// Never a negative zero.
double TruncatedScore(double score, int decimals = 2);

// Results of the scores, [scenario][storey] first; zero at start-up. Each run writes the
// current scenario; storeys above the top storey are cleared.
struct ScoreResults {
    double RetainedStrengthX[Scenarios][Storeys][ResultColumns]; // kN
    double RetainedStrengthY[Scenarios][Storeys][ResultColumns];
    double StoreyScoreX[Scenarios][Storeys][ResultColumns];
    double StoreyScoreY[Scenarios][Storeys][ResultColumns];
    // kN, the strength of the other seismic elements the retained strength includes: a quarter
    // of the required strength under the general methods outside the 2012 revision, else 0.
    double OtherElementsStrength[Scenarios][Storeys];
    // The least storey score of both directions per result column; column 0 is the
    // upper-structure score of the scenario.
    double BuildingScore[Scenarios][ResultColumns];
    // The result column that gives the least value shown (0 unless ConsiderBraceDirection).
    int32_t GoverningColumn[Scenarios];
    int32_t GoverningColumnX[Scenarios][Storeys];
    int32_t GoverningColumnY[Scenarios][Storeys];
    // Floor moment values of the plan's floor drawing, [row][scenario][storey][line][variant],
    // variant 0 filled, in the rows the drawing reads: rows 0, 1, 4, 5 belong to the X
    // direction (along the Y axes), rows 2, 3, 6, 7 to the Y direction (along the X axes):
    //   row 0/2: about line k, summed from the low side; row 1/3: about the middle of band k,
    //   from the low side; row 4/6: about line k from the high side; row 5/7: about the middle
    //   of band k from the high side (the drawing shows rows 4..7 negated).
    // FloorCheckWork holds the moments (kNm); FloorStrengthMarks each moment divided by the
    // area of its band and multiplied by the band's width (kN), 0 where the band has no area.
    // The band of a line value is the band just passed: k-1 from the low side, k from the
    // high side.
    double FloorStrengthMarks[8][Scenarios][Storeys][GridLines][StrengthVariants];
    double FloorCheckWork[8][Scenarios][Storeys][GridLines][StrengthVariants];
};

extern ScoreResults& ScoreRes;

// One label of the result panel.
struct PanelLabel {
    char text[24];       // CP932 bytes, NUL-terminated
    ColorRef font;       // text colour
    ColorRef background; // fill of the label
    bool operator==(const PanelLabel&) const = default;
};

// The result panel of the main window, as the window's labels show it.
struct ResultPanel {
    PanelLabel FloorCheckState;        // Lqflag: "OK" black or "NG " red
    PanelLabel FloorCheckStorey[3];    // Lqflag2..Lqflag4: "1FXY" .. "3FY" or empty
    PanelLabel ScoreX[3];              // L1hyox, L2hyox, L3hyox: "%6.2f"
    PanelLabel ScoreY[3];              // L1hyoy, L2hyoy, L3hyoy
    PanelLabel EccentricityX[3];       // L1henx, L2henx, L3henx: "%6.2f" or "  -.--"
    PanelLabel EccentricityY[3];       // L1heny, L2heny, L3heny
    PanelLabel EccentricityCaption[3]; // Label4, Label12, Label19: "偏心率" or "４分割法"
    PanelLabel WallDirectBelow;        // Lkabecho: "%6.2f %"
    PanelLabel ColumnDirectBelow;      // Lhashiracho
    PanelLabel PartitionRatio;         // Lkabewariai
    // The three ratios of the storey being edited, per cent.
    double WallDirectBelowRatio;
    double ColumnDirectBelowRatio;
    double PartitionWallRatio;
    bool operator==(const ResultPanel&) const = default;
};

// Runs the result summary for App.CurrentScenario after the floor engine: fills ScoreRes, the
// shears, ratios and flags of FloorCheck, caution bit 2 of the walls, and returns the panel.
ResultPanel CalcResultSummary();

// The parts of the summary, for the tests and the reports.
namespace summary {

// The deterioration factor the scores use for the current scenario.
double ScoreDeteriorationFactor();
// True when the scores of the current scenario leave the deterioration out (D = 1.0): the
// option is on and the method is a precise one or the scenario a retrofit plan.
bool DeteriorationIgnored();
// The strength of the other seismic elements that P counts besides the walls: a quarter of the
// required strength `qr` under the general methods outside the 2012 revision, else 0.
double OtherElementsStrength(double qr);

// The direct-below and partition ratios of storey f of the current scenario, per cent.
double ColumnDirectBelowRatio(int storey);
double WallDirectBelowRatio(int storey);
double PartitionWallRatio(int storey);

} // namespace summary
