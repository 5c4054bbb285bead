#pragma once
// Preparation of every wall of the current scenario for its strength: the grid-node map with
// the columns and the floors above, the bracing end codes of the column-joint check, the storey
// outline and the exterior/partition classification, the lengths and opening runs, the joint
// spec from the end columns and the foundation class. Writes the words `type`,
// `jointSpec` and `foundationClass` of every wall of the current scenario back into the model.
#include "calc/WallEvaluation.h"

#include <cstdint>

// Bracing end code group of a BraceSpecs row 24..83: 2 x brace group, + 1 for cross bracing;
// -1 for a row without bracing of a known size.
int32_t BraceClassOf(int32_t braceRow);

// Node map and brace end codes of one storey.
void BuildNodeMap(int storey);
// Exterior/partition classification of one storey's walls against its outline.
void ClassifyExteriorWalls(int storey);
// The same with AxesStrictlyIncreasing() worked out by the caller, once for all storeys.
void ClassifyExteriorWalls(int storey, bool axesStrictlyIncreasing);
// Lengths, end columns and opening runs of one storey's walls.
void MeasureWallRuns(int storey);
// Joint spec of one wall (0 告示, 1 ＶＰ, 2 釘通, 3 釘打), written back into the wall.
int32_t JudgeJointSpec(int storey, int wall);
// Foundation class of one wall (0..2), written back into the wall.
int32_t JudgeFoundationClass(int storey, int wall);

// All of the above for every storey of the current scenario, in the order of the evaluation:
// node maps, outlines with classification, lengths and runs, then joints and foundations.
void ClassifyWalls();
// The same within a run that goes on with EvaluateWallStrengths and CalcRigidity: the result
// fields those stages write for every wall are left for them to write, the rest are zeroed.
void ClassifyWallsBeforeStrengths();
