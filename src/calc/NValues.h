#pragma once
// Column-joint check (N値計算): for every column of every storey of the current scenario the
// tension its top and bottom joints must carry, both as the N-value (from the wall ratios of
// the walls meeting the column) and as the pull-out force in kN (from the reduced wall
// strengths). Upper columns without a column directly below hand their share down to the
// nearest columns of the storey below, split by the lever rule where there is a column on
// either side. The window's option `NValueMethod` only chooses which of the two forms the plan
// and the reports show and classify; both are always computed.
//
// Runs after the wall evaluation of the same diagnosis run (it reads `WallEval.WallResult`,
// `GridNodeMap` and `GridCellWalls`) and marks the corner columns in `GridNodeMap` by a
// negative code. Allocation-free.
#include "calc/WallEvaluation.h"
#include "model/AppState.h"
#include "model/ColorRef.h"
#include "model/Model.h"

#include <cstdint>

// Entries kept per column for the report tables: first-level entries come from the storey
// directly above, second-level entries from two storeys above through a column in between.
// The sums of the N-values and pull-out forces take every entry, kept or not.
inline constexpr int FirstLevelEntries = 8;
inline constexpr int SecondLevelEntries = 12;

// Joint hardware classes 0 (い) .. 10 (不可), named by JointHardwareNames / JointHardwareMarks.
inline constexpr int JointHardwareClasses = 11;

// One column. "X" values belong to walls along X, "Y" values to walls along Y. An "A" value is
// a wall-ratio difference (N-value method), a "Pw" value a reduced-strength difference in kN/m
// (converted method). Entries past the kept ones are counted in the sums only.
struct ColumnJointRecord {
    double pw1X, pw1Y; // |difference of the reduced wall strengths on the two sides|, kN/m
    double a1X, a1Y;   // |difference of the wall ratios| with the brace-end correction
    double b1;         // B of this column: 0.8 corner column (出隅), 0.5 otherwise

    // First level: shares handed down by columns of the storey directly above.
    int32_t upper1Count;                   // entries kept, 0..FirstLevelEntries
    int32_t upper1Total;                   // entries handed down, kept or not
    int32_t upper1No[FirstLevelEntries];   // number of the upper column, -1 empty
    double upper1PwX[FirstLevelEntries];   // the upper column's whole Pw before sharing
    double upper1PwY[FirstLevelEntries];   //
    double upper1AX[FirstLevelEntries];    // the upper column's whole A before sharing
    double upper1AY[FirstLevelEntries];    //
    double upper1DistA[FirstLevelEntries]; // m from this column to the upper column
    double upper1DistB[FirstLevelEntries]; // m from the upper column to the other one
    double pw2X[FirstLevelEntries], pw2Y[FirstLevelEntries]; // the shares that reach this column
    double a2X[FirstLevelEntries], a2Y[FirstLevelEntries];   //
    double b2[FirstLevelEntries];                            // B of the upper column

    // Second level: shares from two storeys above, passed on by a second-storey column.
    int32_t upper2Count;                    // entries kept, 0..SecondLevelEntries
    int32_t upper2Total;                    // entries passed on, kept or not
    int32_t upper2No[SecondLevelEntries];   // number of the second-storey column, -1 empty
    double upper2PwX[SecondLevelEntries];   // what that column passed on before sharing
    double upper2PwY[SecondLevelEntries];   //
    double upper2AX[SecondLevelEntries];    //
    double upper2AY[SecondLevelEntries];    //
    double upper2DistA[SecondLevelEntries]; //
    double upper2DistB[SecondLevelEntries]; //
    double pw3X[SecondLevelEntries], pw3Y[SecondLevelEntries]; // the shares
    double a3X[SecondLevelEntries], a3Y[SecondLevelEntries];   //
    double b3[SecondLevelEntries];                             // B of the third-storey column

    // Sums of share x B over every entry of a level, kept or not.
    double upper1SumPwX, upper1SumPwY, upper1SumAX, upper1SumAY;
    double upper2SumPwX, upper2SumPwY, upper2SumAX, upper2SumAY;

    double lValue;             // L of this column
    double pullOutX, pullOutY; // Tox, Toy, kN
    double nValueX, nValueY;   // Nx, Ny
};

// The status the window shows beside "柱軸力：": "OK" in black, or "NG" with the axis labels of
// the failing column in red.
struct NValueStatus {
    bool ok = true;
    char text[24] = "OK"; // CP932 bytes, zero-terminated
    // No padding: results are compared byte for byte, and padding copies as it likes.
    char spare[3] = {};
    ColorRef colour = 0; // black, or red 0x0000FF
};
static_assert(sizeof(NValueStatus) == 1 + 24 + 3 + sizeof(ColorRef));

inline constexpr ColorRef NValueStatusBlack = 0x000000;
inline constexpr ColorRef NValueStatusRed = 0x0000FF;

struct ColumnJointResults {
    // Column indices of each storey in report order (ascending X axis index, descending Y
    // within one X); a column's number in the reports and on the plan is its position + 1.
    // Positions at and after ColumnOrderCount hold -1.
    int32_t ColumnOrder[Scenarios][Storeys][MaxColumns];
    int32_t ColumnOrderCount[Scenarios][Storeys];
    // One record per column, indexed like the column records.
    ColumnJointRecord ColumnJointResult[Scenarios][Storeys][MaxColumns];
    // Node of the last upper column (in report order) whose share found no column on the
    // storey below, X axis index * 128 + Y axis index; FailingColumnCount says whether there
    // is one at all (the node of axes 0 and 0 codes as 0 too).
    int32_t FailingColumn[Scenarios][Storeys];
    int32_t FailingColumnCount[Scenarios][Storeys];
    // The status of the last run.
    NValueStatus Status;
};

extern ColumnJointResults& NValueRes;

// How a run starts the records of the columns it fills.
enum class RecordStart {
    // The method's form: every record starts blank.
    Blank,
    // A record is 2 KB, mostly its entries, of which a house rarely fills more than a few, and
    // blanking every record of the full house costs about as much as the rest of the check. So
    // the entries stay at the start; each entry the run keeps overwrites one, and at the end the
    // entries the last run kept and this one did not are blanked. The records must be blank or
    // as this check left them, as they always are in the program.
    KeepEntries,
};

// The whole check for `App.CurrentScenario`; returns the status for the window.
NValueStatus CalcNValues(RecordStart start = RecordStart::KeepEntries);

// Report order of the n columns `cols` into order[0..n-1]: ascending X axis index, and among
// equal X descending Y, as the method's exchange sort over every pair leaves it.
void ExchangeSortColumns(int32_t* order, int n, const ColumnRecord* cols);
// The same order in n log n steps where no two columns share a node: there the order is strict,
// and any sort gives it. Where two do, the exchange sort leaves them in an order of its own: it
// returns false, and what it left in `order` does not count.
bool SortColumnsOnOwnNodes(int32_t* order, int n, const ColumnRecord* cols);

// The node codes of one storey, as GridNodeMap holds them.
using NodeCodes = int32_t[AxisCountX][AxisCountY];

// Corner nodes of a storey's extent minX..maxX, minY..maxY: a node holding a column
// (ColumnStandsOn) is a corner node when one of its four quadrants of the extent (the lines
// through the node included, the node itself not) holds no column; its code is made negative,
// that of every other node holding a column positive. The method's form: every
// quadrant of every node is searched.
void MarkCornerNodesByQuadrants(NodeCodes& map, int minX, int maxX, int minY, int maxY);
// The same from the lowest and highest column of each grid line and of the lines before and
// after it; it marks every map as the quadrant search does.
void MarkCornerNodesBySpans(NodeCodes& map, int minX, int maxX, int minY, int maxY);

// The hardware class 0..10 of one value: an N-value under the N-value method (the number of
// the bounds 0, 0.65, 1.0, 1.4, 1.6, 1.8, 2.8, 3.7, 4.7, 5.6 it exceeds), a pull-out force in kN
// under the converted method (bounds 0, 3.44, 5.29, 7.41, 8.47, 9.53, 14.82, 19.58, 24.87,
// 29.64 kN). A value on a bound, within the shared tolerance, stays in the lower class.
int32_t JointHardwareClass(double value, int32_t nValueMethod);
// The class of a column: of the larger of its two directions in the method's form.
int32_t ColumnHardwareClass(const ColumnJointRecord& r, int32_t nValueMethod);
// The value the method shows for a column: max of the two pull-out forces or N-values.
double ColumnGoverningValue(const ColumnJointRecord& r, int32_t nValueMethod);

// The same in the form `App.Options.NValueMethod` chooses.
int32_t ColumnHardwareClass(const ColumnJointRecord& r);
double ColumnGoverningValue(const ColumnJointRecord& r);

// Names and marks of a class; a class outside 0..10 is brought into range.
const char* JointHardwareNameOf(long long hardwareClass);
const char* JointHardwareMarkOf(long long hardwareClass);
